// SPDX-FileCopyrightText: 2026 QX5-holdet
// SPDX-License-Identifier: GPL-3.0-or-later

// Firefox ESR, driven through WebDriver BiDi by puppeteer-core, for the browser tests in
// Python (browsers.py): one JSON command a line on stdin, one JSON answer a line on stdout,
// {"value": ...} or {"error": "..."}.
//
//   node bidi_browser.mjs <profile folder> <width> <height>
import puppeteer from 'puppeteer-core';
import readline from 'node:readline';

const [profile, width, height] = process.argv.slice(2);
const browser = await puppeteer.launch({
    browser: 'firefox',
    executablePath: '/usr/bin/firefox-esr',
    headless: true,
    userDataDir: profile,
    defaultViewport: {width: Number(width), height: Number(height)},
    extraPrefsFirefox: {
        // A dark theme, as the pupil's desktop may have.
        'ui.systemUsesDarkTheme': 1,
        'layout.css.prefers-color-scheme.content-override': 0,
    },
});
// A page of its own: the window Firefox starts with never has the focus when headless, so
// that no focus event comes and no key presses a button there.
const page = await browser.newPage();
await page.bringToFront();
const requests = [];
page.on('request', (request) => requests.push(request.url().slice(0, 80)));

// The keys of a WebDriver key string (Selenium's Keys), by their code points.
const named = {
    '\ue000': null, '\ue003': 'Backspace', '\ue004': 'Tab', '\ue007': 'Enter', '\ue008': 'Shift',
    '\ue009': 'Control', '\ue00a': 'Alt', '\ue00c': 'Escape', '\ue00d': ' ', '\ue012': 'ArrowLeft',
    '\ue013': 'ArrowUp', '\ue014': 'ArrowRight', '\ue015': 'ArrowDown', '\ue031': 'F1',
    '\ue03a': 'F10',
};
const modifiers = new Set(['Shift', 'Control', 'Alt']);

// As WebDriver's Element Send Keys: a modifier stays down until the null key or the end.
async function keys(text) {
    const held = [];
    for (const c of text) {
        const key = c in named ? named[c] : c;
        if (key === null) {
            while (held.length) {
                await page.keyboard.up(held.pop());
            }
        } else if (modifiers.has(key)) {
            await page.keyboard.down(key);
            held.push(key);
        } else {
            await page.keyboard.press(key);
        }
    }
    while (held.length) {
        await page.keyboard.up(held.pop());
    }
}

// A script as WebDriver runs one: a function body with its arguments, the asynchronous
// one given a callback as its last.
const body = (script, args, async) =>
    async ? `new Promise((done) => (function () { ${script} }).apply(null, [...${JSON.stringify(args)}, done]))`
          : `(function () { ${script} }).apply(null, ${JSON.stringify(args)})`;

const commands = {
    get: ({url}) => page.goto(url).then(() => null),
    run: ({script, args}) => page.evaluate(body(script, args, false)),
    runAsync: ({script, args}) => page.evaluate(body(script, args, true)),
    keys: ({text}) => keys(text),
    click: async ({selector, frame}) => {
        const where = frame ? await (await page.$(frame)).contentFrame() : page;
        await where.click(selector);
        return null;
    },
    screenshot: ({path}) => page.screenshot({path}).then(() => null),
    // Letter paper, given whole: puppeteer's own default comes to Firefox as centimetres.
    pdf: async ({height}) => Buffer.from(await page.pdf({width: '8.5in', height: `${height ?? 11}in`})).toString('base64'),
    title: () => page.title(),
    requests: () => requests.splice(0),
    viewport: async ({width, height, ratio}) => {
        await page.setViewport({width, height, deviceScaleFactor: ratio});
        return null;
    },
};

const lines = readline.createInterface({input: process.stdin});
for await (const line of lines) {
    const command = JSON.parse(line);
    let answer;
    try {
        answer = {value: (await commands[command.name](command)) ?? null};
    } catch (e) {
        answer = {error: String(e?.message ?? e)};
    }
    process.stdout.write(JSON.stringify(answer) + '\n');
}
await browser.close();
