# SPDX-FileCopyrightText: 2026 QX5-holdet
# SPDX-License-Identifier: GPL-3.0-or-later

"""The browser edition as a blind pupil meets it: Orca and Chromium on an accessibility bus of
their own (support/accessibility_bus.sh) on the X server the test is given, Orca's settings
in a home folder of the test's own, its speech on with no voice and every utterance in its
debug log. Type 9 is chosen from the menu and worked by keyboard, each step answered from
what Orca said alone (two on purpose wrong); too large a number, the guide and the about box
come on the way. What was heard after each key is held to HEARD, and nothing the page keeps
for a screen reader may still name a step or ask for a number when the series is over.

    orca_series.py <qx5.html>
"""

import codecs
import json
import os
import pathlib
import pty
import re
import shutil
import subprocess
import sys
import tempfile
import threading
import time
import tty

import pyatspi

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from chain_reader import apply, find, give_input_focus  # noqa: E402

SEED = 20261210
WRONG_STEPS = (3, 7)
# What must be heard after each thing the pupil does: a pattern over one utterance of Orca's
# in the while after the key (until the next key), and the least and most utterances that
# may match it. The names in braces are filled in from what was heard before.
HEARD = {
    'step': [(r'Trin {step} af {steps}: .+', 1, 1), (r'.*Dit tal er \d+\..*', 1, 1)],
    'too large': [(r'.*Tallet er for stort\..*', 1, 1), (r'.*Trin \d.*', 0, 0)],
    # Back in the box: said again at most once, the message not again.
    'message closed': [(r'.*Trin {step} af.*', 0, 1), (r'.*Dit tal er.*', 0, 1),
                       (r'.*Tallet er for stort.*', 0, 0)],
    'guide': [(r'.*Vejledning.*', 1, None), (r'.*Trin \d.*', 0, 0)],
    'guide closed': [(r'.*Trin {step} af.*', 0, 1), (r'.*Vejledning.*', 0, 0)],
    # The score line whole at the focus, and alone: not run on into the wrong steps.
    'result': [(r'.*{score}.*', 1, 1), (r'.*det skulle være.*', 0, 0), (r'.*Trin \d.*', 0, 0)],
    'down': [(r'.*{instruction}\W+{answered}\W+\(det skulle være {right} \).*', 1, 1),
             (r'.*rigtige af.*', 0, 0)],
    'about': [(r'.*Om programmet.*', 1, None), (r'.*Rurudovorir.*', 1, 1),
              (r'.*Version 270405.*', 1, 1), (r'.*Et regneprogram fra QX5-holdet.*', 1, 1)],
    'about closed': [(r'.*rigtige af.*', 0, 1), (r'.*Rurudovorir.*', 0, 0)],
}
# What a step, the score or the message is known by: none may be said twice within a second.
SAID_ONCE = r'Trin \d+ af \d+|Dit tal er \d+|\d+ rigtige af \d+|Tallet er for stort'
# Orca is quiet this long once it has said all a key brings.
QUIET = 1.0
# A line of Orca's debug log that begins a record, and a record of something said.
RECORD = re.compile(r"\d\d:\d\d:\d\d\.\d+ - ")
# Orca 48's record of a caret event that came before its focus event and so took the
# focus quietly: Chromium sends the two 10 ms or so apart, and an idle Orca handles the
# first alone.
QUIET_FOCUS = 'WEB: Editable object is not (yet) the locus of focus.'
UTTERANCE = re.compile(r"(\d\d):(\d\d):(\d\d\.\d+) - SPEECH OUTPUT: '(.*)'"
                       r"(?: voice=\S+)? ?(?:\{[^{}]*\}|None)?", re.S)
failures = []


