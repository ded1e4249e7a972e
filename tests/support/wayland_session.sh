#!/bin/sh
# SPDX-FileCopyrightText: 2026 QX5-holdet
# SPDX-License-Identifier: GPL-3.0-or-later

# Runs a command as a client of a Wayland compositor of its own, with Qt's wayland platform:
# weston with its desktop shell, in a window on the X server in DISPLAY (the test run's
# Xvfb), whose keyboard and pointer make its seat: keys sent to that X server reach the
# client the compositor has given the focus. DISPLAY stays set, as XWayland's is on a
# Wayland desktop. The compositor's socket lies in a runtime folder of its own; it is
# stopped by its PID when the command ends.
#
#   wayland_session.sh [--size WIDTHxHEIGHT] <command>...    (1280x1024 when left out)
set -eu
size=1280x1024
if [ "${1:-}" = --size ]; then
    size=$2
    shift 2
fi
[ $# -gt 0 ] || { echo "usage: $0 [--size WIDTHxHEIGHT] <command>..." >&2; exit 2; }
if [ -z "${DISPLAY:-}" ]; then
    echo "$0: weston's X11 back end needs an X server in DISPLAY" >&2
    exit 2
fi

runtime=$(mktemp -d "${TMPDIR:-/tmp}/qx5-wayland.XXXXXX")
weston=""
cleanup() {
    if [ -n "$weston" ]; then
        kill "$weston" 2>/dev/null || true
        wait "$weston" 2>/dev/null || true
    fi
    rm -rf "$runtime"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

# No on-screen keyboard over the windows: the keys come from the X server.
printf '[input-method]\npath=\n' >"$runtime/weston.ini"
XDG_RUNTIME_DIR=$runtime weston --backend=x11-backend.so --use-pixman \
    --config="$runtime/weston.ini" --socket=qx5 --idle-time=0 --width="${size%x*}" \
    --height="${size#*x}" >"$runtime/weston.log" 2>&1 &
weston=$!
# Ready once it listens and has started its shell; its X window then takes the keyboard, as
# the one window a user would click on.
tries=0
until [ -S "$runtime/qx5" ] && grep -q 'weston-desktop-shell' "$runtime/weston.log"; do
    tries=$((tries + 1))
    if [ $tries -gt 200 ] || ! kill -0 "$weston" 2>/dev/null; then
        cat "$runtime/weston.log" >&2
        echo "$0: weston did not start" >&2
        exit 1
    fi
    sleep 0.05
done
timeout 10 xdotool search --sync --class '^Weston Compositor$' windowfocus --sync

status=0
env XDG_RUNTIME_DIR="$runtime" WAYLAND_DISPLAY=qx5 QT_QPA_PLATFORM=wayland "$@" ||
    status=$?
if [ "$status" -ne 0 ]; then
    echo "$0: the compositor's log ends:" >&2
    tail -n 20 "$runtime/weston.log" >&2
fi
exit "$status"
