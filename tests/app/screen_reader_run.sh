#!/bin/sh
# SPDX-FileCopyrightText: 2026 QX5-holdet
# SPDX-License-Identifier: GPL-3.0-or-later

# A whole series answered over the accessibility bus, as a screen reader meets the program:
# on a session bus of the test's own, on the display in DISPLAY. $1 is the program.
set -eu
exec dbus-run-session -- /usr/bin/python3 "$(dirname "$0")/screen_reader_run.py" "$1"
