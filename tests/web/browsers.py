#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 QX5-holdet
# SPDX-License-Identifier: GPL-3.0-or-later

"""The browser engines the browser tests run in, from outside the page, each behind the same
small driver: Chromium through chromedriver (and its DevTools commands), WebKitGTK through
Debian's WebKitWebDriver, Firefox ESR through WebDriver BiDi (puppeteer-core, bidi_browser.mjs).
What an engine does not let a test do, its driver answers with None.

    browsers.py   prints the engines installed here, one a line (for CTest)
"""

import base64
import collections
import glob
import json
import os
import pathlib
import shutil
import socket
import subprocess
import sys
import time

HERE = pathlib.Path(__file__).resolve().parent
# The browser WebKitWebDriver drives: WebKitGTK's own, in the library's folder.
MINIBROWSER = next(iter(sorted(glob.glob('/usr/lib/*/webkit2gtk-4.1/MiniBrowser'))), '')


# Selenium is imported when a driver needs it, so that CTest may ask which engines are here
# on a machine without it.
def selenium_keys():
    from selenium.webdriver.common.keys import Keys
    return Keys


class Selenium:
    """Chromium or WebKitGTK through Selenium."""

    def __init__(self, driver):
        self.driver = driver

    def get(self, url):
        self.driver.get(url)

    def run(self, script, *args):
        return self.driver.execute_script(script, *args)

    def run_async(self, script, *args):
        return self.driver.execute_async_script(script, *args)

    def keys(self, *keys):
        self.driver.switch_to.active_element.send_keys(*keys)

    def alt(self, letter):
        from selenium.webdriver.common.action_chains import ActionChains
        Keys = selenium_keys()
        ActionChains(self.driver).key_down(Keys.ALT).send_keys(letter).key_up(Keys.ALT).perform()

    def click(self, selector, frame=None):
        from selenium.webdriver.common.by import By
        if frame:
            self.driver.switch_to.frame(self.driver.find_element(By.CSS_SELECTOR, frame))
        try:
            self.driver.find_element(By.CSS_SELECTOR, selector).click()
        finally:
            self.driver.switch_to.default_content()

    def screenshot(self, path):
        self.driver.save_screenshot(str(path))

    def title(self):
        return self.driver.title

    def quit(self):
        self.driver.quit()

    # What only some engines let a test do.
    def pdf(self, height=None):
        return None

    def requests(self):
        return None

    def compose(self, text):
        return None

    def viewport(self, width, height, ratio, touch=False):
        return None

    def zoom(self, steps):
        return None


class Chromium(Selenium):
    def __init__(self, profile, width, height):
        from selenium import webdriver
        from selenium.webdriver.chrome.service import Service
        options = webdriver.ChromeOptions()
        options.binary_location = '/usr/bin/chromium'
        options.add_argument('--headless=new')
        options.add_argument(f'--window-size={width},{height}')
        options.add_argument(f'--user-data-dir={profile}')
        # Chromium's sandbox refuses root, and needs a user namespace, which a chroot refuses.
        if os.geteuid() == 0 or subprocess.run(['unshare', '--user', 'true'],
                                               stderr=subprocess.DEVNULL).returncode != 0:
            options.add_argument('--no-sandbox')
        options.set_capability('goog:loggingPrefs', {'performance': 'ALL', 'browser': 'ALL'})
        super().__init__(webdriver.Chrome(service=Service('/usr/bin/chromedriver'), options=options))
        self.size = (width, height)
        self.cdp('Emulation.setEmulatedMedia', {
            'features': [{'name': 'prefers-color-scheme', 'value': 'dark'}]})

    def cdp(self, command, parameters=None):
        return self.driver.execute_cdp_cmd(command, parameters or {})

    def get(self, url):
        super().get(url)
        self.cdp('Browser.grantPermissions', {
            'permissions': ['clipboardReadWrite', 'clipboardSanitizedWrite']})

    def pdf(self, height=None):
        paper = {'paperHeight': height} if height else {}
        return base64.b64decode(self.cdp('Page.printToPDF', {'displayHeaderFooter': True, **paper})['data'])

    def requests(self):
        events = (json.loads(entry['message'])['message'] for entry in self.driver.get_log('performance'))
        return [e['params']['request']['url'][:80] for e in events
                if e['method'] == 'Network.requestWillBeSent']

    def compose(self, text):
        self.cdp('Input.imeSetComposition', {
            'text': text, 'selectionStart': len(text), 'selectionEnd': len(text)})
        self.cdp('Input.insertText', {'text': text})
        return True

    def viewport(self, width, height, ratio, touch=False):
        self.cdp('Emulation.setDeviceMetricsOverride', {
            'width': width, 'height': height, 'deviceScaleFactor': ratio, 'mobile': touch})
        self.cdp('Emulation.setTouchEmulationEnabled', {'enabled': touch, 'maxTouchPoints': 5})
        self.cdp('Emulation.setEmitTouchEventsForMouse', {'enabled': touch})
        return True

    def tap(self, x, y):
        for kind in ('touchStart', 'touchEnd'):
            self.cdp('Input.dispatchTouchEvent', {
                'type': kind, 'touchPoints': [{'x': x, 'y': y}] if kind == 'touchStart' else []})
        return True


