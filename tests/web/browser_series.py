#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 QX5-holdet
# SPDX-License-Identifier: GPL-3.0-or-later

"""The browser edition in Debian's Chromium, headless, from outside the page: qx5.html
opened as a file in a dark theme, a series of every type worked by keyboard alone with two
answers wrong, the engine's state after each key compared with the desktop engine's for
the same seed, each finished sheet held to the desktop's pixel rules, and no request and
nothing stored after the page has loaded; a series of each family headed, copied (byte for
byte the desktop's) and printed to PDF, read back by pdftotext.

    browser_series.py <qx5.html> <engine_reference>
"""

import base64
import html
import json
import os
import pathlib
import re
import shutil
import subprocess
import sys
import tempfile
import time

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys
from selenium.webdriver.support.ui import WebDriverWait

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


class Page:
    def __init__(self, driver, reference, out):
        self.driver = driver
        self.reference = reference
        self.out = out
        self.program = None
        self.texts = None

    def run(self, script):
        return self.driver.execute_script(script)

    def active(self):
        return self.driver.switch_to.active_element

    def keys(self, *keys):
        self.active().send_keys(*keys)

    def alt(self, letter):
        ActionChains(self.driver).key_down(Keys.ALT).send_keys(letter).key_up(Keys.ALT).perform()

    def same_state(self, command, where):
        page = self.run('return qx5.state()')
        desktop = self.reference.state(command)
        if page != desktop:
            raise AssertionError(f'{where}: the page\'s engine\n{page}\nthe desktop\'s\n{desktop}')
        return page

    def choose_from_menu(self, caption, menu='Vælg opgavetype'):
        """To the menu bar with Shift+Tab, along it with the arrows, down to the item."""
        if self.active().get_attribute('class') != 'menu-title':
            self.keys(Keys.SHIFT + Keys.TAB)
        for _ in range(3):
            if self.active().text == menu:
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
        box = self.active()
        assert box.get_attribute('id') == 'Edit1', f'{where}: the focus is not in the answer box'
        # What a screen reader hears of the step, as the desktop's answer box says it.
        state = self.run('return qx5.state()')
        assert box.get_attribute('aria-label') == \
            f'Trin {state["StepIndex"]} af {state["StepsPerSeries"]}: {state["InstructionText"]}'
        box.send_keys(text, Keys.ENTER)
        return self.same_state('answer ' + text, where)

    def too_large(self):
        """" Tallet er for stort. " as a modal dialog; OK gives the box back as it was."""
        self.active().send_keys('999', Keys.ENTER)
        assert self.run('return document.querySelector("dialog[open]")?.id') == 'TooLarge'
        self.keys(Keys.ENTER)
        assert self.active().get_attribute('id') == 'Edit1'
        assert self.active().get_attribute('value') == '999'
        self.same_state('answer 999', 'too large')
        self.keys(Keys.BACKSPACE * 3)
        # A touch keyboard's composition puts in digits only, at most three.
        self.driver.execute_cdp_cmd('Input.imeSetComposition', {
            'text': '1x23 4', 'selectionStart': 6, 'selectionEnd': 6})
        self.driver.execute_cdp_cmd('Input.insertText', {'text': '1x23 4'})
        assert self.active().get_attribute('value') == '123', 'not only digits in the answer box'
        self.keys(Keys.BACKSPACE * 3)

    def guide(self):
        """F1 opens the guide over the page; a contents link leads within it, with no request
        and nothing loaded into it; Esc closes it and the answer box has the focus."""
        self.keys(Keys.F1)
        assert self.run('return document.querySelector("dialog[open]")?.id') == 'Guide'
        self.driver.switch_to.frame(self.driver.find_element(By.ID, 'GuideText'))
        assert 'Vejledning til QX5' in self.run('return document.body.textContent')
        self.driver.find_element(By.CSS_SELECTOR, 'a[href="#typer"]').click()
        address, top = self.run('return [location.href, scrollY > 0 &&'
                                ' document.getElementById("typer").getBoundingClientRect().top]')
        self.driver.switch_to.default_content()
        assert address == 'about:srcdoc', f'the guide\'s link loaded {address[:80]}'
        assert top is not False and abs(top) < 1, f'the guide\'s link did not lead to its place: {top}'
        requests = requests_in(self.driver.get_log('performance'))
        assert not requests, f'requests after load, by the guide: {requests}'
        self.keys(Keys.ESCAPE)
        assert self.active().get_attribute('id') == 'Edit1'

    def dialog(self):
        return self.run('return document.querySelector("dialog[open]")?.id')

    def press(self, how, button, letter=None):
        {'button': lambda: self.driver.find_element(By.ID, button).click(),
         'menu': lambda: self.choose_from_menu('Udskriv', 'Filer'),
         'Ctrl+P': lambda: self.keys(Keys.CONTROL + 'p')}.get(how, lambda: self.alt(letter))()

    def back_in_result(self):
        assert self.dialog() is None and self.active().get_attribute('id') == 'Result'

    def set_heading(self, how, heading):
        """"Overskrift": the box named, Enter to OK, Enter again sets it; Fortryd keeps it."""
        self.press(how, 'SpeedButton2', 'e')
        box = self.active()
        assert box.get_attribute('aria-label') == 'Navn eller overskrift til udskrifter:'
        assert how != 'paste' or self.clipboard(heading) is None
        box.send_keys(Keys.CONTROL + 'a' + Keys.NULL, Keys.BACKSPACE,
                      Keys.CONTROL + 'v' if how == 'paste' else heading)
        self.driver.save_screenshot(str(self.out / 'heading.png'))
        self.keys(Keys.ENTER)
        assert self.active().get_attribute('id') == 'HeadingOk' and self.dialog() == 'TOverskrif'
        self.keys(Keys.ENTER)
        self.back_in_result()
        if how == 'button':
            self.press(how, 'SpeedButton2')
            self.active().send_keys('zzz', Keys.ESCAPE)
            self.back_in_result()

    def clipboard(self, text=None):
        """Puts the text on the clipboard, or reads every flavour on it; gives what the browser
        said where it refused, after trying for two seconds, since the sandboxed browser's
        clipboard may refuse for a moment under load."""
        for _ in range(20):
            done = self.driver.execute_async_script('''const [text, done] = arguments;
                (text !== null ? navigator.clipboard.writeText(text) : navigator.clipboard.read()
                    .then(async ([item]) => Object.fromEntries(await Promise.all(item.types.map(
                        async (type) => [type, await (await item.getType(type)).text()])))))
                .then(done, (e) => done(String(e)));''', text)
            if not isinstance(done, str):
                return done
            time.sleep(0.1)
        return done

    def take_away(self, kind, heading_how, heading, copy_how, print_how):
        self.set_heading(heading_how, heading)
        self.run('window.printed = []; window.print = () => printed.push(document.title);')
        assert self.clipboard('-') is None
        self.press(copy_how, 'SpeedButton4', 'k')
        copied = WebDriverWait(self.driver, 5).until(
            lambda d: isinstance(c := self.clipboard(), dict) and c.get('text/plain', '-') != '-'
            and c, 'nothing was copied')
        self.press(print_how, 'SpeedButton1')
        printed = self.run('return printed')
        assert len(printed) == 1 and self.active().get_attribute('id') == 'Result', printed
        # The desktop's copy, and its PDF name from the minute the page gave its own.
        when = re.search(r' - (\d{4})-(\d\d)-(\d\d) (\d\d)\.(\d\d)$', printed[0]).groups()
        desktop = json.loads(self.reference.ask(
            f'output {heading.encode().hex()} {" ".join(str(int(n)) for n in when)}'))
        assert printed[0] + '.pdf' == desktop['PdfName'], f'the PDF name {printed[0]!r}'
        assert copied['text/plain'] == desktop['Plain'], f'type {kind}: copied {copied!r}'
        lines = desktop['Plain'].split('\r\n')[:-1]
        assert "font-family: 'Courier New', 'Liberation Mono', monospace;" in copied['text/html']
        pre = re.search(r'<pre[^>]*>(.*)</pre>', copied['text/html'], re.S).group(1)
        assert html.unescape(pre).split('\n') == lines, f'type {kind}: the HTML\'s lines {pre}'
        # The print, on paper short enough for two pages for 14: every line, in order.
        pdf = self.out / f'type-{kind}.pdf'
        pdf.write_bytes(base64.b64decode(self.driver.execute_cdp_cmd(
            'Page.printToPDF', {'paperHeight': 4} if kind == 14 else {})['data']))
        assert self.driver.title.replace('\xa0', ' ') == self.texts['Caption'], 'the title stays'
        info = subprocess.run(['pdfinfo', pdf], capture_output=True, text=True).stdout
        assert f'Title:           {printed[0]}\n' in info, info
        assert f'Pages:           {2 if kind == 14 else 1}\n' in info, info
        text = subprocess.run(['pdftotext', '-layout', pdf, '-'], capture_output=True, text=True).stdout
        printout, at = ' '.join(text.split()), 0
        for line in lines[1:]:
            at = printout.find(' '.join(line.split()), at)
            assert at >= 0, f'type {kind}: {line!r} not in order in the print:\n{text}'
        if kind == 2:
            # A refused clipboard is told, and the focus comes back.
            self.run('navigator.clipboard.write = () => Promise.reject(new Error("no"));'
                     'document.execCommand = () => false;')
            self.alt('k')
            WebDriverWait(self.driver, 5).until(lambda d: self.dialog() == 'CopyFailed')
            self.keys(Keys.ENTER)
            self.back_in_result()
            self.run('delete navigator.clipboard.write; delete document.execCommand;')
        if kind == 9:
            # The menu's guide too, which gives the focus back to the result.
            self.choose_from_menu(self.texts['Guide'], self.texts['HelpMenu'])
            assert self.dialog() == 'Guide'
            self.driver.save_screenshot(str(self.out / 'guide.png'))
            self.keys(Keys.ESCAPE)
            self.back_in_result()

    def check_sheet(self, kind):
        png = self.out / f'sheet-type-{kind}.png'
        data = self.run('return document.getElementById("PaintBox1").toDataURL("image/png")')
        png.write_bytes(base64.b64decode(data.split(',', 1)[1]))
        height = self.run('return qx5.view().RowHeight')
        verdict = self.reference.ask(f'check {png} {height} {BLUE_CONTRAST}')
        assert verdict == 'ok', f'type {kind}: {verdict}'

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
        result = self.active()
        assert result.get_attribute('id') == 'Result', 'the result has not the focus'
        assert result.get_attribute('aria-label') == self.texts['ResultName']
        assert result.get_attribute('value').split('\n')[0] == \
            f'{state["CorrectCount"]} rigtige af {state["StepsPerSeries"]}.'
        self.check_sheet(kind)
        if kind in TAKEN_AWAY:
            self.take_away(kind, *TAKEN_AWAY[kind])


