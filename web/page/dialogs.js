// SPDX-FileCopyrightText: 2026 QX5-holdet
// SPDX-License-Identifier: GPL-3.0-or-later

// The dialogs, each modal and each giving the focus back to where the pupil was: the about
// box, the guide, the heading dialog "Overskrift" and the messages.

import {guide, guideStyle} from './assets.js';
import {$, anyDialogOpen, focusBack, isPrintKey} from './dom.js';

// Opens a dialog over the page, and on its close gives the focus back to the element that
// had it before; unless a key has moved it on since: on a busy machine the browser may take
// the pupil's next key (Alt+N to a new box) before it sends the close event.
function showModal(dialog, before = document.activeElement) {
    dialog.addEventListener('close', () => {
        const now = document.activeElement;
        if (!now || now === document.body || now === before || dialog.contains(now)) {
            focusBack(before);
        }
    }, {once: true});
    dialog.showModal();
}

// A dialog that says something (a message, the about box, the guide) takes the focus itself,
// so that a screen reader reads it as it opens: with the focus on its OK, Orca says nothing.
// Enter on it is its OK, Esc closes it as any dialog.
function showToRead(dialog) {
    showModal(dialog);
    dialog.focus();
}
function closeOnEnter(dialog) {
    dialog.addEventListener('keydown', (e) => {
        if (e.key === 'Enter' && e.target === dialog) {
            e.preventDefault();
            dialog.close();
        }
    });
}

// The desktop's Danish guide, which travels inside the page, shown as a page of its own over
// this one; F1 opens it anywhere.
function makeGuide(texts) {
    const Guide = $('Guide');
    const GuideText = $('GuideText');
    GuideText.title = texts.Guide;
    // The guide's own links lead within it: followed, a "#..." would load this page into the
    // frame, as it is the guide's base address. With the focus in the guide, Esc still
    // closes it, and neither F1 nor Ctrl+P does what the browser would: the page is modal
    // under it.
    GuideText.addEventListener('load', () => {
        const inside = GuideText.contentDocument;
        // Its style given from here: a school's server forbids a page's inline style, which
        // the frame would inherit.
        const style = new GuideText.contentWindow.CSSStyleSheet();
        style.replaceSync(guideStyle);
        inside.adoptedStyleSheets = [style];
        inside.addEventListener('click', (e) => {
            const link = e.target.closest('a[href^="#"]');
            if (link) {
                e.preventDefault();
                inside.getElementById(link.getAttribute('href').slice(1))?.scrollIntoView();
            }
        });
        inside.addEventListener('keydown', (e) => {
            if (e.key === 'Escape' || e.key === 'F1' || isPrintKey(e)) {
                e.preventDefault();
            }
            if (e.key === 'Escape') {
                Guide.close();
            }
        });
    });
    const show = () => {
        if (!Guide.open) {
            GuideText.srcdoc = guide;
            showToRead(Guide);
        }
    };
    document.addEventListener('keydown', (e) => {
        if (e.key === 'F1') {
            e.preventDefault();
            show();
        }
    });
    return show;
}

// "Overskrift": it shows the heading in force, Enter in its box goes to OK, OK sets the
// heading by the desktop's rule, Fortryd, its Alt letter and Esc keep it as it was.
function makeHeadingDialog(engine, texts, keys) {
    const TOverskrif = $('TOverskrif');
    const HeadingEdit = $('HeadingEdit');
    HeadingEdit.setAttribute('aria-label', texts.HeadingLabel.trim());
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
            HeadingEdit.setRangeText(engine.headingText(pasted), HeadingEdit.selectionStart,
                                     HeadingEdit.selectionEnd, 'end');
        }
    });
    $('HeadingOk').addEventListener('click', () => {
        engine.setHeading(HeadingEdit.value);
        TOverskrif.close();
    });
    $('HeadingCancel').addEventListener('click', () => TOverskrif.close());
    TOverskrif.addEventListener('keydown', (e) => {
        if (e.altKey && e.code === 'Key' + keys.HeadingCancel) {
            e.preventDefault();
            TOverskrif.close();
        }
    });
    return () => {
        if (!anyDialogOpen()) {
            HeadingEdit.value = engine.heading();
            showModal(TOverskrif);
            HeadingEdit.focus();
            HeadingEdit.setSelectionRange(HeadingEdit.value.length, HeadingEdit.value.length);
        }
    };
}

export function makeDialogs(engine, program) {
    const {Texts: texts, Keys: keys} = program;
    ['TooLarge', 'CopyFailed', 'Guide', 'TAboutBox'].forEach((id) => closeOnEnter($(id)));
    return {
        showGuide: makeGuide(texts),
        showAbout: () => showToRead($('TAboutBox')),
        showHeading: makeHeadingDialog(engine, texts, keys),
        // A message with its OK: TooLarge or CopyFailed, with its text.
        message(name, text) {
            $(name + 'Text').textContent = text;
            showToRead($(name));
        },
    };
}
