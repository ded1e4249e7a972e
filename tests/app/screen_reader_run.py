# SPDX-FileCopyrightText: 2026 QX5-holdet
# SPDX-License-Identifier: GPL-3.0-or-later

"""Starts the accessibility bus and the program, chooses type 8 from the menu, answers the
series from what the focused box's name and description say (two answers wrong on purpose)
and reads the result as text: all over AT-SPI, without looking at a pixel."""

import os
import re
import subprocess
import sys
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import GLib  # noqa: E402
import pyatspi  # noqa: E402
from Xlib import X, display  # noqa: E402

TYPE_ITEM = "8. Små tal, kombinations-opgaver"
WRONG_STEPS = (2, 6)
started = []
EVENTS_SEEN = []


def fail(message):
    raise SystemExit("screen_reader_run: " + message)


def pump(seconds=0.05):
    """Lets the bus deliver its events for a while."""
    context = GLib.MainContext.default()
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        while context.pending():
            context.iteration(False)
        time.sleep(0.01)


def wait_for(what, find, seconds=20):
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        found = find()
        if found:
            return found
        pump()
    print("last events:", EVENTS_SEEN[-10:])
    fail("gave up waiting for " + what)


def start(*command, **env):
    process = subprocess.Popen(command, env=dict(os.environ, **env))
    started.append(process)
    return process


def bus_names():
    return subprocess.run(
        ["dbus-send", "--session", "--print-reply", "--dest=org.freedesktop.DBus",
         "/org/freedesktop/DBus", "org.freedesktop.DBus.ListNames"],
        capture_output=True, text=True, check=False).stdout


def descendants(node):
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is not None:
            yield child
            yield from descendants(child)


def application(pid):
    desktop = pyatspi.Registry.getDesktop(0)
    for i in range(desktop.childCount):
        app = desktop.getChildAtIndex(i)
        if app is not None and app.get_process_id() == pid:
            return app
    return None


def named(app, role, name):
    for node in descendants(app):
        if node.getRole() == role and node.name == name:
            return node
    return None


def apply(number, instruction):
    """The number after one instruction, read as a pupil reads it."""
    for part in re.split(r" og ", instruction):
        part = re.sub(r"^\(.\) ", "", part).strip()
        rules = [
            (r"[Ll]æg (\d+) til", lambda n, k: n + k),
            (r"[Tt]ræk tallet fra (\d+)", lambda n, k: k - n),
            (r"[Tt]ræk (\d+) fra", lambda n, k: n - k),
            (r"[Gg]ang med (\d+)", lambda n, k: n * k),
            (r"(?:[Dd]ivider|[Dd]el) med (\d+)", lambda n, k: int(n / k)),
        ]
        for pattern, rule in rules:
            match = re.fullmatch(pattern, part)
            if match:
                number = rule(number, int(match.group(1)))
                break
        else:
            fail("cannot read the instruction part %r" % part)
    return number


def give_input_focus(pid):
    """Gives the program's window the keyboard, as a window manager does: the test's display
    has none."""
    screen = display.Display()
    pid_atom = screen.intern_atom("_NET_WM_PID")
    for window in screen.screen().root.query_tree().children:
        owner = window.get_full_property(pid_atom, X.AnyPropertyType)
        attributes = window.get_attributes()
        if owner and owner.value[0] == pid and attributes.map_state == X.IsViewable:
            window.set_input_focus(X.RevertToParent, X.CurrentTime)
            screen.sync()
            return True
    return False


def key(keysym):
    pyatspi.Registry.generateKeyboardEvent(keysym, None, pyatspi.KEY_SYM)


def run(program):
    start("/usr/libexec/at-spi-bus-launcher", "--launch-immediately")
    wait_for("the accessibility bus", lambda: "org.a11y.Bus" in bus_names())
    start("/usr/libexec/at-spi2-registryd", "--use-gnome-session=false")
    pump(1)

    events = []
    focused = {}

    def heard(event):
        events.append((event.type, event.source, event.any_data, event.detail1))
        EVENTS_SEEN.append((event.type, str(event.source), event.any_data, event.detail1))
        if event.type.startswith("object:state-changed:focused") and event.detail1:
            focused["now"] = event.source

    pyatspi.Registry.registerEventListener(
        heard, "object:state-changed:focused", "object:property-change:accessible-name",
        "object:property-change:accessible-description")
    qx5 = start(program, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_ACCESSIBILITY="1")
    app = wait_for("the program on the bus", lambda: application(qx5.pid))
    wait_for("the program's window", lambda: give_input_focus(qx5.pid))
    item = wait_for("the menu item " + TYPE_ITEM,
                    lambda: named(app, pyatspi.ROLE_MENU_ITEM, TYPE_ITEM))
    item.queryAction().doAction(0)

    wrong = {}
    boxes_seen = set()
    steps = None
    step = 0
    while steps is None or step < steps:
        step += 1
        expected_name = re.compile(r"Trin %d af (\d+): (.+)" % step)
        box = wait_for("step %d in the focused box" % step,
                       lambda: (focused.get("now") is not None
                                and expected_name.fullmatch(focused["now"].name or "")
                                and focused["now"]))
        if not box.getState().contains(pyatspi.STATE_FOCUSED):
            fail("step %d: the box that names it has no focus" % step)
        match = expected_name.fullmatch(box.name)
        steps, instruction = int(match.group(1)), match.group(2)
        # Announced as a screen reader announces a box it moves to: the focus comes to an
        # object it has not had before.
        if not any(e[0].startswith("object:state-changed:focused") and e[3] and e[1] == box
                   for e in events):
            fail("step %d: no focus event for its box" % step)
        if box.path in boxes_seen:
            fail("step %d: its box is the last step's object" % step)
        boxes_seen.add(box.path)
        number = re.fullmatch(r"Dit tal er (\d+)\. .*", box.description or "")
        if not number:
            fail("step %d: no number in %r" % (step, box.description))
        answer = apply(int(number.group(1)), instruction)
        if step in WRONG_STEPS:
            wrong[step] = (instruction, answer - 1 if answer > 0 else answer + 1, answer)
            answer = wrong[step][1]
        events.clear()
        for digit in str(answer):
            key(ord(digit))
        key(0xFF0D)  # Return
        pump(0.2)

    result = wait_for("the focused result",
                      lambda: (focused.get("now") is not None
                               and focused["now"].name == "Resultat" and focused["now"]))
    text = result.queryText()
    lines = text.getText(0, text.characterCount).split("\n")
    if lines[0] != "%d rigtige af %d." % (steps - len(wrong), steps):
        fail("score line %r" % lines[0])
    if len(lines) != 1 + len(wrong):
        fail("result lines %r" % lines)
    for line, (instruction, typed, right) in zip(lines[1:], wrong.values()):
        if not re.fullmatch(r"%s +%d     \(det skulle være %d \)" % (re.escape(instruction),
                                                                     typed, right), line):
            fail("wrong step read as %r" % line)
    print("screen_reader_run: %d steps, result read: %r" % (steps, lines))


def main():
    try:
        run(sys.argv[1])
    finally:
        for process in reversed(started):
            process.terminate()
            try:
                process.wait(5)
            except subprocess.TimeoutExpired:
                process.kill()
                process.wait()


main()
