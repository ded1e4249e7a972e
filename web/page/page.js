// SPDX-FileCopyrightText: 2026 QX5-holdet
// SPDX-License-Identifier: GPL-3.0-or-later

// The page's start: the engine made over the sheet, the main window's parts made from the
// engine's texts, types and sizes and wired to each other. It keeps nothing and fetches
// nothing.

import {makeDialogs} from './dialogs.js';
import {$, withAccessKey} from './dom.js';
import {makeEngine} from './engine.js';
import {makeExercise} from './exercise.js';
import {makeMenuBar, typeMenu} from './menu.js';
import {makeOutput} from './output.js';
import {Sheet} from './sheet.js';

// The theme's button face, as 0x00BBGGRR; the engine's canvas decides whether the sheet
// keeps it.
function buttonFace() {
    const probe = document.createElement('div');
    probe.style.background = 'ButtonFace';
    document.body.append(probe);
    const [r, g, b] = getComputedStyle(probe).backgroundColor.match(/\d+/g).map(Number);
    probe.remove();
    return r | (g << 8) | (b << 16);
}

// The splash picture in the middle, for its time from the page's first paint, not from when
// the engine is ready.
function showSplash(sizes) {
    const Image1 = $('Image1');
    const place = () => {
        Image1.style.left = Math.trunc($('TForm1').clientWidth / 2) - sizes.SplashOffsetX + 'px';
        Image1.style.top = Math.trunc($('TForm1').clientHeight / 2) - sizes.SplashOffsetY + 'px';
    };
    place();
    window.addEventListener('resize', place);
    const shown = performance.getEntriesByName('first-paint')[0]?.startTime ?? 0;
    setTimeout(() => Image1.remove(), Math.max(0, sizes.SplashMilliseconds - (performance.now() - shown)));
}

const sheet = new Sheet($('PaintBox1'));
// Every size the sheet is drawn in, measured only when the faces are there.
const [engine] = await Promise.all([
    makeEngine(sheet),
    ...[14, 16, 18, 20].map((size) => document.fonts.load(Sheet.font('Times New Roman', size))),
    document.fonts.load('bold 16px "QX5 Mono"'),
]);
const program = engine.program();
const {Texts: texts} = program;
showSplash(program.Sizes);
const seed = new URLSearchParams(location.search).get('seed');
engine.start(buttonFace(), seed === null ? null : Number(seed) >>> 0);
// No-break spaces: a title's blanks would collapse into one.
const caption = texts.Caption.replaceAll(' ', '\u00a0');
document.title = caption;

// The texts the page's elements name: their own (with an access letter) and what a screen
// reader calls them.
for (const element of document.querySelectorAll('[data-text]')) {
    withAccessKey(element, texts[element.dataset.text]);
}
for (const element of document.querySelectorAll('[data-label]')) {
    element.setAttribute('aria-label', texts[element.dataset.label]);
}
const dialogs = makeDialogs(engine, program);
const output = makeOutput(engine, texts, caption, dialogs);
const exercise = makeExercise({engine, sheet, program, output, dialogs});
const menu = makeMenuBar($('MainMenu1'));
menu.add(texts.FileMenu, [
    {caption: texts.Print, shortcut: 'Ctrl+P', id: 'Udskriv1', action: output.print},
    // A browser keeps a window the page did not open; the page goes back to white instead.
    {caption: texts.Quit, action: () => (exercise.hide(), window.close())},
]);
menu.add(texts.TypeMenu, typeMenu(program, exercise.showType, exercise.hide));
menu.add(texts.HelpMenu, [
    {caption: texts.Guide, action: dialogs.showGuide},
    '-',
    {caption: texts.AboutItem, action: dialogs.showAbout},
]);
output.update();

// For the tests and for anyone curious: the engine's state and what it gave the page.
window.qx5 = {state: engine.state, view: engine.view, program: () => program};
document.body.dataset.ready = 'true';
menu.focus();
