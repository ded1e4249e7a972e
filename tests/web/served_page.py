#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 QX5-holdet
# SPDX-License-Identifier: GPL-3.0-or-later

"""The browser edition from a school's own server, for each of a private Apache and a
private nginx configured with the qx5-web package's own files: the headers as curl gets
them; the page in Chromium under the server's policy with no violation reported, a series
played and only the site's files kept by its service worker; the server stopped, the page
opened again from the manifest's start address and a whole series played without it; then
a new version served (the site put together again with another splash picture), after
which the old version's files are gone from the browser.

    served_page.py <site> <tools/web's build folder> <work folder>
"""

import json
import pathlib
import shutil
import subprocess
import sys
import urllib.parse

from selenium.webdriver.common.keys import Keys

from browser_series import Page, wait_until
from browsers import Chromium
from served_headers import files_of, header_faults

SERVERS = ['apache2', 'nginx']
TESTS = pathlib.Path(__file__).resolve().parent.parent
SERVER = TESTS / 'support' / 'web_server.sh'
MAKE_FORMS = TESTS.parent / 'web' / 'make_forms.py'
# Every frame's policy violations, from before the page's first script.
WATCH = '''window.qx5Violations = [];
document.addEventListener('securitypolicyviolation',
    (e) => top.qx5Violations.push(`${e.violatedDirective} ${e.blockedURI} ${e.sourceFile}:${e.lineNumber}`));'''


def manifest_of(base, site):
    """The page's manifest, with the start address it gives."""
    name = next(n for n in files_of(site) if n.endswith('.webmanifest'))
    manifest = json.loads((site / name).read_text())
    assert manifest['lang'] == 'da' and manifest['display'] == 'standalone', manifest
    assert manifest['name'] and manifest['description'], manifest
    sizes = {(i['sizes'], i.get('purpose', 'any')) for i in manifest['icons']}
    assert {('192x192', 'any'), ('512x512', 'any'), ('512x512', 'maskable')} <= sizes, sizes
    for icon in manifest['icons']:
        assert (site / name).parent.joinpath(icon['src']).is_file(), icon
    return urllib.parse.urljoin(base + name, manifest['start_url'])


def kept(browser):
    """The browser's caches of the page's origin, with the addresses each holds."""
    return browser.run_async('''const done = arguments[arguments.length - 1];
        caches.keys().then((names) => Promise.all(names.map((name) => caches.open(name)
            .then((cache) => cache.keys()).then((requests) => [name, requests.map((r) => r.url)]))))
            .then((all) => done(Object.fromEntries(all)));''')


def open_page(browser, url):
    browser.get(url)
    wait_until(lambda: browser.run('return document.body.dataset.ready'), 30, f'{url} did not start')
    # The page is under its worker before it is left to itself.
    browser.run_async('''const done = arguments[arguments.length - 1];
        navigator.serviceWorker.ready.then(() => done());''')
    page = Page(browser, 'chromium', None, None)
    page.program = page.run('return qx5.program()')
    page.texts = page.program['Texts']
    return page


def play(page, where, guide=False):
    """A series of the first type, its second step answered wrong; the guide opened first."""
    page.choose_from_menu(page.program['Types'][0]['Caption'])
    if guide:
        page.browser.requests()
        page.guide()
    state = page.run('return qx5.state()')
    while not state['SeriesFinished']:
        expected = state['ExpectedResult']
        page.keys(str(expected + 1 if state['StepIndex'] == 2 else expected), Keys.ENTER)
        state = page.run('return qx5.state()')
    assert state['CorrectCount'] == state['StepsPerSeries'] - 1, f'{where}: {state}'
    violations = page.run('return qx5Violations')
    assert not violations, f'{where}: the policy was violated: {violations}'


def serve(server, work, site, port=''):
    """The server started in <work>/server, which starting empties."""
    subprocess.run([SERVER, 'start', server, work / 'server', site, *([port] if port else [])],
                   check=True)
    port = (work / 'server' / 'port').read_text().strip()
    return port, f'http://127.0.0.1:{port}/qx5/'


def stop(work):
    subprocess.run([SERVER, 'stop', work / 'server'], check=True)


def run(server, site, new_site, work):
    port, base = serve(server, work, site)
    try:
        faults = header_faults(base, site)
        assert not faults, f'{server}:\n' + '\n'.join(faults)
        start = manifest_of(base, site)
    finally:
        stop(work)
    browser = Chromium(work / 'profile', 1024, 768)
    try:
        browser.cdp('Page.addScriptToEvaluateOnNewDocument', {'source': WATCH})
        serve(server, work, site, port)
        page = open_page(browser, start)
        play(page, f'{server}, served', guide=True)
        caches = kept(browser)
        assert len(caches) == 1 and sorted(next(iter(caches.values()))) == \
            sorted(base + name for name in files_of(site)), f'{server}: kept {caches}'
        stop(work)
        assert subprocess.run(['curl', '-s', base]).returncode != 0, f'{server} still answers'
        play(open_page(browser, start), f'{server}, without the server')

        serve(server, work, new_site, port)
        browser.get(base)
        new = sorted(base + name for name in files_of(new_site))
        wait_until(lambda: sorted(sum(kept(browser).values(), [])) == new, 30,
                   f'{server}: the new version did not replace the old')
        gone = set(base + name for name in files_of(site)) - set(new)
        assert gone, 'the new version has the old one\'s files'
        print(f'{server}: {len(new)} files kept, {len(gone)} of the old version gone')
    finally:
        browser.quit()
        stop(work)
        shutil.rmtree(work / 'profile', ignore_errors=True)


def new_version(build, work):
    """The site as make_forms.py puts it together from the same engine, with one picture
    changed."""
    pictures = work / 'pictures'
    shutil.rmtree(pictures, ignore_errors=True)
    shutil.copytree(build / 'pictures', pictures)
    with open(pictures / 'splash.png', 'ab') as splash:
        splash.write(b'another version')  # after the picture's end, which browsers skip
    subprocess.run(['/usr/bin/python3', MAKE_FORMS, '--wasm', build / 'wasm' / 'web',
                    '--pictures', pictures, work / 'new'], check=True)
    return work / 'new' / 'site'


def main():
    site, build, work = (pathlib.Path(a).resolve() for a in sys.argv[1:4])
    work.mkdir(parents=True, exist_ok=True)
    # The page opened as a file names no manifest, and so registers no worker.
    assert '<link rel="manifest"' not in (site.parent / 'qx5.html').read_text(), 'qx5.html is installable'
    new_site = new_version(build, work)
    for server in SERVERS:
        run(server, site, new_site, work / server)
    return 0


if __name__ == '__main__':
    sys.exit(main())
