#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 QX5-holdet
# SPDX-License-Identifier: GPL-3.0-or-later

"""The browser edition on the screens of a classroom, in Chromium's device emulation: on each
device a series of type 9 worked by finger (taps and the hand-in button) or by keyboard, two
answers wrong, beside the desktop's engine. Nothing of the page wider than the view, menus on
the screen, the answer box in view at every step, a finger's targets at least 44 x 44 CSS px
(a mouse's as on the desktop), the finished sheet whole and sharp at the device's pixel
ratio; and axe-core finds nothing in the main window, during the series, at its end and with
the heading dialog open.

    browser_devices.py <qx5.html> <engine_reference>
"""

import pathlib
import shutil
import sys
import tempfile

from selenium.webdriver.common.keys import Keys

import browsers
from browser_series import SEED, Reference, check_sheet, wait_until

# name, CSS width and height, pixel ratio, touch.
DEVICES = [
    ('phone', 360, 640, 3, True),
    ('split-ipad', 507, 768, 2, True),
    ('ipad', 768, 1024, 2, True),
    ('narrowest', 320, 568, 2, True),
    ('desktop', 1024, 768, 1, False),
]
TYPE, WRONG = 9, (2, 7)
# What a finger must be able to hit.
TARGETS = '.menu-title, [role="menu"]:not([hidden]) [role="menuitem"], #Panel1 button, #Edit1:not([hidden]), #HandIn'
AXE = pathlib.Path(__file__).resolve().parent / 'node_modules' / 'axe-core' / 'axe.min.js'