class WebKitGTK(Selenium):
    def __init__(self, profile, width, height):
        from selenium import webdriver
        from selenium.webdriver.webkitgtk.options import Options
        with socket.socket() as s:
            s.bind(('127.0.0.1', 0))
            port = s.getsockname()[1]
        self.service = subprocess.Popen(['/usr/bin/WebKitWebDriver', f'--port={port}'],
                                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        options = Options()
        options.binary_location = MINIBROWSER
        options.add_argument('--automation')
        options.add_argument('--dark-mode')
        for _ in range(100):
            try:
                socket.create_connection(('127.0.0.1', port)).close()
                break
            except OSError:
                time.sleep(0.1)
        try:
            super().__init__(webdriver.Remote(command_executor=f'http://127.0.0.1:{port}', options=options))
            self.driver.set_window_size(width, height)
        except Exception:
            self.service.kill()
            raise

    # WebKitWebDriver knows no Print Page command: no PDF here.

    def zoom(self, steps):
        """The browser's own zoom, Ctrl and plus, by X keys to its window: WebDriver's keys
        reach the page, never the window's shortcuts."""
        windows = subprocess.run(['xdotool', 'search', '--onlyvisible', '--class', 'MiniBrowser'],
                                 capture_output=True, text=True).stdout.split()
        subprocess.run(['xdotool', 'windowfocus', '--sync', windows[-1]], check=True, stderr=subprocess.DEVNULL)
        for _ in range(steps):
            subprocess.run(['xdotool', 'key', 'ctrl+plus'], check=True, stderr=subprocess.DEVNULL)
        return True

    def quit(self):
        try:
            super().quit()
        finally:
            self.service.kill()
            self.service.wait()


class Firefox:
    """Firefox ESR through WebDriver BiDi, by bidi_browser.mjs."""

    def __init__(self, profile, width, height):
        self.process = subprocess.Popen(['node', HERE / 'bidi_browser.mjs', str(profile), str(width), str(height)],
                                        stdin=subprocess.PIPE, stdout=subprocess.PIPE, text=True, encoding='utf-8')

    def ask(self, name, **arguments):
        self.process.stdin.write(json.dumps({'name': name, **arguments}) + '\n')
        self.process.stdin.flush()
        line = self.process.stdout.readline()
        if not line:
            raise RuntimeError(f'Firefox\'s driver ended at {name}')
        answer = json.loads(line)
        if 'error' in answer:
            raise RuntimeError(f'{name}: {answer["error"]}')
        return answer['value']

    def get(self, url):
        self.ask('get', url=url)

    def run(self, script, *args):
        return self.ask('run', script=script, args=args)

    def run_async(self, script, *args):
        return self.ask('runAsync', script=script, args=args)

    def keys(self, *keys):
        self.ask('keys', text=''.join(keys))

    def alt(self, letter):
        self.keys(selenium_keys().ALT + letter)

    def click(self, selector, frame=None):
        self.ask('click', selector=selector, frame=frame)

    def screenshot(self, path):
        self.ask('screenshot', path=str(path))

    def title(self):
        return self.ask('title')

    def pdf(self, height=None):
        return base64.b64decode(self.ask('pdf', height=height))

    def requests(self):
        return self.ask('requests')

    def compose(self, text):
        return None

    def viewport(self, width, height, ratio, touch=False):
        self.ask('viewport', width=width, height=height, ratio=ratio)
        return True

    def quit(self):
        self.process.stdin.close()
        try:
            self.process.wait(30)
        except subprocess.TimeoutExpired:
            self.process.kill()
            self.process.wait()


def has_puppeteer():
    return shutil.which('node') is not None and (HERE / 'node_modules' / 'puppeteer-core').is_dir()


def has_selenium():
    return subprocess.run(['/usr/bin/python3', '-c', 'import selenium'], capture_output=True).returncode == 0


Engine = collections.namedtuple('Engine', 'installed driver clipboard dark_face')

# The engines: whether each is installed, its driver, whether a test may read the clipboard
# in it (Firefox and WebKit leave that to a user's paste), and whether its dark theme gives a
# dark button face (WebKit's stays light grey).
ENGINES = {
    'chromium': Engine(lambda: has_selenium()
                       and all(map(os.path.exists, ['/usr/bin/chromium', '/usr/bin/chromedriver'])),
                       Chromium, True, True),
    'firefox': Engine(lambda: has_selenium() and os.path.exists('/usr/bin/firefox-esr') and has_puppeteer(),
                      Firefox, False, True),
    # Its zoom is keys sent to its window by xdotool.
    'webkitgtk': Engine(lambda: has_selenium() and shutil.which('xdotool') is not None
                        and all(map(os.path.exists, ['/usr/bin/WebKitWebDriver', MINIBROWSER])),
                        WebKitGTK, False, False),
}


def start(engine, profile, width=1024, height=768):
    return ENGINES[engine].driver(profile, width, height)


if __name__ == '__main__':
    print('\n'.join(name for name, engine in ENGINES.items() if engine.installed()))
    sys.exit(0)
