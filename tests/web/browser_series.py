#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 QX5-holdet
# SPDX-License-Identifier: GPL-3.0-or-later

"""The browser edition in one of the engines of browsers.py, from outside the page: qx5.html
opened as a file in a dark theme, a series of every type worked by keyboard alone with two
answers wrong, the engine's state after each key compared with the desktop engine's for
the same seed, each finished sheet held to the desktop's pixel rules, and no request and
nothing stored after the page has loaded; a series of each family headed, copied (byte for
byte the desktop's) and printed to PDF, read back by pdftotext. What an engine does not let a
test do (read the clipboard, print to PDF, see the requests, emulate a screen) is left out
there.

    browser_series.py <chromium|firefox|webkitgtk> <qx5.html> <engine_reference>
"""

import base64
import html
import json
import pathlib
import re
import shutil
import subprocess
import sys
import tempfile
import time

from selenium.webdriver.common.keys import Keys

import browsers

SEED = 20261209
# type, how the pupil gets there, the two steps answered wrong, whether "Begynd forfra"
# (Alt+B) comes after the first answer.
SERIES = [
    (1, 'menu', (1, 6), False),
    (2, 'Alt+N', (2, 5), False),
    (3, 'Alt+N', (3, 4), True),
    (4, 'Alt+N', (6, 1), False),
    (5, 'menu', (1, 9), False),
    (6, 'Alt+N', (2, 8), False),
    (7, 'Alt+N', (3, 7), False),
    (8, 'Alt+N', (4, 6), True),
    (9, 'Alt+N', (5, 9), False),
    (10, 'Alt+N', (1, 2), False),
    (11, 'menu', (8, 9), False),
    (12, 'Alt+N', (2, 4), False),
    (13, 'Alt+N', (3, 6), False),
    (14, 'Alt+N', (5, 7), False),
    (15, 'Alt+N', (1, 8), False),
    (16, 'Alt+N', (4, 9), False),
]
# The least contrast of blue on the sheet's face, which a dark theme must not take away.
BLUE_CONTRAST = 7.0
# A finished series of each family taken away: a heading typed or pasted (with line and
# paragraph separators), copied and printed, each by another of its ways.
TAKEN_AWAY = {
    2: ('Alt+E', 'Ida Hansen 4.b', 'Alt+K', 'Ctrl+P'),
    9: ('button', 'Bo/Ib: <"Æblegård"> & co.', 'button', 'menu'),
    14: ('paste', 'Kim\u2028Lund\u2029 4.b\r\nØ\tx', 'button', 'button'),
}


class Reference:
    """The desktop's engine, playing alongside."""

    def __init__(self, program):
        self.process = subprocess.Popen([program], stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                                        text=True, encoding='utf-8')

    def ask(self, command):
        self.process.stdin.write(command + '\n')
        self.process.stdin.flush()
        return self.process.stdout.readline().rstrip('\n')

    def state(self, command):
        return json.loads(self.ask(command))


def wait_until(condition, seconds, message):
    """The condition's first true value, looked for every tenth of a second."""
    end = time.monotonic() + seconds
    while not (value := condition()):
        if time.monotonic() > end:
            raise AssertionError(message)
        time.sleep(0.1)
    return value


def check_sheet(run, reference, png, where, ratio=1):
    """The finished sheet, kept in the PNG, held to the desktop's pixel rules, each pixel
    read at the pixel ratio it is drawn at."""
    data = run('return document.getElementById("PaintBox1").toDataURL("image/png")')
    png.write_bytes(base64.b64decode(data.split(',', 1)[1]))
    height = run('return qx5.view().RowHeight')
    verdict = reference.ask(f'check {png} {height} {BLUE_CONTRAST} {ratio}')
    assert verdict == 'ok', f'{where}: {verdict}'


