// SPDX-FileCopyrightText: 2026 QX5-holdet
// SPDX-License-Identifier: GPL-3.0-or-later

// The page: what the main window and the exercise window do, over the engine in
// WebAssembly (qx5_web.cpp). Every rule is the engine's; the page moves the answer box,
// enables the buttons and shows the messages. It keeps nothing and fetches nothing.
'use strict';

(async () => {
    const $ = (id) => document.getElementById(id);
    const Outcome = {Ignored: 0, TooLarge: 1, NextStep: 2, Finished: 3};
    const ScrollExtent = 410; // the sheet's least height
    const SplashTime = 3000;

    // The self-contained page carries the WebAssembly inside it.
    const inline = document.getElementById('qx5-wasm');
    const options = {};
    if (inline) {
        options.wasmBinary = Uint8Array.from(atob(inline.textContent), (c) => c.charCodeAt(0));
    }
    const engine = await QX5(options);
    const sheet = new Sheet($('PaintBox1'));
    engine.sheet = sheet;
    const call = (name, ...args) =>
        engine.ccall(name, 'number', args.map((a) => (typeof a === 'string' ? 'string' : 'number')), args);
    const read = (name) => JSON.parse(engine.ccall(name, 'string', [], []));
    const texts = read('qx5_texts');
    const format = (text, ...values) => values.reduce((t, v, i) => t.replace('%' + (i + 1), v), text);

    // Every size the sheet is drawn in, measured only when the faces are there.
    await Promise.all(
        [14, 16, 18, 20].map((size) => document.fonts.load(Sheet.font('Times New Roman', size)))
            .concat([document.fonts.load('bold 16px "QX5 Mono"')]));

    // The theme's button face, as 0x00BBGGRR; the engine's canvas decides whether the sheet
    // keeps it.
    const probe = document.createElement('div');
    probe.style.background = 'ButtonFace';
    document.body.append(probe);
    const [r, g, b] = getComputedStyle(probe).backgroundColor.match(/\d+/g).map(Number);
    probe.remove();
    const seed = new URLSearchParams(location.search).get('seed');
    call('qx5_start', r | (g << 8) | (b << 16), seed === null ? 0 : 1, seed === null ? 0 : Number(seed) >>> 0);

    const TForm1 = $('TForm1');
    const TForm2 = $('TForm2');
    const ScrollBox1 = $('ScrollBox1');
    const SheetArea = $('SheetArea');
    const Edit1 = $('Edit1');
    const Result = $('Result');
    const Label1 = $('Label1');
    const Image1 = $('Image1');
    let state = read('qx5_state');

    // No-break spaces: a title's blanks would collapse into one.
    const Caption = texts.Caption.replaceAll(' ', '\u00a0');
    document.title = Caption;

    // ---- The main menu: an ARIA menu bar, by keyboard and pointer ----

    const menuBar = $('MainMenu1');
    const menus = [];
    const actions = new Map();
    let Udskriv1;

    function addMenu(title, items) {
        const holder = document.createElement('div');
        const button = document.createElement('button');
        button.className = 'menu-title';
        button.setAttribute('role', 'menuitem');
        button.setAttribute('aria-haspopup', 'menu');
        button.setAttribute('aria-expanded', 'false');
        button.tabIndex = menus.length === 0 ? 0 : -1;
        button.textContent = title;
        const list = document.createElement('div');
        list.setAttribute('role', 'menu');
        list.setAttribute('aria-label', title);
        list.hidden = true;
        for (const item of items) {
            if (item === '-') {
                const line = document.createElement('div');
                line.setAttribute('role', 'separator');
                list.append(line);
                continue;
            }
            const entry = document.createElement('div');
            entry.setAttribute('role', 'menuitem');
            entry.tabIndex = -1;
            entry.textContent = item.caption;
            if (item.shortcut) {
                const key = document.createElement('span');
                key.className = 'shortcut';
                key.textContent = item.shortcut;
                entry.setAttribute('aria-keyshortcuts', item.shortcut.replace('Ctrl', 'Control'));
                entry.append(key);
            }
            actions.set(entry, item.action);
            list.append(entry);
            if (item.id) {
                entry.id = item.id;
            }
        }
        holder.append(button, list);
        menuBar.append(holder);
        const menu = {button, list};
        menus.push(menu);
        button.addEventListener('click', () => (list.hidden ? openMenu(menu, false) : closeMenus(true)));
        button.addEventListener('pointerenter', () => {
            if (menus.some((m) => !m.list.hidden) && list.hidden) {
                openMenu(menu, false);
            }
        });
        return menu;
    }

    const entries = (menu) => [...menu.list.querySelectorAll('[role="menuitem"]')];

    function openMenu(menu, focusFirst) {
        closeMenus(false);
        menu.list.hidden = false;
        menu.button.setAttribute('aria-expanded', 'true');
        focusTitle(menu);
        if (focusFirst) {
            entries(menu)[0].focus();
        }
    }

    function focusTitle(menu) {
        for (const m of menus) {
            m.button.tabIndex = m === menu ? 0 : -1;
        }
        menu.button.focus();
    }

    // Back to where the pupil was: the answer box, the result or the menu bar.
    let returnFocus = null;
    function closeMenus(giveBack) {
        for (const m of menus) {
            m.list.hidden = true;
            m.button.setAttribute('aria-expanded', 'false');
        }
        if (giveBack) {
            // Not to a control in the hidden exercise window.
            (returnFocus && returnFocus.offsetParent ? returnFocus : menus[0].button).focus();
        }
    }

    function activate(entry) {
        if (entry.getAttribute('aria-disabled') === 'true') {
            return;
        }
        closeMenus(true);
        actions.get(entry)();
    }

    menuBar.addEventListener('focusin', (e) => {
        if (!menuBar.contains(e.relatedTarget)) {
            returnFocus = e.relatedTarget;
        }
    });
    menuBar.addEventListener('click', (e) => {
        const entry = e.target.closest('[role="menu"] [role="menuitem"]');
        if (entry) {
            activate(entry);
        }
    });
    menuBar.addEventListener('keydown', (e) => {
        const index = menus.findIndex((m) => m.button.parentElement.contains(e.target));
        const menu = menus[index];
        const open = !menu.list.hidden;
        const inList = menu.list.contains(e.target);
        const neighbour = (step) => menus[(index + step + menus.length) % menus.length];
        const items = entries(menu);
        const at = items.indexOf(e.target);
        const handled = {
            ArrowRight: () => (open ? openMenu(neighbour(1), inList) : focusTitle(neighbour(1))),
            ArrowLeft: () => (open ? openMenu(neighbour(-1), inList) : focusTitle(neighbour(-1))),
            ArrowDown: () => (inList ? items[(at + 1) % items.length].focus() : openMenu(menu, true)),
            ArrowUp: () => (inList ? items[(at - 1 + items.length) % items.length].focus()
                                   : (openMenu(menu, false), items[items.length - 1].focus())),
            Home: () => inList && items[0].focus(),
            End: () => inList && items[items.length - 1].focus(),
            Enter: () => (inList ? activate(e.target) : openMenu(menu, true)),
            ' ': () => (inList ? activate(e.target) : openMenu(menu, true)),
            Escape: () => (open ? (closeMenus(false), focusTitle(menu)) : closeMenus(true)),
            Tab: () => closeMenus(false),
        }[e.key];
        if (handled) {
            handled();
            if (e.key !== 'Tab') {
                e.preventDefault();
            }
        }
    });
    document.addEventListener('pointerdown', (e) => {
        if (!menuBar.contains(e.target)) {
            closeMenus(false);
        }
    });

    const typeItem = (type) => ({caption: texts.Types[type - 1], action: () => ShowExerciseType(type)});
    addMenu(texts.FileMenu, [
        {caption: texts.Print, shortcut: 'Ctrl+P', id: 'Udskriv1', action: () => PrintTranscript()},
        {caption: texts.Quit, action: () => Afslut()},
    ]);
    addMenu(texts.TypeMenu, [
        ...[1, 2, 3, 4].map(typeItem), '-',
        {caption: texts.EvenDivisionGroup, action: () => HideExerciseWindow()},
        ...[5, 6, 7, 8, 9, 10].map(typeItem), '-',
        {caption: texts.IntegerDivisionGroup, action: () => HideExerciseWindow()},
        ...[11, 12, 13, 14, 15, 16].map(typeItem),
    ]);
    addMenu(texts.HelpMenu, [
        {caption: texts.Guide, action: () => ShowGuide()},
        '-',
        {caption: texts.AboutItem, action: () => $('TAboutBox').showModal()},
    ]);
    Udskriv1 = $('Udskriv1');

    // The desktop's Danish guide, which travels inside this script (make_forms.py puts it in
    // front), shown as a page of its own over this one; F1 opens it anywhere.
    const Guide = $('Guide');
    Guide.setAttribute('aria-label', texts.Guide);
    $('GuideText').title = texts.Guide;
    let beforeGuide = null;
    function ShowGuide() {
        if (!Guide.open) {
            beforeGuide = document.activeElement;
            $('GuideText').srcdoc = qx5Guide;
            Guide.showModal();
        }
    }
    // The guide's own links lead within it: followed, a "#..." would load this page into
    // the frame, as it is the guide's base address. With the focus in the guide, Esc still
    // closes it and F1 opens no help of the browser's.
    $('GuideText').addEventListener('load', () => {
        const guide = $('GuideText').contentDocument;
        guide.addEventListener('click', (e) => {
            const link = e.target.closest('a[href^="#"]');
            if (link) {
                e.preventDefault();
                guide.getElementById(link.getAttribute('href').slice(1))?.scrollIntoView();
            }
        });
        guide.addEventListener('keydown', (e) => {
            // Nor does Ctrl+P print the guide: the page is modal under it.
            if (e.key === 'Escape' || e.key === 'F1' || isPrintKey(e)) {
                e.preventDefault();
            }
            if (e.key === 'Escape') {
                Guide.close();
            }
        });
    });
    document.addEventListener('keydown', (e) => {
        if (e.key === 'F1') {
            e.preventDefault();
            ShowGuide();
        }
    });

    // A browser keeps a window the page did not open; the page goes back to white instead.
    function Afslut() {
        HideExerciseWindow();
        window.close();
    }

    // ---- The splash picture, the about box ----

    function placeSplash() {
        Image1.style.left = Math.trunc(TForm1.clientWidth / 2) - 140 + 'px';
        Image1.style.top = Math.trunc(TForm1.clientHeight / 2) - 120 + 'px';
    }
    placeSplash();
    // Its time runs from the page's first paint, not from when the engine is ready.
    const shown = performance.getEntriesByName('first-paint')[0]?.startTime ?? 0;
    setTimeout(() => Image1.remove(), Math.max(0, SplashTime - (performance.now() - shown)));

    $('AboutCaption').textContent = texts.AboutCaption;
    $('AboutName').textContent = texts.ProductName;
    $('AboutTitle').textContent = texts.ProductTitle;
    $('AboutVersion').textContent = texts.Version;
    $('AboutMaker').textContent = texts.Maker;
    withAccessKey($('AboutOk'), texts.AboutOk);
    $('TooLargeText').textContent = texts.TooLarge;
    $('TooLarge').addEventListener('close', () => Edit1.focus());
    $('TAboutBox').addEventListener('close', () => closeMenus(true));
    Guide.addEventListener('close', () => focusBack(beforeGuide));

    // A caption's "&" letter, underlined.
    function withAccessKey(element, caption) {
        const at = caption.indexOf('&');
        element.textContent = '';
        if (at < 0) {
            element.append(caption);
            return;
        }
        const letter = document.createElement('u');
        letter.textContent = caption[at + 1];
        element.append(caption.slice(0, at), letter, caption.slice(at + 2));
    }

    // ---- The exercise window ----

    // The tool bar's pictures come inside this script (make_forms.py puts them in front).
    const pictureFile = (file) => qx5Pictures[file];
    const buttons = {};
    for (const button of $('Panel1').querySelectorAll('button')) {
        const hint = texts[button.dataset.hint];
        const name = button.dataset.picture;
        const picture = document.createElement('img');
        picture.src = pictureFile(`${name}-1x.png`);
        picture.srcset = `${picture.src} 1x, ${pictureFile(`${name}-2x.png`)} 2x`;
        picture.width = picture.height = 27;
        picture.alt = '';
        button.title = hint;
        button.setAttribute('aria-label', hint.replace(/ \(Alt\+.\)$/, ''));
        // The buttons never take the focus: it stays in the answer box or the result.
        button.tabIndex = -1;
        button.addEventListener('mousedown', (e) => e.preventDefault());
        const caption = texts[button.dataset.caption];
        const key = button.dataset.key || (caption && caption[caption.indexOf('&') + 1].toLowerCase());
        button.append(picture);
        if (caption) {
            const label = document.createElement('span');
            withAccessKey(label, caption.trim());
            button.append(...label.childNodes);
        }
        if (key) {
            button.setAttribute('aria-keyshortcuts', 'Alt+' + key.toUpperCase());
            buttons[key] = button;
        }
    }
    $('SpeedButton1').addEventListener('click', () => PrintTranscript());
    $('SpeedButton2').addEventListener('click', () => ShowHeadingDialog());
    $('SpeedButton4').addEventListener('click', () => CopyTranscript());
    $('SpeedButton5').addEventListener('click', () => NewSeries(false));
    $('SpeedButton3').addEventListener('click', () => NewSeries(true));
    $('SpeedButton10').addEventListener('click', () => StepType(-1));
    $('SpeedButton6').addEventListener('click', () => StepType(1));

    // Alt with a button's letter presses it; a disabled button ignores it. By the letter's
    // key, so that a keyboard layout's Alt characters do not hide it.
    document.addEventListener('keydown', (e) => {
        const letter = /^Key([A-Z])$/.exec(e.code);
        if (e.altKey && !e.ctrlKey && !e.metaKey && letter && !TForm2.hidden && !anyDialogOpen()) {
            const button = buttons[letter[1].toLowerCase()];
            if (button) {
                e.preventDefault();
                if (!button.disabled) {
                    button.click();
                }
            }
        }
        // Ctrl+P (Cmd+P on a Mac) prints the transcript, never the page; while "Udskriv" is
        // disabled, or a dialog is open over the window, it does nothing.
        if (isPrintKey(e)) {
            e.preventDefault();
            if (!anyDialogOpen()) {
                PrintTranscript();
            }
        }
    });
    const anyDialogOpen = () => document.querySelector('dialog[open]') !== null;
    function isPrintKey(e) {
        return (e.ctrlKey || e.metaKey) && !e.altKey && e.code === 'KeyP';
    }

    $('PaintBox1').setAttribute('aria-label', texts.SheetName);
    Result.setAttribute('aria-label', texts.ResultName);

    function ShowExerciseType(type) {
        TForm2.hidden = false;
        FitToMainWindow();
        call('qx5_show_type', type);
        SeriesStarted();
    }

    function HideExerciseWindow() {
        const hadFocus = TForm2.contains(document.activeElement);
        TForm2.hidden = true;
        if (hadFocus) {
            menus[0].button.focus();
        }
    }

    function NewSeries(restart) {
        call('qx5_new_series', restart ? 1 : 0);
        SeriesStarted();
    }

    function StepType(delta) {
        call('qx5_step_type', delta);
        SeriesStarted();
    }

    // The sheet takes at least the visible part of the scrollable area, and never less
    // than its fixed height.
    function FitToMainWindow() {
        if (TForm2.hidden) {
            return;
        }
        call('qx5_fit', ScrollBox1.clientWidth, Math.max(ScrollExtent, ScrollBox1.clientHeight));
    }

    function SeriesStarted() {
        state = read('qx5_state');
        const view = read('qx5_view');
        Label1.textContent = state.RangeLabel;
        $('SpeedButton6').disabled = state.ExerciseType >= 16;
        $('SpeedButton10').disabled = state.ExerciseType <= 1;
        SheetArea.style.width = view.SheetWidth + 'px';
        SheetArea.style.height = Math.max(ScrollExtent, view.SheetHeight) + 'px';
        Result.hidden = true;
        $('PaintBox1').removeAttribute('aria-description');
        ShowAnswerBox(view);
        UpdateOutputCommands();
    }

    // The box over the place where the answer will be drawn, empty, with the focus; a screen
    // reader hears the step as the desktop's answer box says it.
    function ShowAnswerBox(view) {
        Edit1.value = '';
        Edit1.style.left = state.AnswerColumnX + 'px';
        Edit1.style.top = view.AnswerY + 'px';
        const name = format(texts.AnswerBoxName, state.StepIndex, state.StepsPerSeries, state.InstructionText);
        const description = format(texts.AnswerBoxDescription, state.CurrentNumber);
        Edit1.setAttribute('aria-label', name);
        $('Edit1Description').textContent = description;
        $('Announce').textContent = name + '. ' + description;
        Edit1.hidden = false;
        Edit1.focus({preventScroll: true});
        Edit1.scrollIntoView({block: 'nearest', inline: 'nearest'});
    }

    function SubmitAnswer(typed) {
        const outcome = call('qx5_submit', typed);
        if (outcome === Outcome.TooLarge) {
            $('TooLarge').showModal();
            return;
        }
        if (outcome === Outcome.Ignored) {
            return;
        }
        state = read('qx5_state');
        const view = read('qx5_view');
        if (outcome === Outcome.NextStep) {
            ShowAnswerBox(view);
            return;
        }
        // The result takes the box's place and the focus, line by line for a screen reader.
        const score = format(texts.ScoreDescription, state.CorrectCount, state.StepsPerSeries);
        Result.value = view.Result.join('\n');
        Result.style.left = Edit1.style.left;
        Result.style.top = Edit1.style.top;
        Result.hidden = false;
        Result.focus({preventScroll: true});
        Edit1.hidden = true;
        $('PaintBox1').setAttribute('aria-description', score);
        $('Announce').textContent = view.Result.join(' ');
        UpdateOutputCommands();
    }

    // The key rule: Enter hands in a box that is not empty; only digits and backspace reach
    // the box.
    Edit1.addEventListener('keydown', (e) => {
        if (e.key === 'Enter') {
            e.preventDefault();
            if (Edit1.value > ' ') {
                SubmitAnswer(Edit1.value);
            }
        }
    });
    Edit1.addEventListener('beforeinput', (e) => {
        if (e.inputType === 'insertText' && !/^[0-9]*$/.test(e.data || '')) {
            e.preventDefault();
        }
    });
    // What comes otherwise (a touch keyboard's composition, its corrections) is cut to its
    // digits, at most three.
    Edit1.addEventListener('input', () => {
        const digits = Edit1.value.replace(/[^0-9]/g, '').slice(0, 3);
        if (Edit1.value !== digits) {
            Edit1.value = digits;
        }
    });

    const followRatio = () => sheet.follow(window.devicePixelRatio || 1);
    // A resize may come a moment before the new pixel ratio does (Chromium's screen emulation
    // does so), and then nothing may tell the page of the ratio: look again for a second.
    let lookAgain = 0;
    window.addEventListener('resize', () => {
        placeSplash();
        FitToMainWindow();
        followRatio();
        clearTimeout(lookAgain);
        const look = (left) => {
            lookAgain = !followRatio() && left > 0 ? setTimeout(look, 100, left - 1) : 0;
        };
        look(10);
    });
    // A move to a screen of another ratio may change no size. The canvas's size in device
    // pixels tells, after layout; where the browser cannot watch that, the ratio's own media
    // query tells, once for each ratio.
    try {
        new ResizeObserver(followRatio).observe(sheet.canvas, {box: 'device-pixel-content-box'});
    } catch {
        // Safari knows no device-pixel box.
    }
    const watchRatio = () => {
        matchMedia(`(resolution: ${window.devicePixelRatio || 1}dppx)`).addEventListener('change', () => {
            followRatio();
            watchRatio();
        }, {once: true});
    };
    watchRatio();

    // ---- What the teacher takes away: the heading, the copy, the print ----

    // Print and copy, in the menu, on the buttons and by their keys, only for a finished
    // series.
    function UpdateOutputCommands() {
        const finished = state.SeriesFinished;
        $('SpeedButton1').disabled = !finished;
        $('SpeedButton4').disabled = !finished;
        Udskriv1.setAttribute('aria-disabled', String(!finished));
    }
    UpdateOutputCommands();

    // Back to where the pupil was before a dialog: the answer box or the result, or the menu
    // bar where the exercise window is hidden.
    function focusBack(element) {
        (element && element.offsetParent ? element : menus[0].button).focus();
    }

    // The heading dialog "Overskrift": it shows the heading in force, Enter in its box goes
    // to OK, OK sets the heading by the desktop's rule, Fortryd and Esc keep it as it was.
    const TOverskrif = $('TOverskrif');
    const HeadingEdit = $('HeadingEdit');
    $('HeadingCaption').textContent = texts.HeadingCaption;
    $('HeadingLabel').textContent = texts.HeadingLabel;
    HeadingEdit.setAttribute('aria-label', texts.HeadingLabel.trim());
    $('HeadingOk').textContent = texts.HeadingOk;
    withAccessKey($('HeadingCancel'), texts.HeadingCancel);
    let beforeHeading = null;
    function ShowHeadingDialog() {
        if (anyDialogOpen()) {
            return;
        }
        beforeHeading = document.activeElement;
        HeadingEdit.value = engine.ccall('qx5_heading', 'string', [], []);
        TOverskrif.showModal();
        HeadingEdit.focus();
        HeadingEdit.setSelectionRange(HeadingEdit.value.length, HeadingEdit.value.length);
    }
    HeadingEdit.addEventListener('keydown', (e) => {
        if (e.key === 'Enter') {
            e.preventDefault();
            $('HeadingOk').focus();
        }
    });
    // A pasted text keeps its line breaks as blanks, as on the desktop: the box itself would
    // drop them.
    HeadingEdit.addEventListener('paste', (e) => {
        const pasted = e.clipboardData?.getData('text/plain');
        if (pasted) {
            e.preventDefault();
            const text = engine.ccall('qx5_heading_text', 'string', ['string'], [pasted]);
            HeadingEdit.setRangeText(text, HeadingEdit.selectionStart, HeadingEdit.selectionEnd, 'end');
        }
    });
    $('HeadingOk').addEventListener('click', () => {
        call('qx5_set_heading', HeadingEdit.value);
        TOverskrif.close();
    });
    $('HeadingCancel').addEventListener('click', () => TOverskrif.close());
    TOverskrif.addEventListener('keydown', (e) => {
        if (e.altKey && e.code === 'KeyF') {
            e.preventDefault();
            TOverskrif.close();
        }
    });
    TOverskrif.addEventListener('close', () => focusBack(beforeHeading));

    // What printing and copying take from the finished series, built anew each time.
    function Output() {
        const now = new Date();
        return JSON.parse(engine.ccall('qx5_output', 'string', Array(5).fill('number'),
            [now.getFullYear(), now.getMonth() + 1, now.getDate(), now.getHours(), now.getMinutes()]));
    }

    // Copy: plain text as the desktop puts it on the clipboard, and HTML in a fixed-pitch
    // face. Through the Clipboard API, or where a page has none (served without https) or it
    // is refused, through the copy command; where both fail, the pupil is told.
    async function CopyTranscript() {
        if ($('SpeedButton4').disabled) {
            return;
        }
        const out = Output();
        try {
            await navigator.clipboard.write([new ClipboardItem({
                'text/plain': new Blob([out.Plain], {type: 'text/plain'}),
                'text/html': new Blob([out.Html], {type: 'text/html'}),
            })]);
            return;
        } catch {
            // The copy command below.
        }
        let copied = false;
        const put = (e) => {
            e.clipboardData.setData('text/plain', out.Plain);
            e.clipboardData.setData('text/html', out.Html);
            e.preventDefault();
            copied = true;
        };
        document.addEventListener('copy', put);
        try {
            copied = document.execCommand('copy') && copied;
        } catch {
            copied = false;
        }
        document.removeEventListener('copy', put);
        if (!copied && !anyDialogOpen()) {
            const before = document.activeElement;
            $('CopyFailedText').textContent = texts.CopyFailed + '\n' + texts.CopyRefused;
            $('CopyFailed').addEventListener('close', () => focusBack(before), {once: true});
            $('CopyFailed').showModal();
        }
    }

    // Print: the page's print layout shows only the transcript (qx5.css); while it prints,
    // the page's title is the desktop's PDF name without ".pdf", which a browser proposes
    // as the PDF's name. The browser's own print command gets the transcript too.
    const PrintOut = $('PrintOut');
    function PreparePrint() {
        PrintOut.replaceChildren();
        if (!state.SeriesFinished) {
            return;
        }
        const out = Output();
        for (const line of out.Lines) {
            const row = document.createElement('div');
            row.textContent = line;
            PrintOut.append(row);
        }
        document.title = out.PdfName.replace(/\.pdf$/, '');
    }
    // The command prepares the print once, so that the name keeps the minute it was given.
    let prepared = false;
    function PrintTranscript() {
        if (state.SeriesFinished) {
            PreparePrint();
            prepared = true;
            window.print();
        }
    }
    window.addEventListener('beforeprint', () => prepared || PreparePrint());
    window.addEventListener('afterprint', () => {
        prepared = false;
        document.title = Caption;
    });

    // For the tests and for anyone curious: the engine's state as the page last read it.
    window.qx5 = {state: () => read('qx5_state'), view: () => read('qx5_view'), texts: () => texts};
    document.body.dataset.ready = 'true';
    menus[0].button.focus();
})();
