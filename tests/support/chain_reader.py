# SPDX-FileCopyrightText: 2026 QX5-holdet
# SPDX-License-Identifier: GPL-3.0-or-later

"""What the screen-reader runs share: the new number worked out from an instruction as a
pupil reads it, an accessible object found in a tree, and the X input focus given to a
program's window as a window manager would."""

import re

from Xlib import X, display

RULES = [(r"læg (\d+) til", lambda n, k: n + k),
         (r"træk tallet fra (\d+)", lambda n, k: k - n),
         (r"træk (\d+) fra", lambda n, k: n - k),
         (r"gang med (\d+)", lambda n, k: n * k),
         (r"(?:divider|del) med (\d+)", lambda n, k: int(n / k))]


def apply(number, instruction):
    """The number the instruction makes of number; None where it cannot be read."""
    for part in instruction.lower().split(" og "):
        part = re.sub(r"^\(.\) ", "", part)
        match = next(((m, f) for r, f in RULES for m in [re.fullmatch(r, part)] if m), None)
        if not match:
            return None
        number = match[1](number, int(match[0].group(1)))
    return number


def find(node, test):
    """The first accessible object under node, depth first, that passes test."""
    for child in filter(None, (node.getChildAtIndex(i) for i in range(node.childCount))):
        found = child if test(child) else find(child, test)
        if found:
            return found
    return None


def give_input_focus(pid):
    """To the viewable window of the process pid; False while it has none."""
    screen = display.Display()
    try:
        pid_atom = screen.intern_atom("_NET_WM_PID")
        for window in screen.screen().root.query_tree().children:
            owner = window.get_full_property(pid_atom, X.AnyPropertyType)
            if owner and owner.value[0] == pid and window.get_attributes().map_state == X.IsViewable:
                window.set_input_focus(X.RevertToParent, X.CurrentTime)
                screen.sync()
                return True
        return False
    finally:
        # Polled many times a second: an open connection each would use up the server's.
        screen.close()
