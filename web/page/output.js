// SPDX-FileCopyrightText: 2026 QX5-holdet
// SPDX-License-Identifier: GPL-3.0-or-later

// What the teacher takes away from a finished series: the copy and the print, in the menu,
// on the buttons and by their keys.

import {$, anyDialogOpen, isPrintKey, make} from './dom.js';

// caption: the page's title, given back after a print.
export function makeOutput(engine, texts, caption, dialogs) {
    const finished = () => engine.state().SeriesFinished;

    // Print and copy only for a finished series.
    function update() {
        const done = finished();
        $('SpeedButton1').disabled = !done;
        $('SpeedButton4').disabled = !done;
        $('Udskriv1').setAttribute('aria-disabled', String(!done));
    }

    // Plain text as the desktop puts it on the clipboard, and HTML in a fixed-pitch face.
    // Through the Clipboard API, or where a page has none (served without https) or it is
    // refused, through the copy command; where both fail, the pupil is told.
    async function copy() {
        if ($('SpeedButton4').disabled) {
            return;
        }
        const out = engine.output(new Date());
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
            dialogs.message('CopyFailed', texts.CopyFailed + '\n' + texts.CopyRefused);
        }
    }

    // The page's print layout shows only the transcript (dialogs.css); while it prints, the
    // page's title is the desktop's PDF name without ".pdf", which a browser proposes as the
    // PDF's name. The browser's own print command gets the transcript too.
    const PrintOut = $('PrintOut');
    function prepare() {
        PrintOut.replaceChildren();
        if (!finished()) {
            return;
        }
        const out = engine.output(new Date());
        PrintOut.append(...out.Lines.map((line) => make('div', {}, line)));
        document.title = out.PdfName.replace(/\.pdf$/, '');
    }
    // The command prepares the print once, so that the name keeps the minute it was given.
    let prepared = false;
    function print() {
        if (finished()) {
            prepare();
            prepared = true;
            window.print();
        }
    }
    window.addEventListener('beforeprint', () => prepared || prepare());
    window.addEventListener('afterprint', () => {
        prepared = false;
        document.title = caption;
    });
    // Ctrl+P prints the transcript, never the page; while "Udskriv" is disabled, or a dialog
    // is open over the window, it does nothing.
    document.addEventListener('keydown', (e) => {
        if (isPrintKey(e)) {
            e.preventDefault();
            if (!anyDialogOpen()) {
                print();
            }
        }
    });

    return {update, copy, print};
}