class Device:
    def __init__(self, browser, reference, out, name, width, height, ratio, touch):
        self.browser = browser
        self.reference = reference
        self.out = out
        self.name = name
        self.width, self.height, self.ratio, self.touch = width, height, ratio, touch

    def run(self, script, *args):
        return self.browser.run(script, *args)

    def rect(self, selector, caption=''):
        """Where the first of the selector's elements is whose text begins with the caption."""
        return self.run('''const e = [...document.querySelectorAll(arguments[0])]
                .find((e) => e.textContent.startsWith(arguments[1]));
            const r = e.getBoundingClientRect(); return [r.left, r.top, r.right, r.bottom];''',
                        selector, caption)

    def tap(self, selector, caption=''):
        left, top, right, bottom = self.rect(selector, caption)
        self.tap_at((left + right) / 2, (top + bottom) / 2)

    def tap_at(self, x, y):
        """A finger's tap, or a mouse's click."""
        if self.touch:
            self.browser.tap(x, y)
            return
        for kind in ('mousePressed', 'mouseReleased'):
            self.browser.cdp('Input.dispatchMouseEvent', {'type': kind, 'x': x, 'y': y,
                                                          'button': 'left', 'clickCount': 1})

    def fits(self, where):
        wide = self.run('return document.documentElement.scrollWidth')
        assert wide <= self.width, f'{self.name}, {where}: the page is {wide} px wide'

    def targets(self, where):
        sizes = self.run('''return [...document.querySelectorAll(arguments[0])]
            .filter((e) => e.offsetParent).map((e) => [e.id || e.textContent.trim().slice(0, 20),
                                                        e.offsetWidth, e.offsetHeight]);''', TARGETS)
        if self.touch:
            small = [s for s in sizes if s[1] < 44 or s[2] < 44]
            assert not small, f'{self.name}, {where}: under 44 x 44 px: {small}'
        else:
            # A mouse's targets as on the desktop; no hand-in button.
            assert not [s for s in sizes if s[0] == 'HandIn'], f'{where}: a hand-in button for a mouse'
            buttons = [s for s in sizes if s[0].startswith('SpeedButton')]
            shown = self.run('return !document.getElementById("TForm2").hidden')
            assert len(buttons) == (7 if shown else 0), buttons
            assert all(s[1] in (32, 33) and s[2] == s[1] for s in buttons), buttons

    def axe(self, where):
        result = self.browser.run_async('''const done = arguments[0];
            axe.run(document, {runOnly: ['wcag2a', 'wcag2aa', 'wcag21a', 'wcag21aa', 'wcag22aa',
                                         'best-practice']})
               .then((r) => done(r.violations.map((v) => [v.id, v.nodes.map((n) => n.target)])),
                     (e) => done(String(e)));''')
        assert result == [], f'{self.name}, {where}: axe-core finds {result}'

    def menus(self):
        """Each menu opened by its title is on the screen, and a tap outside closes it."""
        for index in range(3):
            self.tap(f'#MainMenu1 > div:nth-child({index + 1}) > .menu-title')
            left, top, right, bottom = self.rect('[role="menu"]:not([hidden])')
            assert left >= 0 and right <= self.width and bottom <= self.height, \
                f'{self.name}: menu {index + 1} at {left, top, right, bottom}'
            self.targets(f'menu {index + 1}')
            self.fits(f'menu {index + 1}')
            # Below the menu, which leaves the screen's last lines free.
            self.tap_at(self.width / 2, self.height - 4)
            assert self.run('return document.querySelector("[role=menu]:not([hidden])")') is None, \
                f'{self.name}: menu {index + 1} stays open after a tap outside'

    def work_series(self):
        self.tap('#MainMenu1 > div:nth-child(2) > .menu-title')
        item = '[role="menu"]:not([hidden]) [role="menuitem"]'
        self.run('[...document.querySelectorAll(arguments[0])].find((e) => e.textContent.startsWith(arguments[1]))'
                 '.scrollIntoView({block: "nearest"})', item, f'{TYPE}. ')
        self.tap(item, f'{TYPE}. ')
        state = self.reference.state(f'type {TYPE}')
        self.fits('during the series')
        self.targets('during the series')
        self.axe('during the series')
        while not state['SeriesFinished']:
            step, expected = state['StepIndex'], state['ExpectedResult']
            # The box over the answer column, in view, as the pupil types.
            box = self.rect('#Edit1')
            assert box[0] >= 0 and box[2] <= self.width and box[3] <= self.height, \
                f'{self.name}, step {step}: the answer box at {box}'
            typed = str(expected + 1 if step in WRONG else expected)
            self.browser.keys(typed)
            if self.touch:
                self.tap('#HandIn')
            else:
                self.browser.keys(Keys.ENTER)
            state = self.reference.state('answer ' + typed)
            page = self.run('return qx5.state()')
            assert page == state, f'{self.name}, step {step}: the page\'s engine {page}'

    def check_sheet(self):
        """The whole sheet drawn, at the device's pixel ratio, every mark where the desktop
        puts it."""
        width, css, view = self.run('const c = document.getElementById("PaintBox1");'
                                    'return [c.width, c.getBoundingClientRect().width, qx5.view().SheetWidth]')
        assert css >= view and width == round(css * self.ratio), f'{self.name}: the sheet {width}, {css}, {view}'
        check_sheet(self.run, self.reference, self.out / f'sheet-{self.name}.png', self.name, self.ratio)

    def play(self):
        self.fits('the main window')
        self.axe('the main window')
        self.menus()
        self.work_series()
        self.fits('at the end')
        self.axe('at the end')
        self.check_sheet()
        self.browser.screenshot(self.out / f'{self.name}.png')
        self.tap('#SpeedButton2')
        assert self.run('return document.querySelector("dialog[open]")?.id') == 'TOverskrif'
        self.axe('with the heading dialog open')


def main():
    page_file = pathlib.Path(sys.argv[1]).resolve()
    out = pathlib.Path(tempfile.mkdtemp(prefix='qx5-devices-'))
    axe = AXE.read_text()
    for name, width, height, ratio, touch in DEVICES:
        # The desktop's engine, started afresh as the page is.
        reference = Reference(sys.argv[2])
        browser = browsers.start('chromium', out / 'profile', width, height)
        try:
            browser.viewport(width, height, ratio, touch)
            browser.get(f'{page_file.as_uri()}?seed={SEED}')
            wait_until(lambda: browser.run('return document.body.dataset.ready'), 30, 'the page did not start')
            # After the splash picture, which a tap outside a menu may land on.
            wait_until(lambda: browser.run('return !document.getElementById("Image1")'), 10, 'the splash stays')
            browser.run(axe)
            reference.ask(f'seed {SEED}')
            Device(browser, reference, out, name, width, height, ratio, touch).play()
        finally:
            browser.quit()
            reference.process.kill()
            shutil.rmtree(out / 'profile', ignore_errors=True)
    print(f'{len(DEVICES)} devices; sheets and screenshots in {out}')
    return 0


if __name__ == '__main__':
    sys.exit(main())