class Page:
    def __init__(self, browser, engine, reference, out):
        self.browser = browser
        self.engine = engine
        self.reference = reference
        self.out = out
        self.program = None
        self.texts = None

    def run(self, script, *args):
        return self.browser.run(script, *args)

    def focused(self, attribute='id'):
        return self.run('return document.activeElement.getAttribute(arguments[0])', attribute)

    def keys(self, *keys):
        self.browser.keys(*keys)

    def alt(self, letter):
        self.browser.alt(letter)

    def same_state(self, command, where):
        page = self.run('return qx5.state()')
        desktop = self.reference.state(command)
        if page != desktop:
            raise AssertionError(f'{where}: the page\'s engine\n{page}\nthe desktop\'s\n{desktop}')
        return page

    def choose_from_menu(self, caption, menu='Vælg opgavetype'):
        """To the menu bar with Shift+Tab, along it with the arrows, down to the item."""
        if self.focused('class') != 'menu-title':
            self.keys(Keys.SHIFT + Keys.TAB)
        for _ in range(3):
            if self.run('return document.activeElement.textContent') == menu:
                break
            self.keys(Keys.ARROW_RIGHT)
        self.keys(Keys.ARROW_DOWN)
        # The item's caption, without its shortcut.
        item = 'return document.activeElement.firstChild.textContent'
        for _ in range(24):
            if self.run(item) == caption:
                break
            self.keys(Keys.ARROW_DOWN)
        assert self.run(item) == caption, f'no menu item "{caption}"'
        self.keys(Keys.ENTER)

    def answer(self, text, where):
        assert self.focused() == 'Edit1', f'{where}: the focus is not in the answer box'
        # What a screen reader hears of the step, as the desktop's answer box says it.
        state = self.run('return qx5.state()')
        assert self.focused('aria-label') == \
            f'Trin {state["StepIndex"]} af {state["StepsPerSeries"]}: {state["InstructionText"]}'
        self.keys(text, Keys.ENTER)
        return self.same_state('answer ' + text, where)

    def too_large(self):
        """" Tallet er for stort. " as a modal dialog; OK gives the box back as it was."""
        self.keys('999', Keys.ENTER)
        assert self.dialog() == 'TooLarge'
        self.keys(Keys.ENTER)
        assert self.focused() == 'Edit1'
        assert self.run('return document.activeElement.value') == '999'
        self.same_state('answer 999', 'too large')
        self.keys(Keys.BACKSPACE * 3)
        # A touch keyboard's composition puts in digits only, at most three.
        if self.browser.compose('1x23 4'):
            assert self.run('return document.activeElement.value') == '123', 'not only digits in the answer box'
            self.keys(Keys.BACKSPACE * 3)

    def requests_after_load(self, by):
        requests = self.browser.requests()
        assert not requests, f'requests after load, by {by}: {requests}'

    def guide(self):
        """F1 opens the guide over the page; a contents link leads within it, with no request
        and nothing loaded into it; Esc closes it and the answer box has the focus."""
        self.keys(Keys.F1)
        assert self.dialog() == 'Guide'
        guide = 'const g = document.getElementById("GuideText").contentWindow;'
        wait_until(lambda: 'Vejledning til QX5' in (self.run(guide + 'return g.document.body?.textContent') or ''),
                   5, 'the guide shows nothing')
        self.browser.click('a[href="#typer"]', '#GuideText')
        address, top = self.run(guide + 'return [g.location.href, g.scrollY > 0 &&'
                                ' g.document.getElementById("typer").getBoundingClientRect().top]')
        assert address == 'about:srcdoc', f'the guide\'s link loaded {address[:80]}'
        assert top is not False and abs(top) < 1, f'the guide\'s link did not lead to its place: {top}'
        self.requests_after_load('the guide')
        self.keys(Keys.ESCAPE)
        assert self.focused() == 'Edit1'

    def dialog(self):
        return self.run('return document.querySelector("dialog[open]")?.id')

    def menu_keys(self):
        """F10, or Alt pressed and released alone, goes to the menu bar; Esc, or a lone Alt
        there, goes back to the answer box."""
        for go, back in ((Keys.F10, Keys.ESCAPE), (Keys.ALT, Keys.ALT)):
            self.keys(go)
            assert self.focused('class') == 'menu-title', f'{go!r} did not reach the menu bar'
            self.keys(back)
            assert self.focused() == 'Edit1', f'{back!r} did not leave the menu bar'

    def press(self, how, button, letter=None):
        {'button': lambda: self.browser.click('#' + button),
         'menu': lambda: self.choose_from_menu('Udskriv', 'Filer'),
         'Ctrl+P': lambda: self.keys(Keys.CONTROL + 'p')}.get(how, lambda: self.alt(letter))()

    def in_result(self):
        """A line of the result has the focus."""
        return self.run('return document.activeElement.parentElement.id') == 'Result'

    def back_in_result(self):
        assert self.dialog() is None and self.in_result()

    def set_heading(self, how, heading):
        """"Overskrift": the box named, Enter to OK, Enter again sets it; Fortryd keeps it."""
        self.press(how, 'SpeedButton2', 'e')
        assert self.focused('aria-label') == 'Navn eller overskrift til udskrifter:'
        assert how != 'paste' or self.clipboard(heading) is None
        # Each chord a call of its own: WebKit's driver keeps Ctrl down past a null key.
        self.keys(Keys.CONTROL + 'a')
        self.keys(Keys.BACKSPACE)
        self.keys(Keys.CONTROL + 'v' if how == 'paste' else heading)
        self.browser.screenshot(self.out / 'heading.png')
        self.keys(Keys.ENTER)
        assert self.focused() == 'HeadingOk' and self.dialog() == 'TOverskrif'
        self.keys(Keys.ENTER)
        self.back_in_result()
        if how == 'button':
            self.press(how, 'SpeedButton2')
            self.keys('zzz', Keys.ESCAPE)
            self.back_in_result()

    def clipboard(self, text=None):
        """Puts the text on the clipboard, or reads every flavour on it; gives what the browser
        said where it refused, after trying for two seconds, since the sandboxed browser's
        clipboard may refuse for a moment under load."""
        for _ in range(20):
            done = self.browser.run_async('''const [text, done] = arguments;
                (text !== null ? navigator.clipboard.writeText(text) : navigator.clipboard.read()
                    .then(async ([item]) => Object.fromEntries(await Promise.all(item.types.map(
                        async (type) => [type, await (await item.getType(type)).text()])))))
                .then(done, (e) => done(String(e)));''', text)
            if not isinstance(done, str):
                return done
            time.sleep(0.1)
        return done

    def take_away(self, kind, heading_how, heading, copy_how, print_how):
        readable = browsers.ENGINES[self.engine].clipboard
        if not readable and heading_how == 'paste':
            heading_how, heading = 'Alt+E', heading.replace('\u2028', ' ').replace('\u2029', ' ')
            heading = heading.replace('\r\n', ' ').replace('\t', ' ')
        self.set_heading(heading_how, heading)
        self.run('window.printed = []; window.print = () => printed.push(document.title);')
        if readable:
            assert self.clipboard('-') is None
            self.press(copy_how, 'SpeedButton4', 'k')
            copied = wait_until(lambda: isinstance(c := self.clipboard(), dict)
                                and c.get('text/plain', '-') != '-' and c, 5, 'nothing was copied')
        self.press(print_how, 'SpeedButton1')
        printed = self.run('return printed')
        assert len(printed) == 1 and self.in_result(), (kind, printed, self.focused('class'))
        # The desktop's copy, and its PDF name from the minute the page gave its own.
        when = re.search(r' - (\d{4})-(\d\d)-(\d\d) (\d\d)\.(\d\d)$', printed[0]).groups()
        desktop = json.loads(self.reference.ask(
            f'output {heading.encode().hex()} {" ".join(str(int(n)) for n in when)}'))
        assert printed[0] + '.pdf' == desktop['PdfName'], f'the PDF name {printed[0]!r}, not {desktop["PdfName"]!r}'
        lines = desktop['Plain'].split('\r\n')[:-1]
        if readable:
            assert copied['text/plain'] == desktop['Plain'], f'type {kind}: copied {copied!r}'
            assert "font-family: 'Courier New', 'Liberation Mono', monospace;" in copied['text/html']
            pre = re.search(r'<pre[^>]*>(.*)</pre>', copied['text/html'], re.S).group(1)
            assert html.unescape(pre).split('\n') == lines, f'type {kind}: the HTML\'s lines {pre}'
        # The print, on paper short enough for two pages for 14: every line, in order.
        data = self.browser.pdf(4 if kind == 14 else None)
        if data:
            self.check_print(kind, data, printed[0], lines)
            assert self.browser.title().replace('\xa0', ' ') == self.texts['Caption'], 'the title stays'
        if kind == 2 and readable:
            # A refused clipboard is told, and the focus comes back.
            self.run('navigator.clipboard.write = () => Promise.reject(new Error("no"));'
                     'document.execCommand = () => false;')
            self.alt('k')
            wait_until(lambda: self.dialog() == 'CopyFailed', 5, 'no message of the refused copy')
            self.keys(Keys.ENTER)
            self.back_in_result()
            self.run('delete navigator.clipboard.write; delete document.execCommand;')
        if kind == 9:
            # The menu's guide too, which gives the focus back to the result.
            self.choose_from_menu(self.texts['Guide'], self.texts['HelpMenu'])
            assert self.dialog() == 'Guide'
            self.browser.screenshot(self.out / 'guide.png')
            self.keys(Keys.ESCAPE)
            self.back_in_result()

    def check_print(self, kind, data, title, lines):
        pdf = self.out / f'type-{kind}.pdf'
        pdf.write_bytes(data)
        info = subprocess.run(['pdfinfo', pdf], capture_output=True, text=True).stdout
        # Firefox names no PDF after the page's title (its print dialog proposes the name).
        assert f'Title:           {title}\n' in info or 'Title:' not in info, info
        assert f'Pages:           {2 if kind == 14 else 1}\n' in info, info
        text = subprocess.run(['pdftotext', '-layout', pdf, '-'], capture_output=True, text=True).stdout
        # Asked for its header and footer (Chromium), the browser finds no margin to put them
        # in; every page has the desktop's margins, half an inch at the left, an inch on top.
        assert 'file:' not in text and 'qx5.html' not in text, f'the browser\'s header or footer:\n{text}'
        boxes = subprocess.run(['pdftotext', '-bbox', pdf, '-'], capture_output=True, text=True).stdout
        firsts = re.findall(r'<page [^>]*>\s*<word xMin="([\d.]+)" yMin="([\d.]+)"', boxes)
        assert all(abs(float(x) - 36) < 1 and abs(float(y) - 72) < 3 for x, y in firsts), firsts
        printout, at = ' '.join(text.split()), 0
        for line in lines[1:]:
            at = printout.find(' '.join(line.split()), at)
            assert at >= 0, f'type {kind}: {line!r} not in order in the print:\n{text}'

    def check_sheet(self, kind):
        check_sheet(self.run, self.reference, self.out / f'sheet-type-{kind}.png', f'type {kind}')

    def play(self, kind, how, wrong, restart):
        if how == 'menu':
            self.choose_from_menu(self.program['Types'][kind - 1]['Caption'])
            state = self.same_state(f'type {kind}', f'type {kind} from the menu')
        else:
            self.alt('n')
            state = self.same_state('next', f'type {kind} by Alt+N')
        if kind == 1:
            # The exercise window covers the splash picture, if that is still shown.
            on_top = self.run('''const s = document.getElementById("Image1"), r = s?.getBoundingClientRect();
                return s && document.elementFromPoint(r.x + r.width / 2, r.y + r.height / 2).id''')
            assert on_top != 'Image1', 'the splash picture is over the exercise window'
            self.too_large()
            self.guide()
            self.menu_keys()
        if restart:
            self.answer(str(state['ExpectedResult']), f'type {kind}, before the restart')
            self.alt('b')
            state = self.same_state('restart', f'type {kind}, Alt+B')
        while not state['SeriesFinished']:
            step = state['StepIndex']
            expected = state['ExpectedResult']
            typed = str(expected - 1 if expected > 0 else expected + 1) if step in wrong else str(expected)
            state = self.answer(typed, f'type {kind}, step {step}')
        assert state['CorrectCount'] == state['StepsPerSeries'] - 2
        # The focus on the result's first line, the score.
        assert self.in_result(), 'the result has not the focus'
        assert self.run("return document.getElementById('Result').getAttribute('aria-label')") == \
            self.texts['ResultName']
        assert self.run('return document.activeElement.textContent') == \
            f'{state["CorrectCount"]} rigtige af {state["StepsPerSeries"]}.'
        self.check_sheet(kind)
        if kind in TAKEN_AWAY:
            self.take_away(kind, *TAKEN_AWAY[kind])


