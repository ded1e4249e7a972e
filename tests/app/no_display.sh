#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 QX5-holdet
# SPDX-License-Identifier: GPL-3.0-or-later

# Without any display the program must say so in one line and exit non-zero, not abort.
set -u
binary="$1"
err="$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$binary" 2>&1 >/dev/null)"
rc=$?
echo "exit code $rc; stderr:"
printf '%s\n' "$err"
[[ $rc -ne 0 && $rc -lt 128 ]] || { echo "FAIL: expected a plain non-zero exit"; exit 1; }
[[ $(printf '%s\n' "$err" | wc -l) -eq 1 ]] || { echo "FAIL: expected exactly one line"; exit 1; }
[[ $err == *display* ]] || { echo "FAIL: the line does not mention the display"; exit 1; }
echo PASS
