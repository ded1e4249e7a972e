#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 QX5-holdet
# SPDX-License-Identifier: GPL-3.0-or-later

"""Puts the browser edition together in its two forms: a folder for a school's web server
(index.html with its files) and one qx5.html with everything inside, which works opened
from a file. The fonts are Debian's Liberation fonts, cut to the characters the program
shows and named after it."""

import argparse
import base64
import hashlib
import json
import pathlib
import re
import shutil
import subprocess
import sys
from html import escape

from fontTools.ttLib import TTFont

HERE = pathlib.Path(__file__).resolve().parent
GUIDE = HERE.parent / 'app' / 'help' / 'qx5_help.html'
# The fonts' copyright notice and licence, from this repository: a minimal system may
# have left out /usr/share/doc.
FONT_LICENCE = [HERE / 'fonts-copyright.txt', HERE.parent / 'LICENSES' / 'OFL-1.1.txt']
# The desktop's face, and the family and style of the cut one. The fonts' licence lets no
# changed font, and a cut one is changed, carry their reserved names ("Liberation", ...).
FONTS = {'Liberation Serif': ('QX5 Serif', 'Regular'),
         'Liberation Mono': ('QX5 Mono', 'Bold')}
# The characters of the program's texts: ASCII, the middle dot and the Danish letters.
CHARACTERS = 'U+0020-007E,U+00B7,U+00C5,U+00C6,U+00D8,U+00E5,U+00E6,U+00F8'
# The page's start; it imports the page's other modules.
START = 'page.js'
# The pictures index.html names, and the web app's icons; the others are the tool bar's.
PAGE_PICTURES = ['splash.png', 'qx5-32.png', 'qx5-192.png', 'qx5-512.png', 'qx5-maskable.png',
                 'qx5-touch.png']
# A server lets browsers keep a file for a year when its name carries its content's hash;
# the big files' names do: the engine, the fonts, the pictures, the loader, the style and the
# pictures and guide the page carries. The page, its other modules, the manifest and the
# service worker keep their names and are asked for anew, so that an update reaches the
# pupils.
CONTENT_NAMED = ('.wasm', '.woff2', '.png')
# Each after the files it names.
CONTENT_NAMED_TEXT = ['qx5.css', 'dialogs.css', 'devices.css', 'qx5.js', 'assets.js']
WORKER = 'service-worker.js'
MANIFEST = 'qx5.webmanifest'
TEXTS = 'texts.json'


def font_file(family, style):
    """The file fontconfig gives the desktop for the face: Debian 12 keeps Liberation 2 in
    liberation2/, Debian 13 in liberation/."""
    found = subprocess.run(['fc-match', '--format=%{family[0]}|%{file}', f'{family}:style={style}'],
                           capture_output=True, text=True, check=True).stdout.split('|')
    if found[0] != family:
        sys.exit(f'make_forms: fontconfig has no {family}, only {found[0]}')
    return found[1]


def make_fonts(folder):
    folder.mkdir(parents=True, exist_ok=True)
    for original, (family, style) in FONTS.items():
        cut = folder / f'{family.replace(" ", "")}-{style}.woff2'
        subprocess.run(['pyftsubset', font_file(original, style), f'--unicodes={CHARACTERS}',
                        '--layout-features=kern', '--flavor=woff2', '--no-hinting',
                        '--drop-tables+=FFTM', '--name-IDs=0,1,2,3,4,5,6', f'--output-file={cut}'],
                       check=True)
        font = TTFont(cut, recalcTimestamp=False)  # the same files from the same fonts
        names = {1: family, 2: style, 3: f'{family} {style}', 4: f'{family} {style}',
                 6: f'{family.replace(" ", "")}-{style}'}
        for record in font['name'].names:
            record.string = names.get(record.nameID, record.toUnicode())
        font.save(cut)
    (folder / 'LICENSE').write_text(font_licence())


def font_licence():
    return ''.join(path.read_text() for path in FONT_LICENCE)


def data_url(path, kind):
    return f'data:{kind};base64,' + base64.b64encode(path.read_bytes()).decode()


def inline_script(script):
    """What would end a script, or start a comment or a closing tag in it, written with an
    escape, which only a string or a pattern can hold."""
    return script.replace('<!--', '\\x3C!--').replace('</', '<\\/')


def self_contained(site):
    """index.html with every file it names inside it."""
    html = (site / 'index.html').read_text()

    def inline_style(link):
        css = (site / link.group(1)).read_text()
        css = re.sub(r'url\("(fonts/[^"]+)"\)',
                     lambda m: f'url("{data_url(site / m.group(1), "font/woff2")}")', css)
        return f'<style>\n{css}</style>'
    html = re.sub(r'<link rel="stylesheet" href="([^"]+\.css)">', inline_style, html)
    wasm = base64.b64encode((site / 'qx5.wasm').read_bytes()).decode()
    # A page opened from a file may import no module: its modules become one, by Debian's
    # esbuild.
    loader = inline_script((site / 'qx5.js').read_text())
    page = inline_script(subprocess.run(
        ['esbuild', START, '--bundle', '--format=esm', '--log-level=warning'],
        cwd=site, capture_output=True, text=True, check=True).stdout)
    html = html.replace('<script src="qx5.js"></script>\n',
                        f'<script id="qx5-wasm" type="application/octet-stream">{wasm}</script>\n'
                        f'<script>\n{loader}</script>\n')
    html = html.replace(f'<script type="module" src="{START}"></script>',
                        f'<script type="module">\n{page}</script>')
    pictures = {p.name: data_url(p, 'image/png') for p in sorted((site / 'pictures').iterdir())}
    html = re.sub(r'(src|href)="pictures/([^"]+)"',
                  lambda m: f'{m.group(1)}="{pictures[m.group(2)]}"', html)
    licence = font_licence().replace('--', '- -')
    return html.replace('</html>', f'<!-- The fonts inside this page:\n{licence}-->\n</html>')


