// SPDX-FileCopyrightText: 2026 QX5-holdet
// SPDX-License-Identifier: GPL-3.0-or-later

// The one road to the engine in WebAssembly (qx5_web.cpp): made with the page's sheet as its
// canvas, and every call the page makes on it by name.

// What qx5_submit says of an answer.
export const Outcome = {Ignored: 0, TooLarge: 1, NextStep: 2, Finished: 3};

const kind = (value) => (typeof value === 'string' ? 'string' : 'number');

export async function makeEngine(sheet) {
    // The engine draws on the sheet it is given here (web_sheet_canvas.cpp). The
    // self-contained page carries the WebAssembly inside it.
    const options = {sheet};
    const inline = document.getElementById('qx5-wasm');
    if (inline) {
        options.wasmBinary = Uint8Array.from(atob(inline.textContent), (c) => c.charCodeAt(0));
    }
    // The loader, qx5.js, defines this one name and nothing else.
    const module = await window.QX5(options);
    const call = (returns, name, ...args) => module.ccall(name, returns, args.map(kind), args);
    const number = (name, ...args) => call('number', name, ...args);
    const text = (name, ...args) => call('string', name, ...args);
    const json = (name, ...args) => JSON.parse(text(name, ...args));
    return {
        program: () => json('qx5_program'),
        // The theme's button face as 0x00BBGGRR, and the address's seed or null.
        start: (face, seed) => number('qx5_start', face, seed === null ? 0 : 1, seed ?? 0),
        showType: (type) => number('qx5_show_type', type),
        newSeries: (restart) => number('qx5_new_series', restart ? 1 : 0),
        stepType: (delta) => number('qx5_step_type', delta),
        submit: (typed) => number('qx5_submit', typed),
        fit: (width, height) => number('qx5_fit', width, height),
        state: () => json('qx5_state'),
        view: () => json('qx5_view'),
        heading: () => text('qx5_heading'),
        headingText: (typed) => text('qx5_heading_text', typed),
        setHeading: (typed) => number('qx5_set_heading', typed),
        output: (now) => json('qx5_output', now.getFullYear(), now.getMonth() + 1, now.getDate(),
                              now.getHours(), now.getMinutes()),
    };
}
