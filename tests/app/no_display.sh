#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 QX5-holdet
# SPDX-License-Identifier: GPL-3.0-or-later

# Where no display can be opened the program must say so in one line of its own, naming
# what is missing, and exit non-zero, not abort. Qt and the Wayland library may say more
# (a locale warning where none is set, say): only the program's own line is checked.
set -u
binary="$1"
failures=0
# The environment of each case, and what the program's line must hold.
cases=(
    "|(or set DISPLAY or WAYLAND_DISPLAY)"
    "QT_QPA_PLATFORM=wayland XDG_RUNTIME_DIR=/nonexistent|(or set DISPLAY or WAYLAND_DISPLAY)"
    "QT_QPA_PLATFORM=qx5-absent|Qt's platform plugin \"qx5-absent\" is not installed."
    "QT_QPA_PLATFORM=wayland-qx5-absent|\"wayland-qx5-absent\" is not installed (Debian: qt6-wayland)."
)
for case in "${cases[@]}"; do
    environment=${case%%|*} expected=${case#*|}
    # shellcheck disable=SC2086 # the environment is words
    err="$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM -u LANG -u LC_ALL $environment \
        "$binary" 2>&1 >/dev/null)"
    rc=$?
    own=$(grep '^qx5: ' <<<"$err")
    echo "[${environment:-no display}] exit code $rc; the program's line: $own"
    if [[ $rc -eq 0 || $rc -ge 128 ]]; then
        echo "FAIL: expected a plain non-zero exit; stderr: $err"
        failures=$((failures + 1))
    elif [[ $(grep -c . <<<"$own") -ne 1 || $own != *"$expected"* ]]; then
        echo "FAIL: expected one line of the program's own with: $expected; stderr: $err"
        failures=$((failures + 1))
    fi
done
((failures == 0)) && echo PASS