def guide_parts():
    """The desktop's guide and its style apart: under a strict policy the page gives the
    guide its style, which a <style> of its own may not."""
    guide = GUIDE.read_text()
    style = re.search(r'<style>\n(.*?)</style>\n', guide, re.S)
    return guide.replace(style.group(0), ''), style.group(1)


def content_hash(data):
    return hashlib.sha256(data).hexdigest()[:16]


def name_by_content(site):
    """Gives the big files names that carry their content's hash, and every file that names
    one the new name. Returns the new names by the old."""
    renamed = {}

    def rename_in(path):
        text = path.read_text()
        for old, new in renamed.items():
            text = text.replace(old, new)
        path.write_text(text)

    binaries = sorted(str(p.relative_to(site)) for p in site.rglob('*') if p.suffix in CONTENT_NAMED)
    for name in binaries + CONTENT_NAMED_TEXT:
        path = site / name
        if path.suffix not in CONTENT_NAMED:
            rename_in(path)
        named = path.with_name(f'{path.stem}.{content_hash(path.read_bytes())}{path.suffix}')
        path.rename(named)
        renamed[name] = str(named.relative_to(site))
    for path in site.rglob('*'):
        if path.suffix in ('.html', '.js', '.css') and str(path.relative_to(site)) not in renamed.values():
            rename_in(path)
    return renamed


def installable(site, renamed, texts):
    """The web app manifest and the service worker, and the page naming the manifest and the
    icon Safari puts on a home screen: only the site on a server has them, qx5.html not."""
    icons = [{'src': renamed[f'pictures/qx5-{size}.png'], 'sizes': f'{size}x{size}',
              'type': 'image/png'} for size in (192, 512)]
    icons.append({'src': renamed['pictures/qx5-maskable.png'], 'sizes': '512x512',
                  'type': 'image/png', 'purpose': 'maskable'})
    manifest = {'id': './', 'name': texts['WebAppName'], 'short_name': 'QX5', 'lang': 'da',
                'dir': 'ltr', 'description': texts['WebAppDescription'], 'start_url': './', 'scope': './', 'display': 'standalone',
                'background_color': '#ffffff', 'icons': icons}
    (site / MANIFEST).write_text(json.dumps(manifest, ensure_ascii=False, indent=2) + '\n')
    page = site / 'index.html'
    # Its scripts and styles are files: its own policy allows no inline ones either, like the
    # server's (qx5.html, made before, needs them).
    page.write_text(page.read_text().replace(" 'unsafe-inline'", '').replace(
        '<link rel="stylesheet"',
        f'<link rel="manifest" href="{MANIFEST}">\n'
        f'<link rel="apple-touch-icon" href="{renamed["pictures/qx5-touch.png"]}">\n'
        '<link rel="stylesheet"', 1))
    # The worker keeps every file but itself, in a cache named by all of their contents.
    files = sorted(str(p.relative_to(site)) for p in site.rglob('*')
                   if p.is_file() and p.name != WORKER)
    version = content_hash(''.join(f'{f} {content_hash((site / f).read_bytes())}\n'
                                   for f in files).encode())
    worker = site / WORKER
    worker.write_text(worker.read_text().replace(
        "'use strict';\n",
        f"'use strict';\nconst qx5Cache = 'qx5-{version}';\n"
        f"const qx5Files = {json.dumps(files, indent=4)};\n", 1))


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument('--wasm', required=True, type=pathlib.Path,
                        help='the folder with qx5.js and qx5.wasm')
    parser.add_argument('--pictures', required=True, type=pathlib.Path,
                        help='the folder with the pictures as PNG')
    parser.add_argument('out', type=pathlib.Path,
                        help='gets site/ (for a web server) and qx5.html (one file)')
    args = parser.parse_args()
    site = args.out / 'site'
    if site.exists():
        shutil.rmtree(site)
    shutil.copytree(HERE / 'page', site)
    for name in ['qx5.js', 'qx5.wasm']:
        shutil.copyfile(args.wasm / name, site / name)
    # The page's own pictures are files; the tool bar's, at both pixel ratios, come inside
    # a module of the page, so that a zoom or another screen fetches nothing after the page
    # has loaded.
    (site / 'pictures').mkdir()
    tools = {}
    # The pictures tool gives the texts the page shows without the engine, too.
    texts = json.loads((args.pictures / TEXTS).read_text())
    page = site / 'index.html'
    page.write_text(page.read_text().replace('<p id="LoadFailed" role="alert" hidden></p>',
                                             f'<p id="LoadFailed" role="alert" hidden>'
                                             f'{escape(texts["LoadFailed"])}</p>'))
    for picture in sorted(args.pictures.iterdir()):
        if picture.name == TEXTS:
            continue
        if picture.name in PAGE_PICTURES:
            shutil.copyfile(picture, site / 'pictures' / picture.name)
        else:
            tools[picture.name] = data_url(picture, 'image/png')
    # The desktop's guide goes in too: opened as a file of its own, it would be a request.
    guide, guide_style = guide_parts()
    (site / 'assets.js').write_text(
        '// The tool bar\'s pictures and the guide, which the page carries inside it.\n'
        f'export const pictures = {json.dumps(tools, indent=4)};\n'
        f'export const guide = {json.dumps(guide, ensure_ascii=False)};\n'
        f'export const guideStyle = {json.dumps(guide_style, ensure_ascii=False)};\n')
    make_fonts(site / 'fonts')
    (args.out / 'qx5.html').write_text(self_contained(site))
    installable(site, name_by_content(site), texts)
    return 0


if __name__ == '__main__':
    sys.exit(main())
