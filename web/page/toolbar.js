// SPDX-FileCopyrightText: 2026 QX5-holdet
// SPDX-License-Identifier: GPL-3.0-or-later

// The exercise window's tool bar: each button with its picture, hint and caption from the
// engine's texts, its Alt letter from the engine's keys, and what a click does.

import {pictures} from './assets.js';
import {$, anyDialogOpen, make, withAccessKey} from './dom.js';

// The buttons never take the focus: it stays in the answer box or the result.
function makeButton(button, texts, key) {
    const hint = texts[button.dataset.hint];
    const name = button.dataset.picture;
    const src = pictures[`${name}-1x.png`];
    button.title = hint;
    button.setAttribute('aria-label', hint.replace(/ \(Alt\+.\)$/, ''));
    button.tabIndex = -1;
    button.addEventListener('mousedown', (e) => e.preventDefault());
    button.append(make('img', {src, srcset: `${src} 1x, ${pictures[`${name}-2x.png`]} 2x`, alt: ''}));
    const caption = texts[button.dataset.caption];
    if (caption) {
        const label = make('span');
        withAccessKey(label, caption.trim());
        button.append(...label.childNodes);
    }
    if (key) {
        button.setAttribute('aria-keyshortcuts', 'Alt+' + key);
    }
}

// clicks: what each button does, by its id.
export function makeToolBar(program, clicks) {
    const byLetter = new Map();
    for (const button of $('Panel1').querySelectorAll('button')) {
        const key = program.Keys[button.id];
        makeButton(button, program.Texts, key);
        button.addEventListener('click', clicks[button.id]);
        if (key) {
            byLetter.set(key, button);
        }
    }
    // Alt with a button's letter presses it; a disabled button ignores it. By the letter's
    // key, so that a keyboard layout's Alt characters do not hide it.
    document.addEventListener('keydown', (e) => {
        const letter = /^Key([A-Z])$/.exec(e.code);
        const button = letter && byLetter.get(letter[1]);
        if (e.altKey && !e.ctrlKey && !e.metaKey && button && !$('TForm2').hidden && !anyDialogOpen()) {
            e.preventDefault();
            if (!button.disabled) {
                button.click();
            }
        }
    });
}
