# SPDX-FileCopyrightText: 2026 QX5-holdet
# SPDX-License-Identifier: GPL-3.0-or-later

"""A series as a screen reader meets it, on a bus of its own (support/accessibility_bus.sh):
type 8 chosen by its menu item, every step answered from the focused box's name and
description (two on purpose wrong), the result read as text; no pixel looked at. The bus
offers a desktop-wide menu panel too, as some desktops do: the menu stays in the window.
On X11 or as a client of a Wayland compositor (support/wayland_session.sh, whose seat takes
the keys sent to the X server; the program must not complain about the compositor). Given a
screen size (WIDTHxHEIGHT), the window's client area must fit in it, at the start and at
the end; each step's box must lie inside the window, scrolled into view. With --take-away,
the finished series is copied and printed on the print server's default queue, whose jobs
arrive as PDF files in the folder given (support/print_server.sh); the copy must hold the
result's lines, and the printout the copy's.

    screen_reader_run.py [--take-away <jobs-folder>] <qx5> [WIDTHxHEIGHT]"""

import glob
import os
import re
import subprocess
import sys
import tempfile
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Gio, GLib  # noqa: E402
import pyatspi  # noqa: E402
from Xlib import X, display  # noqa: E402
from Xlib.ext import xtest  # noqa: E402

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from chain_reader import apply, find, give_input_focus  # noqa: E402

WRONG_STEPS = (2, 6)
events = []


def wait_for(what, find, seconds=20):
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        while GLib.MainContext.default().iteration(False):
            pass
        found = find()
        if found:
            return found
        time.sleep(0.02)
    sys.exit("screen_reader_run: gave up waiting for %s" % what)


ON_WAYLAND = os.environ.get("QT_QPA_PLATFORM") == "wayland"


def press(*keysyms):
    if ON_WAYLAND:  # AT-SPI cannot send keys there: the compositor's seat takes X's
        subprocess.run(["xdotool", "key"] + ["0x%x" % k for k in keysyms], check=True)
        return
    for keysym in keysyms:
        pyatspi.Registry.generateKeyboardEvent(keysym, None, pyatspi.KEY_SYM)


def focused_named(pattern):
    """The object that last gained the focus, when its name matches."""
    gained = [e.source for e in events if e.detail1]
    return gained and re.fullmatch(pattern, gained[-1].name or "") and gained[-1]


def menu_item(app, test):
    return find(app, lambda n: n.getRole() == pyatspi.ROLE_MENU_ITEM and test(n.name))


def offer_menu_panel():
    """Takes the name a desktop's menu panel is found by; unknown calls to it fail."""
    bus = Gio.bus_get_sync(Gio.BusType.SESSION)
    reply = bus.call_sync("org.freedesktop.DBus", "/org/freedesktop/DBus",
                          "org.freedesktop.DBus", "RequestName",
                          GLib.Variant("(su)", ("com.canonical.AppMenu.Registrar", 4)),
                          None, Gio.DBusCallFlags.NONE, -1)
    if reply.unpack() != (1,):  # the primary owner
        sys.exit("screen_reader_run: cannot take the menu panel's name")
    return bus


def extents(node):
    return node.queryComponent().getExtents(pyatspi.WINDOW_COORDS)


def check_inside(what, at, size):
    """The extents lie within size (width, height) from the window's corner; no size, no check."""
    if size and (at.x < 0 or at.y < 0 or at.x + at.width > size[0] or at.y + at.height > size[1]):
        sys.exit("screen_reader_run: %s at %d,%d, %dx%d, outside %dx%d"
                 % (what, at.x, at.y, at.width, at.height, size[0], size[1]))


