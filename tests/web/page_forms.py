#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 QX5-holdet
# SPDX-License-Identifier: GPL-3.0-or-later

"""The browser edition's two forms as browsers get them: site/ from a web server on
127.0.0.1 that sends the strict Content-Security-Policy a school's server will send, and
qx5.html opened as a file. In each, every script but the engine's loader is strict as
shipped (node's parser, told what the page tells the browser: module or classic), the page
adds no name to the window but the loader's and its own, and in Chromium it starts with
nothing on its console and sizes the answer box and enables the type buttons by the
engine's data. site/ holds no inline script, style or handler.

    page_forms.py <folder with site/ and qx5.html>
"""

import functools
import html.parser
import http.server
import json
import pathlib
import re
import subprocess
import sys
import tempfile
import threading

from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys
from selenium.webdriver.support.ui import WebDriverWait

sys.path.insert(0, str(pathlib.Path(__file__).parent))
from browser_series import start_browser  # noqa: E402

POLICY = "script-src 'self' 'wasm-unsafe-eval'; style-src 'self'"
# Compiles each script as the browser would, then again with a statement that only sloppy
# code may hold; prints the names of the scripts that took it.
STRICT_PROBE = r'''
const vm = require('vm');
for (const {name, code, module} of JSON.parse(require('fs').readFileSync(0, 'utf8'))) {
    const compile = (text) => (module ? new vm.SourceTextModule(text) : new vm.Script(text));
    compile(code);
    try {
        compile(code + '\nwith ({}) {}');
        console.log(name);
    } catch (e) {
        if (!/strict mode/i.test(e.message)) throw e;
    }
}
'''
# What the loader leaves in a window of its own.
LOADER_NAMES = r'''
const vm = require('vm');
const window = vm.createContext({});
vm.runInContext(require('fs').readFileSync(0, 'utf8'), window);
console.log(JSON.stringify(Object.keys(window)));
'''

# The names the page has on its window that a new window of its own has not; a frame is
# there by its number, and ret_nodes is chromedriver's own.
ADDED_NAMES = '''const frame = document.createElement('iframe');
    document.body.append(frame);
    const own = new Set(Object.getOwnPropertyNames(frame.contentWindow));
    frame.remove();
    return Object.getOwnPropertyNames(window).filter((name) => !own.has(name) && isNaN(name)
        && name !== 'ret_nodes');'''


class Scripts(html.parser.HTMLParser):
    """The page's scripts, in order: their attributes and inline text."""

    def __init__(self, text):
        super().__init__()
        self.found, self.inline_style, self.handlers, self.inside = [], False, [], False
        self.feed(text)

    def handle_starttag(self, tag, attrs):
        attrs = dict(attrs)
        self.inline_style |= tag == 'style' or 'style' in attrs
        self.handlers += [name for name in attrs if name.startswith('on')]
        if tag == 'script':
            self.found.append({'attrs': attrs, 'text': ''})
            self.inside = True

    def handle_endtag(self, tag):
        self.inside &= tag != 'script'

    def handle_data(self, data):
        if self.inside:
            self.found[-1]['text'] += data


def node(script, stdin, *options):
    run = subprocess.run(['node', *options, '-e', script], input=stdin, capture_output=True, text=True)
    assert run.returncode == 0, run.stderr[-2000:]
    return run.stdout


def shipped_scripts(page, folder):
    """Every script the browser runs for the page, with how it runs it; a module's imports
    followed through the folder."""
    scripts, parsed = [], Scripts(page.read_text())
    for n, script in enumerate(parsed.found):
        kind = script['attrs'].get('type', 'text/javascript')
        if kind not in ('text/javascript', 'module'):
            continue
        src = script['attrs'].get('src')
        code = (folder / src).read_text() if src else script['text']
        scripts.append({'name': src or f'inline script {n}', 'code': code, 'module': kind == 'module'})
    for module in (s for s in scripts if s['module']):
        for name in re.findall(r"from '\./([^']+)'", module['code']):
            if all(s['name'] != name for s in scripts):
                scripts.append({'name': name, 'code': (folder / name).read_text(), 'module': True})
    return scripts, parsed