def main():
    engine = sys.argv[1]
    page_file = pathlib.Path(sys.argv[2]).resolve()
    reference = Reference(sys.argv[3])
    out = pathlib.Path(tempfile.mkdtemp(prefix=f'qx5-{engine}-'))
    browser = browsers.start(engine, out / 'profile')
    try:
        # Its WebAssembly damaged, the page says in Danish that it cannot start.
        damaged = out / 'damaged.html'
        text = page_file.read_text()
        assert text.count('AGFzbQ') == 1, 'no WebAssembly in the page'
        damaged.write_text(text.replace('AGFzbQ', 'AAAAAA'))
        browser.get(damaged.as_uri())
        wait_until(lambda: browser.run('return document.getElementById("LoadFailed").offsetHeight > 0'),
                   30, 'no word of the WebAssembly that did not load')
        assert 'kan ikke starte' in browser.run('return document.getElementById("LoadFailed").textContent')
        browser.get(f'{page_file.as_uri()}?seed={SEED}')
        wait_until(lambda: browser.run('return document.body.dataset.ready'), 30, 'the page did not start')
        loaded = browser.requests()
        page = Page(browser, engine, reference, out)
        page.program = page.run('return qx5.program()')
        page.texts = page.program['Texts']
        assert browser.title().replace('\xa0', ' ') == page.texts['Caption'], f'the title: {browser.title()!r}'
        # The theme is dark indeed: the sheet had a dark face to refuse, where the engine has one.
        face = page.run('''const p = document.createElement("div");
            p.style.background = "ButtonFace"; document.body.append(p);
            const c = getComputedStyle(p).backgroundColor; p.remove(); return c;''')
        assert page.run('return matchMedia("(prefers-color-scheme: dark)").matches'), 'no dark theme'
        assert (sum(int(v) for v in face[4:-1].split(',')) < 3 * 128) == browsers.ENGINES[engine].dark_face, \
            f'the theme\'s face is {face}'
        reference.ask(f'seed {SEED}')
        for kind, how, wrong, restart in SERIES:
            page.play(kind, how, wrong, restart)
        # Another screen, or the browser's zoom (two steps, 144 % in WebKit, whose pixel ratio
        # stays): the sheet is drawn again at the new ratio.
        sheet = 'const c = document.getElementById("PaintBox1"); return c.width / parseInt(c.style.width)'
        if browser.viewport(1024, 768, 2):
            wait_until(lambda: browser.run(sheet) == 2, 10, 'the sheet was not drawn again at the new pixel ratio')
        elif browser.zoom(2):
            wait_until(lambda: browser.run(sheet) >= 1.4, 10, f'the sheet was not drawn again zoomed: {browser.run(sheet)}')
            browser.screenshot(out / 'zoomed.png')
        # A key that moves the focus on before a dialog's close event comes keeps it there.
        page.choose_from_menu(page.texts['AboutItem'], page.texts['HelpMenu'])
        moved = page.run('''document.getElementById("TAboutBox").close();
            const title = document.querySelectorAll(".menu-title")[1]; title.focus(); return title.textContent''')
        now = page.run('return document.activeElement.textContent')
        assert now == moved, f'the closed about box took the focus back to {now!r}'
        # With the exercise window hidden, the about box gives the focus back to the menu bar.
        page.choose_from_menu(page.program['Groups'][1])
        page.choose_from_menu(page.texts['AboutItem'], page.texts['HelpMenu'])
        page.keys(Keys.ENTER)
        assert page.focused('class') == 'menu-title', 'the focus is not on the menu bar'
        assert loaded is None or loaded, 'the log saw no request at all, not even the page'
        page.requests_after_load('the page')
        stored = browser.run_async('''const done = arguments[0];
                indexedDB.databases().then((d) => done([document.cookie, localStorage.length,
                                                       sessionStorage.length, d.length]));''')
        assert stored == ['', 0, 0, 0], f'stored: {stored}'
        browser.screenshot(out / 'page.png')
        print(f'{engine}: 16 types played; sheets and the screenshot in {out}')
    finally:
        browser.quit()
        shutil.rmtree(out / 'profile', ignore_errors=True)
    return 0


if __name__ == '__main__':
    sys.exit(main())