def start_browser(profile):
    options = webdriver.ChromeOptions()
    options.binary_location = '/usr/bin/chromium'
    options.add_argument('--headless=new')
    options.add_argument('--window-size=1024,768')
    options.add_argument(f'--user-data-dir={profile}')
    # Chromium's sandbox refuses root, and needs a user namespace, which a chroot refuses.
    if os.geteuid() == 0 or subprocess.run(['unshare', '--user', 'true'],
                                           stderr=subprocess.DEVNULL).returncode != 0:
        options.add_argument('--no-sandbox')
    options.set_capability('goog:loggingPrefs', {'performance': 'ALL', 'browser': 'ALL'})
    return webdriver.Chrome(service=Service('/usr/bin/chromedriver'), options=options)


def requests_in(log):
    events = (json.loads(entry['message'])['message'] for entry in log)
    return [e['params']['request']['url'][:80] for e in events
            if e['method'] == 'Network.requestWillBeSent']


def main():
    page_file = pathlib.Path(sys.argv[1]).resolve()
    reference = Reference(sys.argv[2])
    out = pathlib.Path(tempfile.mkdtemp(prefix='qx5-browser-'))
    driver = start_browser(out / 'profile')
    try:
        driver.execute_cdp_cmd('Emulation.setEmulatedMedia', {
            'features': [{'name': 'prefers-color-scheme', 'value': 'dark'}]})
        driver.get(f'{page_file.as_uri()}?seed={SEED}')
        WebDriverWait(driver, 30).until(
            lambda d: d.execute_script('return document.body.dataset.ready'))
        loaded = driver.get_log('performance')
        driver.execute_cdp_cmd('Browser.grantPermissions', {
            'permissions': ['clipboardReadWrite', 'clipboardSanitizedWrite']})
        page = Page(driver, reference, out)
        page.program = page.run('return qx5.program()')
        page.texts = page.program['Texts']
        assert driver.title.replace('\xa0', ' ') == page.texts['Caption'], f'the title: {driver.title!r}'
        # The theme is dark indeed: the sheet had a dark face to refuse.
        face = page.run('''const p = document.createElement("div");
            p.style.background = "ButtonFace"; document.body.append(p);
            const c = getComputedStyle(p).backgroundColor; p.remove(); return c;''')
        assert sum(int(v) for v in face[4:-1].split(',')) < 3 * 128, f'the theme\'s face is {face}'
        reference.ask(f'seed {SEED}')
        for kind, how, wrong, restart in SERIES:
            page.play(kind, how, wrong, restart)
        # The browser's zoom, or another screen: the sheet is drawn again at the new ratio.
        driver.execute_cdp_cmd('Emulation.setDeviceMetricsOverride', {
            'width': 1024, 'height': 768, 'deviceScaleFactor': 2, 'mobile': False})
        WebDriverWait(driver, 10).until(lambda d: d.execute_script(
            'const c = document.getElementById("PaintBox1");'
            'return c.width === 2 * parseInt(c.style.width)'),
            'the sheet was not drawn again at the new pixel ratio')
        # With the exercise window hidden, the about box gives the focus back to the menu bar.
        page.choose_from_menu(page.program['Groups'][1])
        page.choose_from_menu(page.texts['AboutItem'], page.texts['HelpMenu'])
        page.keys(Keys.ENTER)
        assert page.active().get_attribute('class') == 'menu-title', 'the focus is not on the menu bar'
        after = requests_in(driver.get_log('performance'))
        assert requests_in(loaded), 'the log saw no request at all, not even the page'
        assert not after, f'requests after load: {after}'
        stored = driver.execute_async_script('''const done = arguments[0];
                indexedDB.databases().then((d) => done([document.cookie, localStorage.length,
                                                       sessionStorage.length, d.length]));''')
        assert stored == ['', 0, 0, 0], f'stored: {stored}'
        driver.save_screenshot(str(out / 'page.png'))
        print(f'16 types played; sheets and the screenshot in {out}')
    finally:
        driver.quit()
        shutil.rmtree(out / 'profile', ignore_errors=True)
    return 0


if __name__ == '__main__':
    sys.exit(main())
