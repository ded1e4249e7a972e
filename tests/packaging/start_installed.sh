#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 QX5-holdet
# SPDX-License-Identifier: GPL-3.0-or-later

# Starts the program unpacked from the package, in a bare environment away from the build
# tree, and waits for its main window on the X display in DISPLAY: mapped, with the
# program's caption, and with the window class the desktop entry names; and sans-serif, the
# face of its menus and dialogs, is a proportional one.
#
#   start_installed.sh <root> <app-id> <caption>
set -uo pipefail
export LC_ALL=C.UTF-8
readonly timeout_s=30

[[ $# -eq 3 ]] || { echo "usage: $0 <root> <app-id> <caption>" >&2; exit 2; }
root=$1 id=$2 caption=$3
program=$root/usr/bin/qx5
desktop=$root/usr/share/applications/$id.desktop
[[ -x $program && -f $desktop ]] || { echo "FAIL: $program or $desktop is missing"; exit 1; }
[[ -n ${DISPLAY:-} ]] || { echo "FAIL: DISPLAY is not set (run under xvfb-run)"; exit 1; }

tmp=$(mktemp -d "${TMPDIR:-/tmp}/qx5-start.XXXXXX")
pid=""
cleanup() {
    [[ -n $pid ]] && kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null
    rm -rf "$tmp"
}
trap cleanup EXIT
mkdir -m 700 "$tmp/runtime"

(cd / && exec env -i DISPLAY="$DISPLAY" XAUTHORITY="${XAUTHORITY:-}" HOME="$tmp" \
    XDG_RUNTIME_DIR="$tmp/runtime" PATH=/usr/bin:/bin LANG=C.UTF-8 \
    "$program" >"$tmp/out" 2>"$tmp/err") &
pid=$!

# The window with the caption that belongs to this process.
window=""
for ((i = 0; i < timeout_s * 10; i++)); do
    if ! kill -0 "$pid" 2>/dev/null; then
        wait "$pid"
        echo "FAIL: the program ended (exit code $?) before its window appeared:"
        cat "$tmp/err"
        exit 1
    fi
    for w in $(xwininfo -root -tree 2>/dev/null | grep -F "\"$caption\"" | awk '{print $1}'); do
        if xprop -id "$w" _NET_WM_PID 2>/dev/null | grep -qx "_NET_WM_PID(CARDINAL) = $pid" &&
            xwininfo -id "$w" | grep -q 'Map State: IsViewable'; then
            window=$w
        fi
    done
    [[ -n $window ]] && break
    sleep 0.1
done
if [[ -z $window ]]; then
    echo "FAIL: no window '$caption' of process $pid within $timeout_s s; windows:"
    xwininfo -root -tree | grep '"' | head -20
    exit 1
fi

failures=0
name=$(xprop -id "$window" _NET_WM_NAME)
[[ $name == "_NET_WM_NAME(UTF8_STRING) = \"$caption\"" ]] || {
    echo "FAIL: $name"
    failures=1
}
# The desktop matches windows to their launcher by this class.
wm_class=$(sed -n 's/^StartupWMClass=//p' "$desktop")
class=$(xprop -id "$window" WM_CLASS)
[[ $class == "WM_CLASS(STRING) = \"$wm_class\", \"$wm_class\"" ]] || {
    echo "FAIL: StartupWMClass is '$wm_class', but the window has $class"
    failures=1
}
# Menus and dialogs take the desktop's sans-serif face; the package brings a proportional one.
if [[ -n $(fc-match -f '%{spacing}' sans-serif) ]]; then
    echo "FAIL: sans-serif is a fixed-pitch face: $(fc-match sans-serif)"
    failures=1
fi
size=$(xwininfo -id "$window" | sed -n 's/^ *-geometry //p')
echo "window $window '$caption', $size, $class"
# A warning here means a plugin, font or picture the installed program did not find.
if [[ -s $tmp/err ]]; then
    echo "FAIL: the program wrote to stderr:"
    cat "$tmp/err"
    failures=1
fi
((failures == 0)) || exit 1
echo "PASS: the installed program shows its main window"