class Orca:
    """Orca, and what it has said, read from its debug log as it is written: the log goes to
    a terminal of the test's own, to which Orca writes each line at once, and is kept in a
    file to look at afterwards."""

    def __init__(self, home):
        prefs = home / 'orca'
        prefs.mkdir()
        # Speech on, through no speech server: every utterance is logged and none is voiced.
        (prefs / 'user-settings.conf').write_text(json.dumps({
            'general': {'enableSpeech': True, 'speechServerFactory': '', 'enableKeyEcho': False,
                        'enableTutorialMessages': False},
            'profiles': {'default': {'profile': ['Default', 'default']}},
            'pronunciations': {}, 'keybindings': {}}))
        self.log = home / 'orca.log'
        self.utterances = []
        self.quiet_focus = 0
        self.terminal, writer = pty.openpty()
        tty.setraw(writer)
        threading.Thread(target=self.listen, daemon=True).start()
        self.process = subprocess.Popen(['orca', '-u', str(prefs), '--debug-file', os.ttyname(writer)],
                                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    def listen(self):
        decoder = codecs.getincrementaldecoder('utf-8')('replace')
        unfinished, record = '', ''
        with open(self.log, 'w', encoding='utf-8') as log:
            while True:
                try:
                    text = decoder.decode(os.read(self.terminal, 1 << 16))
                except OSError:
                    return
                log.write(text)
                *lines, unfinished = (unfinished + text).split('\n')
                for line in lines:
                    self.quiet_focus += QUIET_FOCUS in line
                    if not RECORD.match(line):
                        record += '\n' + line
                        continue
                    said = UTTERANCE.fullmatch(record)
                    if said:
                        h, m, s, words = said.groups()
                        self.utterances.append((int(h) * 3600 + int(m) * 60 + float(s), words))
                    record = line

    def said(self):
        """Every utterance so far: (seconds of the day, text)."""
        return list(self.utterances)

    def after(self, key, wait_for=None, seconds=20):
        """Presses key and gives what Orca said after it, once it has said wait_for (or
        given up on it) and been quiet a while; a key of None only listens."""
        start = len(self.said())
        if key:
            press(key)
        end = time.monotonic() + seconds
        heard, last_change = [], time.monotonic()
        while time.monotonic() < end:
            time.sleep(0.1)
            now = self.said()[start:]
            if len(now) != len(heard):
                heard, last_change = now, time.monotonic()
            waited = not wait_for or any(re.search(wait_for, s) for _, s in heard)
            if waited and time.monotonic() - last_change > QUIET:
                break
        return [s for _, s in heard]


def press(key):
    subprocess.run(['xdotool', 'key', key], check=True)


def words(text):
    return ' '.join(text.split())


def check(what, heard, **values):
    """Holds what was heard after one key to its row of HEARD; a value of None stands for
    any number."""
    values = {k: r'\d+' if v is None else re.escape(words(str(v))) for k, v in values.items()}
    for pattern, least, most in HEARD[what]:
        pattern = pattern.format(**values)
        count = sum(1 for said in heard if re.fullmatch(pattern, words(said)))
        if count < least or (most is not None and count > most):
            failures.append(f'{what}: {pattern!r} heard {count} times in {heard!r}')


def said_twice_within_a_second(said):
    for i, (at, text) in enumerate(said):
        for later, again in said[i + 1:]:
            if later - at > 1:
                break
            twice = set(re.findall(SAID_ONCE, text)) & set(re.findall(SAID_ONCE, again))
            if twice:
                failures.append(f'{twice} said twice within {later - at:.3f} s: {text!r}, {again!r}')


def stale(node):
    """The node names a step or asks for a number."""
    try:
        text = node.queryText().getText(0, -1)
    except NotImplementedError:
        text = ''
    return any(re.search(r'Skriv det nye tal|Trin \d+ af', t or '')
               for t in (node.name, node.description, text))


def focused_menu(pid):
    app = find(pyatspi.Registry.getDesktop(0), lambda a: a.get_process_id() == pid)
    return app and find(app, lambda n: n.getRole() == pyatspi.ROLE_MENU_ITEM
                        and n.getState().contains(pyatspi.STATE_FOCUSED))


def chromium(home, page):
    arguments = ['chromium', '--force-renderer-accessibility', f'--user-data-dir={home}/profile',
                 '--no-first-run', '--no-default-browser-check', '--lang=da',
                 '--window-position=0,0', '--window-size=1280,1000',
                 f'--app={page.as_uri()}?seed={SEED}']
    # Chromium's sandbox refuses root, and needs a user namespace, which a chroot refuses.
    if os.geteuid() == 0 or subprocess.run(['unshare', '--user', 'true'],
                                           stderr=subprocess.DEVNULL).returncode != 0:
        arguments.append('--no-sandbox')
    return subprocess.Popen(arguments, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


def choose(orca, menu, item):
    """From the menu bar, Left to the menu and Down to the item, by what is heard."""
    for _ in range(4):
        if any(s.startswith(menu) for s in orca.after('Left')):
            break
    for _ in range(40):
        if any(s.startswith(item) for s in orca.after('Down')):
            return
    sys.exit(f'orca_series: no {item!r} heard in {menu!r}')


def series(orca, browser):
    """Type 9 from the menu, worked to the end; gives the score heard."""
    orca.after(None, r'^Finished loading')
    end = time.monotonic() + 60
    while not give_input_focus(browser.pid) and time.monotonic() < end:
        time.sleep(0.1)
    # The page is ready when its menu bar has the focus: along it to the types, down to 9.
    while not focused_menu(browser.pid) and time.monotonic() < end:
        time.sleep(0.5)
    choose(orca, 'Vælg opgavetype', '9. ')
    started = len(orca.said())
    heard = orca.after('Return', r'Trin 1 af')
    wrong, step, steps = [], 0, None
    while step != steps:
        step += 1
        check('step', heard, step=step, steps=steps)
        text = ' '.join(heard)
        named = re.search(rf'Trin {step} af (\d+): (.+?)(?: entry| edit|\.? Dit tal er|$)', text)
        number = re.search(r'Dit tal er (\d+)\.', text)
        answer = apply(int(number[1]), named[2]) if named and number else None
        if answer is None:
            sys.exit(f'orca_series: step {step} cannot be worked from {heard!r};'
                     f' Orca last said {[s for _, s in orca.said()[-6:]]!r}')
        steps, instruction = int(named[1]), named[2]
        if step == 1:
            for digit in '999':
                orca.after(digit)
            check('too large', orca.after('Return', r'stort'))
            # Back in the box, which Orca says once more as it takes the focus.
            check('message closed', orca.after('Return', 'Trin 1 af'), step=step)
            for _ in range(3):
                orca.after('BackSpace')
            check('guide', orca.after('F1', 'Vejledning'))
            check('guide closed', orca.after('Escape', 'Trin 1 af'), step=step)
        if step in WRONG_STEPS:
            wrong.append((instruction, answer + (1 if answer <= 0 else -1), answer))
            answer = wrong[-1][1]
        for digit in str(answer):
            orca.after(digit)
        wait_for = r'rigtige af' if step == steps else rf'Trin {step + 1} af'
        quiet_before = orca.quiet_focus
        heard = orca.after('Return', wait_for)
        if orca.quiet_focus > quiet_before and not any(re.search(wait_for, s) for s in heard):
            # Orca's race, not the page's: a pupil asks where the focus is (KP_Enter).
            print(f'orca_series: Orca took step {step + 1}\'s box quietly; asked where am I')
            heard = orca.after('KP_Enter', wait_for)
    score = f'{steps - len(wrong)} rigtige af {steps}.'
    check('result', heard, score=score)
    instruction, answered, right = wrong[0]
    check('down', orca.after('Down', 'det skulle'), instruction=instruction, answered=answered,
          right=right)
    # Nothing left that names a step or asks for a number.
    left = find(find(pyatspi.Registry.getDesktop(0), lambda a: a.get_process_id() == browser.pid), stale)
    if left:
        failures.append(f'after the series the page still says {left.name!r}, {left.description!r}')
    # The about box, from the menu bar (Shift+Tab from the result).
    orca.after('shift+Tab')
    choose(orca, 'Hjælp', 'Om programmet')
    check('about', orca.after('Return', 'Rurudovorir'))
    check('about closed', orca.after('Return'))
    said_twice_within_a_second(orca.said()[started:])
    return score


def main():
    page = pathlib.Path(sys.argv[1]).resolve()
    home = pathlib.Path(tempfile.mkdtemp(prefix='qx5-orca-'))
    runtime = home / 'runtime'
    runtime.mkdir(mode=0o700)
    os.environ.update(HOME=str(home), XDG_CONFIG_HOME=str(home / 'config'),
                      XDG_DATA_HOME=str(home / 'data'), XDG_CACHE_HOME=str(home / 'cache'),
                      XDG_RUNTIME_DIR=str(runtime))
    orca = Orca(home)
    orca.after(None, r'^Screen reader on\.$')
    if orca.process.poll() is not None:
        sys.exit(f'orca_series: Orca ended with {orca.process.returncode}: is another of this user\'s running?')
    browser = chromium(home, page)
    try:
        score = series(orca, browser)
    finally:
        browser.kill()
        browser.wait()
        orca.process.kill()
        orca.process.wait()
        shutil.rmtree(home / 'profile', ignore_errors=True)
    if failures:
        sys.exit('orca_series: ' + '\norca_series: '.join(failures) + f'\n(Orca\'s log: {orca.log})')
    print(f'orca_series: {score} heard; Orca\'s log: {orca.log}')
    return 0


if __name__ == '__main__':
    sys.exit(main())
