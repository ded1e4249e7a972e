#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 QX5-holdet
# SPDX-License-Identifier: GPL-3.0-or-later
"""The README and docs/ as a reader meets them: the README short, with the two commands at
its top, every line within 100 characters, every link to a file of the checkout."""
import pathlib
import re
import sys

root = pathlib.Path(sys.argv[1])
faults = []
readme = (root / 'README.md').read_text(encoding='utf-8')
words = len(re.sub(r'<!--.*?-->', '', readme).split())
if words > 1500:
    faults.append(f'README.md has {words} words')
top = readme.splitlines()[:30]
for command in ('tools/start', 'tools/test'):
    if not any(line.startswith(command) for line in top):
        faults.append(f'README.md does not give {command} in its first 30 lines')
for page in [root / 'README.md', *sorted((root / 'docs').glob('*.md'))]:
    for number, line in enumerate(page.read_text(encoding='utf-8').splitlines(), 1):
        if len(line) > 100:
            faults.append(f'{page.name}:{number} is {len(line)} characters long')
        for target in re.findall(r'\]\(([^)#]+)', line):
            if '://' not in target and not (page.parent / target).exists():
                faults.append(f'{page.name}:{number} links to {target}, which is not there')
print('\n'.join(faults) or 'the README and docs/ hold')
sys.exit(1 if faults else 0)