def run(qx5, screen):
    pyatspi.Registry.registerEventListener(events.append, "object:state-changed:focused")
    desktop = pyatspi.Registry.getDesktop(0)
    app = wait_for("the program", lambda: find(desktop, lambda a: a.get_process_id() == qx5.pid))
    if not ON_WAYLAND:  # a compositor gives the focus itself
        wait_for("its window", lambda: give_input_focus(qx5.pid))
    bar = wait_for("the menu bar",
                   lambda: find(app, lambda n: n.getRole() == pyatspi.ROLE_MENU_BAR))
    if not bar.getState().contains(pyatspi.STATE_SHOWING):
        sys.exit("screen_reader_run: the menu bar is not in the window")
    frame = find(app, lambda n: n.getRole() == pyatspi.ROLE_FRAME)
    check_inside("the window", extents(frame), screen)
    wait_for("type 8", lambda: menu_item(app, lambda n: n.startswith("8. "))) \
        .queryAction().doAction(0)
    wrong, boxes, step, steps = [], set(), 0, None
    while step != steps:
        step += 1
        # Announced as a box the focus moves to: an object it has not had before.
        box = wait_for("step %d focused" % step, lambda: focused_named(r"Trin %d af .+" % step))
        if not box.getState().contains(pyatspi.STATE_FOCUSED) or box.path in boxes:
            sys.exit("screen_reader_run: step %d: not a new focused box" % step)
        boxes.add(box.path)
        window = extents(frame)
        check_inside("step %d's box" % step, extents(box), (window.width, window.height))
        steps, instruction = re.fullmatch(r"Trin \d+ af (\d+): (.+)", box.name).groups()
        steps = int(steps)
        answer = apply(int(re.fullmatch(r"Dit tal er (\d+)\. .*", box.description)[1]),
                       instruction)
        if answer is None:
            sys.exit("screen_reader_run: cannot read %r" % instruction)
        if step in WRONG_STEPS:
            wrong.append((re.escape(instruction), answer + (1 if answer <= 0 else -1), answer))
            answer = wrong[-1][1]
        press(*map(ord, str(answer)), 0xFF0D)  # the digits and Return

    check_inside("the window", extents(frame), screen)
    text = wait_for("the result focused", lambda: focused_named("Resultat")).queryText()
    lines = text.getText(0, text.characterCount).split("\n")
    expected = [re.escape("%d rigtige af %d." % (steps - len(wrong), steps))] + [
        r"%s +%d     \(det skulle være %d \)" % w for w in wrong]
    if len(lines) != len(expected) or not all(map(re.fullmatch, expected, lines)):
        sys.exit("screen_reader_run: the result reads %r" % lines)
    press(0xFF54)  # Down: the arrow keys read it line by line
    wait_for("the caret on line 2", lambda: text.caretOffset == len(lines[0]) + 1)
    if jobs:
        take_away(app, lines, jobs)
    # Quit by the menu: a clean end, the sanitizers silent.
    menu_item(app, lambda n: n == "Afslut").queryAction().doAction(0)
    if qx5.wait(60) != 0:
        sys.exit("screen_reader_run: the program ended with %d" % qx5.returncode)
    complaints = [line for line in open(errors.name, encoding="utf-8", errors="replace")
                  if re.search(r"wayland|xdg_", line, re.IGNORECASE)]
    if ON_WAYLAND and complaints:
        sys.exit("screen_reader_run: on Wayland the program said %r" % complaints)
    print("screen_reader_run: %d steps, result %r" % (steps, lines))


def button(node, name):
    return find(node, lambda n: n.getRole() == pyatspi.ROLE_PUSH_BUTTON
                and n.name.replace("&", "") == name)


def print_button(app):
    dialog = find(app, lambda n: n.getRole() == pyatspi.ROLE_DIALOG)
    return dialog and button(dialog, "Udskriv")


def words(lines):
    return [" ".join(line.split()) for line in lines if line.strip()]


def take_away(app, result, jobs):
    """On X11: copied and printed, the copy read with xclip, the printout with pdftotext."""
    button(app, "Kopier til Klippebordet").queryAction().doAction(0)
    paste = ["xclip", "-selection", "clipboard", "-o"]
    copy = wait_for("the copy", lambda: subprocess.run(paste, capture_output=True).stdout).decode()
    if not copy.startswith(" \r\n") or "\n" in copy.replace("\r\n", ""):
        sys.exit("screen_reader_run: the copy is not one blank, then lines ending CR LF: %r" % copy)
    missing = set(result) - {line.rstrip() for line in copy.split("\r\n")}
    if missing:
        sys.exit("screen_reader_run: the copy lacks %r:\n%s" % (missing, copy))
    # Ctrl+P: an action that opens a modal dialog answers AT-SPI only once that closes.
    screen = display.Display()
    for kind, keysyms in ((X.KeyPress, (0xFFE3, ord("p"))), (X.KeyRelease, (ord("p"), 0xFFE3))):
        for keysym in keysyms:
            xtest.fake_input(screen, kind, screen.keysym_to_keycode(keysym))
    screen.sync()
    wait_for("the print dialog", lambda: print_button(app)).queryAction().doAction(0)
    pdf = wait_for("the printout", lambda: glob.glob(os.path.join(jobs, "*.pdf")), 60)[0]
    printed = subprocess.run(["pdftotext", "-layout", pdf, "-"], capture_output=True, check=True)
    if words(printed.stdout.decode().splitlines()) != words(copy.split("\r\n")):
        sys.exit("screen_reader_run: the printout differs from the copy:\n%s" % printed.stdout)


arguments = sys.argv[1:]
jobs = None
if arguments[:1] == ["--take-away"]:
    jobs, arguments = arguments[1], arguments[2:]
menu_panel = offer_menu_panel()
screen_size = tuple(map(int, arguments[1].split("x"))) if len(arguments) > 1 else None
errors = tempfile.NamedTemporaryFile(prefix="qx5-stderr-")
program = subprocess.Popen([arguments[0]], stderr=errors)
try:
    run(program, screen_size)
finally:
    program.kill()
    program.wait()
    # What the program said, for the test's log.
    sys.stderr.write(open(errors.name, encoding="utf-8", errors="replace").read())
