# SPDX-FileCopyrightText: 2026 QX5-holdet
# SPDX-License-Identifier: GPL-3.0-or-later

"""Run on an accessibility bus of its own (tests/support/accessibility_bus.sh).

Starts the program, chooses type 8 by its menu item, answers
the series from what the focused box's name and description say (two answers wrong on
purpose), reads the result as text and quits: all over AT-SPI, without looking at a
pixel."""

import re
import subprocess
import sys
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import GLib  # noqa: E402
import pyatspi  # noqa: E402
from Xlib import X, display  # noqa: E402

WRONG_STEPS = (2, 6)
RULES = [(r"læg (\d+) til", lambda n, k: n + k),
         (r"træk tallet fra (\d+)", lambda n, k: k - n),
         (r"træk (\d+) fra", lambda n, k: n - k),
         (r"gang med (\d+)", lambda n, k: n * k),
         (r"(?:divider|del) med (\d+)", lambda n, k: int(n / k))]
events = []


def wait_for(what, find, seconds=20):
    """Lets the bus deliver its events until find() gives something."""
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        while GLib.MainContext.default().iteration(False):
            pass
        found = find()
        if found:
            return found
        time.sleep(0.02)
    sys.exit("screen_reader_run: gave up waiting for %s; last events: %r" % (what, events[-6:]))


def find(node, test):
    for child in filter(None, (node.getChildAtIndex(i) for i in range(node.childCount))):
        if test(child):
            return child
        found = find(child, test)
        if found:
            return found
    return None


def give_input_focus(pid):
    """Gives the program's window the keyboard, as a window manager would."""
    screen = display.Display()
    pid_atom = screen.intern_atom("_NET_WM_PID")
    for window in screen.screen().root.query_tree().children:
        owner = window.get_full_property(pid_atom, X.AnyPropertyType)
        if owner and owner.value[0] == pid and window.get_attributes().map_state == X.IsViewable:
            window.set_input_focus(X.RevertToParent, X.CurrentTime)
            screen.sync()
            return True
    return False


def apply(number, instruction):
    """The number after the instruction, read as a pupil reads it."""
    for part in instruction.lower().split(" og "):
        part = re.sub(r"^\(.\) ", "", part)
        rule = next(((r, f) for r, f in RULES if re.fullmatch(r, part)), None)
        if not rule:
            sys.exit("screen_reader_run: cannot read %r" % instruction)
        number = rule[1](number, int(re.fullmatch(rule[0], part).group(1)))
    return number


def press(*keysyms):
    for keysym in keysyms:
        pyatspi.Registry.generateKeyboardEvent(keysym, None, pyatspi.KEY_SYM)


def focused_named(pattern):
    """The object that last gained the focus, when its name matches."""
    gained = [e.source for e in events if e.type.startswith("object:state-changed:focused")
              and e.detail1]
    return gained and re.fullmatch(pattern, gained[-1].name or "") and gained[-1]


def run(qx5):
    pyatspi.Registry.registerEventListener(events.append, "object:state-changed:focused")
    desktop = pyatspi.Registry.getDesktop(0)
    app = wait_for("the program on the bus",
                   lambda: find(desktop, lambda a: a.get_process_id() == qx5.pid))
    wait_for("the program's window", lambda: give_input_focus(qx5.pid))
    item = wait_for("type 8 in the menu", lambda: find(
        app, lambda n: n.getRole() == pyatspi.ROLE_MENU_ITEM and n.name.startswith("8. ")))
    item.queryAction().doAction(0)

    wrong, boxes, step, steps = [], set(), 0, None
    while step != steps:
        step += 1
        # Announced as a screen reader announces a box it moves to: the focus comes to an
        # object it has not had before.
        box = wait_for("step %d in a box that gains the focus" % step,
                       lambda: focused_named(r"Trin %d af \d+: .+" % step))
        if not box.getState().contains(pyatspi.STATE_FOCUSED) or box.path in boxes:
            sys.exit("screen_reader_run: step %d: not a new focused box" % step)
        boxes.add(box.path)
        steps, instruction = re.fullmatch(r"Trin \d+ af (\d+): (.+)", box.name).groups()
        steps = int(steps)
        number = int(re.fullmatch(r"Dit tal er (\d+)\. .*", box.description).group(1))
        answer = apply(number, instruction)
        if step in WRONG_STEPS:
            wrong.append((instruction, answer - 1 if answer > 0 else answer + 1, answer))
            answer = wrong[-1][1]
        press(*map(ord, str(answer)), 0xFF0D)  # the digits and Return

    text = wait_for("the result with the focus", lambda: focused_named("Resultat")).queryText()
    lines = text.getText(0, text.characterCount).split("\n")
    expected = ["%d rigtige af %d." % (steps - len(wrong), steps)] + [
        r"%s +%d     \(det skulle være %d \)" % (re.escape(i), typed, right)
        for i, typed, right in wrong]
    if len(lines) != len(expected) or not all(
            re.fullmatch(e, line) for e, line in zip([re.escape(expected[0])] + expected[1:],
                                                     lines)):
        sys.exit("screen_reader_run: the result reads %r" % lines)
    # The arrow keys read it line by line: Down takes the caret to the first wrong step.
    press(0xFF54)
    wait_for("the caret on the second line", lambda: text.caretOffset == len(lines[0]) + 1)
    # Quit by the menu: the program ends cleanly, its sanitizers silent.
    find(app, lambda n: n.getRole() == pyatspi.ROLE_MENU_ITEM and n.name == "Afslut") \
        .queryAction().doAction(0)
    if qx5.wait(60) != 0:
        sys.exit("screen_reader_run: the program ended with %d" % qx5.returncode)
    print("screen_reader_run: %d steps answered, result read: %r" % (steps, lines))


program = subprocess.Popen([sys.argv[1]])
try:
    run(program)
finally:
    program.kill()
    program.wait()