def check_scripts(form, page, site):
    """Every script strict but one, the engine's loader, which defines QX5 and nothing else."""
    scripts, parsed = shipped_scripts(page, site)
    names = node(STRICT_PROBE, json.dumps(scripts), '--experimental-vm-modules').splitlines()
    sloppy = [s for s in scripts if s['name'] in names]
    assert len(scripts) > 1 and len(sloppy) == 1, f'{form}: not strict: {names}'
    defined = json.loads(node(LOADER_NAMES, sloppy[0]['code']))
    assert defined == ['QX5'], f'{form}: {sloppy[0]["name"]} defines {defined}'
    if form == 'site':
        inline = [s['name'] for s in scripts if s['name'].startswith('inline')]
        assert not (inline or parsed.inline_style or parsed.handlers), \
            f'site: inline {inline}, style {parsed.inline_style}, handlers {parsed.handlers}'


class Server(http.server.SimpleHTTPRequestHandler):
    def end_headers(self):
        self.send_header('Content-Security-Policy', POLICY)
        super().end_headers()

    def log_message(self, *args):
        pass


def check_page(driver, form, address):
    """The page starts clean, adds no name but the loader's and its own, and takes its
    sizes and the type buttons' ends from the engine."""
    driver.get(address)
    WebDriverWait(driver, 30).until(lambda d: d.execute_script('return document.body.dataset.ready'))
    added = driver.execute_script(ADDED_NAMES)
    assert added == ['QX5', 'qx5'], f'{form}: names on the window: {added}'
    program = driver.execute_script('return qx5.program()')
    types = program['Types']
    # The last type, the one before it by its Alt letter, the first: the ends' buttons off.
    for choose, previous_on, next_on in [(types[-1], True, False), (None, True, True),
                                         (types[0], False, True)]:
        if choose:
            driver.find_element(By.XPATH, f'//button[text()="{program["Texts"]["TypeMenu"]}"]').click()
            driver.find_element(By.XPATH, f'//*[@role="menu"]/*[text()="{choose["Caption"]}"]').click()
        else:
            ActionChains(driver).key_down(Keys.ALT).send_keys(program['Keys']['SpeedButton10'].lower()) \
                .key_up(Keys.ALT).perform()
        buttons = driver.execute_script('return ["SpeedButton10", "SpeedButton6"].map('
                                        '(id) => !document.getElementById(id).disabled)')
        assert buttons == [previous_on, next_on], f'{form}: type buttons {buttons} after {choose}'
    box = driver.switch_to.active_element
    box.send_keys('12345x')
    sizes = program['Sizes']
    assert box.get_attribute('value') == '12345'[:sizes['AnswerDigits']]
    assert [box.size['width'], box.size['height']] == [sizes['AnswerBoxWidth'], sizes['AnswerBoxHeight']]
    errors = [e['message'] for e in driver.get_log('browser') if e['level'] == 'SEVERE']
    assert not errors, f'{form}: {errors}'


def main():
    out = pathlib.Path(sys.argv[1]).resolve()
    site = out / 'site'
    server = http.server.ThreadingHTTPServer(
        ('127.0.0.1', 0), functools.partial(Server, directory=str(site)))
    threading.Thread(target=server.serve_forever, daemon=True).start()
    forms = [('site', site / 'index.html', f'http://127.0.0.1:{server.server_port}/index.html'),
             ('qx5.html', out / 'qx5.html', (out / 'qx5.html').as_uri())]
    with tempfile.TemporaryDirectory(prefix='qx5-forms-') as profile:
        driver = start_browser(profile)
        try:
            for form, page, address in forms:
                check_scripts(form, page, site)
                check_page(driver, form, address)
        finally:
            driver.quit()
            server.shutdown()
    print('both forms strict and clean')
    return 0


if __name__ == '__main__':
    sys.exit(main())
