#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 QX5-holdet
# SPDX-License-Identifier: GPL-3.0-or-later

"""The browser edition's speed, in Debian's Chromium (headless), as ratios against a bare
page measured in the same run, and its sizes.

  load:  navigation start to the first type's sheet painted (the page ready, then type 1
         chosen from the menu), against a bare page that loads the same fonts and paints
         one line of text on a canvas;
  Enter: Enter in the answer box to the next instruction painted, against a bare page whose
         input's Enter paints one line of text on a canvas; and the page's own work on the
         key alone, which the frames hide.

"Painted" is the second animation frame after the change. Medians of the runs given, each
measured as it is and with the CPU throttled four times (DevTools' CPU throttling), as on a
Chromebook of a classroom.

    web_speed.py <folder made by tools/web> [runs]
"""

import json
import os
import pathlib
import shutil
import statistics
import sys
import tempfile

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.support.ui import WebDriverWait

BARE = '''<!DOCTYPE html>
<html><head><meta charset="utf-8"><style>
@font-face { font-family: "QX5 Serif"; src: url("fonts/QX5Serif-Regular.woff2"); }
@font-face { font-family: "QX5 Mono"; font-weight: bold;
             src: url("fonts/QX5Mono-Bold.woff2"); }
</style></head><body>
<canvas id="c" width="600" height="400"></canvas><input id="i">
<script>
const g = document.getElementById('c').getContext('2d');
let row = 0;
function line() {
    g.font = '18.67px "QX5 Serif"';
    g.fillStyle = '#00f';
    g.fillText('Læg 5 til', 20, 30 + 25 * (row++ % 12));
}
Promise.all([document.fonts.load('18.67px "QX5 Serif"'),
             document.fonts.load('bold 16px "QX5 Mono"')]).then(() => {
    line();
    document.body.dataset.ready = 'true';
});
document.getElementById('i').addEventListener('keydown', (e) => {
    if (e.key === 'Enter') { line(); }
});
</script></body></html>
'''

# Resolves with the time from the start of the navigation to the second frame after the
# page's first picture: for qx5 the first type's sheet, for the bare page its line.
LOAD = '''const done = arguments[0];
const painted = () => requestAnimationFrame(() => requestAnimationFrame(
    () => done(performance.now())));
const item = [...document.querySelectorAll('[role="menu"] [role="menuitem"]')][2];
if (item) { item.click(); }
painted();'''

# For each answer given, the time from Enter to the second frame after it, and the time the
# page's own work on it took (the key's handlers, the engine and the drawing).
ENTER = '''const [answers, done] = arguments;
// qx5 gives each step a new answer box: it is looked up for every answer.
const boxId = window.qx5 ? 'Edit1' : 'i';
const times = [];
function next() {
    if (times.length === answers) { done(times); return; }
    let box = document.getElementById(boxId);
    if (window.qx5 && (box.hidden || box.classList.contains('retired'))) {
        document.getElementById('SpeedButton5').click();
        box = document.getElementById(boxId);
    }
    box.value = window.qx5 ? String(qx5.state().ExpectedResult) : '7';
    const start = performance.now();
    box.dispatchEvent(new KeyboardEvent('keydown', {key: 'Enter', bubbles: true}));
    const work = performance.now() - start;
    requestAnimationFrame(() => requestAnimationFrame(() => {
        times.push([performance.now() - start, work]);
        setTimeout(next, 20);
    }));
}
next();'''


# The CPU as it is, and four times slower.
THROTTLES = (1, 4)


def browser(profile):
    options = webdriver.ChromeOptions()
    options.binary_location = '/usr/bin/chromium'
    for argument in ['--headless=new', '--window-size=1024,768', f'--user-data-dir={profile}']:
        options.add_argument(argument)
    if os.geteuid() == 0:
        options.add_argument('--no-sandbox')
    return webdriver.Chrome(service=Service('/usr/bin/chromedriver'), options=options)


def measure(driver, url, answers, throttle):
    driver.execute_cdp_cmd('Emulation.setCPUThrottlingRate', {'rate': throttle})
    driver.get(url)
    WebDriverWait(driver, 30).until(lambda d: d.execute_script('return document.body.dataset.ready'))
    load = driver.execute_async_script(LOAD)
    enter = driver.execute_async_script(ENTER, answers)
    return load, statistics.median(t[0] for t in enter), statistics.median(t[1] for t in enter)


def folder_size(folder):
    return sum(f.stat().st_size for f in folder.rglob('*') if f.is_file())


def main():
    forms = pathlib.Path(sys.argv[1]).resolve()
    runs = int(sys.argv[2]) if len(sys.argv) > 2 else 15
    work = pathlib.Path(tempfile.mkdtemp(prefix='qx5-speed-'))
    (work / 'bare.html').write_text(BARE)
    # The site's files carry their content's hash in their names; the bare page names the fonts
    # without it.
    (work / 'fonts').mkdir()
    for font in ['QX5Serif-Regular', 'QX5Mono-Bold']:
        shutil.copy(next((forms / 'site' / 'fonts').glob(f'{font}.*.woff2')), work / 'fonts' / f'{font}.woff2')
    driver = browser(work / 'profile')
    try:
        pages = {'qx5': (forms / 'qx5.html').as_uri() + '?seed=1', 'bare': (work / 'bare.html').as_uri()}
        figures = {(page, throttle): [] for throttle in THROTTLES for page in pages}
        for _ in range(runs):
            # In turns, so that a busy moment falls on both.
            for page, throttle in figures:
                figures[page, throttle].append(measure(driver, pages[page], 45, throttle))
    finally:
        driver.quit()
        shutil.rmtree(work, ignore_errors=True)
    results = {'runs': runs}
    for throttle in THROTTLES:
        for at, name in enumerate(['load', 'enter', 'enter_work']):
            ms = {page: round(statistics.median(v[at] for v in figures[page, throttle]), 2) for page in pages}
            suffix = '' if throttle == 1 else f'_cpu_{throttle}x'
            results[f'{name}_ms{suffix}'] = ms
            results[f'{name}_ratio{suffix}'] = round(ms['qx5'] / ms['bare'], 2)
    print(json.dumps({
        **results,
        'qx5.html_bytes': (forms / 'qx5.html').stat().st_size,
        'site_bytes': folder_size(forms / 'site'),
        'site_wasm_bytes': next((forms / 'site').glob('qx5.*.wasm')).stat().st_size,
    }, indent=2))
    return 0


if __name__ == '__main__':
    sys.exit(main())
