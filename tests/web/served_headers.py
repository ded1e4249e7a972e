#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 QX5-holdet
# SPDX-License-Identifier: GPL-3.0-or-later

"""What a server sends with the browser edition's site, asked by curl for the page and each
of the site's files: the strict policy, the types, and caching for a year only for files
whose names carry their content's hash, which every big file's name does.

    served_headers.py <the page's address, ending in /> <the site's folder>
"""

import hashlib
import pathlib
import re
import subprocess
import sys

# A file whose name carries the start of its content's SHA-256, which may be kept a year.
HASHED = re.compile(r'\.([0-9a-f]{16})\.[a-z0-9]+$')
YEAR = 365 * 24 * 3600
# A file this big is worth keeping rather than asking for again.
BIG = 16 * 1024
WORKER = 'service-worker.js'
# The types a browser takes each file as (nginx before 1.24 sends the older one for scripts).
TYPES = {'.html': ['text/html'], '.js': ['text/javascript', 'application/javascript'],
         '.wasm': ['application/wasm'], '.css': ['text/css'], '.woff2': ['font/woff2'],
         '.png': ['image/png'], '.webmanifest': ['application/manifest+json']}
# What the page must not be allowed, and what it may not use.
FORBIDDEN_SOURCES = ["'unsafe-inline'", "'unsafe-eval'", '*', 'http:', 'https:']
DENIED = ['camera=()', 'microphone=()', 'geolocation=()', 'payment=()', 'usb=()']


def files_of(site):
    """The site's files by their path under it, the worker's own script left out."""
    return sorted(str(p.relative_to(site)) for p in site.rglob('*')
                  if p.is_file() and p.name != WORKER)


def head(url):
    out = subprocess.run(['curl', '-sS', '-o', '/dev/null', '-D', '-', url],
                         capture_output=True, text=True, check=True).stdout.splitlines()
    fields = dict(line.split(':', 1) for line in out[1:] if ':' in line)
    return out[0].split()[1], {k.strip().lower(): v.strip() for k, v in fields.items()}


def header_faults(base, site):
    faults = []
    for name in ['', WORKER, *files_of(site)]:
        status, fields = head(base + name)
        if status != '200':
            faults.append(f'{name or "/"}: {status}')
            continue
        policy = {words[0]: words[1:] for words in
                  (d.split() for d in fields.get('content-security-policy', '').split(';')) if words}
        if policy.get('script-src') != ["'self'", "'wasm-unsafe-eval'"] or \
                policy.get('default-src') not in (["'none'"], ["'self'"]) or \
                any(s in v for v in policy.values() for s in FORBIDDEN_SOURCES):
            faults.append(f'{name or "/"}: the policy {fields.get("content-security-policy")}')
        for field, value in [('x-content-type-options', 'nosniff'),
                             ('referrer-policy', 'no-referrer')]:
            if fields.get(field) != value:
                faults.append(f'{name or "/"}: {field} {fields.get(field)}')
        permissions = fields.get('permissions-policy', '').replace(' ', '').split(',')
        if not set(DENIED) <= set(permissions):
            faults.append(f'{name or "/"}: permissions {permissions}')
        kind = TYPES.get(pathlib.PurePath(name or 'index.html').suffix)
        if kind and fields.get('content-type', '').split(';')[0] not in kind:
            faults.append(f'{name or "/"}: type {fields.get("content-type")}, not {kind[0]}')
        caching = fields.get('cache-control', '')
        age = re.search(r'max-age=(\d+)', caching)
        if HASHED.search(name):
            if not age or int(age.group(1)) < YEAR:
                faults.append(f'{name}: kept only "{caching}"')
        elif 'no-cache' not in caching and 'no-store' not in caching:
            faults.append(f'{name or "/"}: may be kept as it is: "{caching}"')
    # The engine, fonts, pictures and every other big file carry their content's hash in
    # their names, and no name carries another.
    for name in files_of(site):
        hashed = HASHED.search(name)
        digest = hashlib.sha256((site / name).read_bytes()).hexdigest()[:16]
        big = pathlib.PurePath(name).suffix in ('.wasm', '.woff2', '.png') or \
            (site / name).stat().st_size >= BIG
        if (big or hashed) and (not hashed or hashed.group(1) != digest):
            faults.append(f'{name}: not named by its content\'s hash {digest}')
    return faults


if __name__ == '__main__':
    found = header_faults(sys.argv[1], pathlib.Path(sys.argv[2]))
    print('\n'.join(found) or f'{sys.argv[1]}: every header as it should be')
    sys.exit(1 if found else 0)
