# SPDX-FileCopyrightText: 2026 QX5-holdet
# SPDX-License-Identifier: GPL-3.0-or-later

"""What a pupil who reads the screen in forced colours or at a large zoom needs, in Debian's
Chromium, headless: in every forced-colour theme the focused menu title and menu item look
otherwise than unfocused (pixels); at 300 % zoom only the sheet scrolls and the range label
is in view.

    focus_and_zoom.py <qx5.html>
"""

import pathlib
import shutil
import sys
import tempfile

from selenium.webdriver.common.keys import Keys
from selenium.webdriver.support.ui import WebDriverWait

from browsers import Chromium

# Chromium's forced colours take the system's colours from the colour scheme asked for.
FORCED_THEMES = ['light', 'dark', '']


def pixels(element):
    """The element's PNG, which the same browser encodes alike for alike pixels."""
    return element.screenshot_as_png


def focus_shows(driver, theme):
    """The menu title and the first item, unfocused and focused: they differ."""
    driver.execute_cdp_cmd('Emulation.setEmulatedMedia', {'features': [
        {'name': 'forced-colors', 'value': 'active'},
        {'name': 'prefers-color-scheme', 'value': theme}]})
    faults = []
    title = driver.find_element('css selector', '.menu-title')
    driver.execute_script('arguments[0].blur()', title)
    unfocused = pixels(title)
    driver.execute_script('arguments[0].focus()', title)
    if unfocused == pixels(title):
        faults.append(f'forced colours {theme or "of the page"}: the focused menu title looks unfocused')
    title.send_keys(Keys.ARROW_DOWN)
    first = driver.switch_to.active_element
    focused = pixels(first)
    first.send_keys(Keys.ARROW_DOWN)
    if focused == pixels(first):
        faults.append(f'forced colours {theme or "of the page"}: the focused menu item looks unfocused')
    title.send_keys(Keys.ESCAPE)
    return faults


def zoomed(driver):
    """At 300 % of a 1280 x 1000 window, with a series on the sheet."""
    driver.execute_cdp_cmd('Emulation.setDeviceMetricsOverride', {
        'width': 427, 'height': 333, 'deviceScaleFactor': 3, 'mobile': False})
    driver.execute_script('document.querySelector(".menu-title").focus()')
    driver.switch_to.active_element.send_keys(Keys.ARROW_RIGHT, Keys.ARROW_DOWN, Keys.ENTER)
    WebDriverWait(driver, 10).until(lambda d: d.execute_script(
        'return document.activeElement.id === "Edit1"'))
    page, label = driver.execute_script('''const page = document.scrollingElement;
        return [[page.scrollWidth - page.clientWidth, page.scrollHeight - page.clientHeight],
                document.getElementById("Label1").getBoundingClientRect().right];''')
    faults = []
    if page != [0, 0]:
        faults.append(f'at 300 %, the page scrolls as well as the sheet, by {page}')
    if label > 427:
        faults.append(f'at 300 %, the range label ends at {label} px, out of view')
    return faults


def main():
    page = pathlib.Path(sys.argv[1]).resolve()
    profile = tempfile.mkdtemp(prefix='qx5-focus-')
    driver = Chromium(profile, 1024, 768).driver
    try:
        driver.get(page.as_uri())
        WebDriverWait(driver, 30).until(lambda d: d.execute_script('return document.body.dataset.ready'))
        faults = [f for theme in FORCED_THEMES for f in focus_shows(driver, theme)] + zoomed(driver)
    finally:
        driver.quit()
        shutil.rmtree(profile, ignore_errors=True)
    if faults:
        sys.exit('focus_and_zoom: ' + '\nfocus_and_zoom: '.join(faults))
    print('focus_and_zoom: the focus shows in every forced-colour theme; at 300 % only the sheet scrolls')
    return 0


if __name__ == '__main__':
    sys.exit(main())
