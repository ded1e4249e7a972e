#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 QX5-holdet
# SPDX-License-Identifier: GPL-3.0-or-later

# Measures how long qx5 takes to put its main window on the screen and how much memory it
# has used by then, against a minimal Qt Widgets program measured in the same run.
#
#   measure_startup.sh <qx5-binary> <minimal-binary> [runs]
#
# Needs an X server (DISPLAY) and xev, xprop, xwininfo (x11-utils). The programs are
# watched from outside: xev reports every window mapped on the root window, a reader
# stamps each report with the time it arrives, and the first mapped top-level window that
# belongs to the started process and has a real size counts as its main window.
set -euo pipefail
export LC_ALL=C # EPOCHREALTIME and awk must use a decimal point

readonly map_timeout_s=10
readonly settle_s=0.5
readonly min_window_side=100

die() {
    echo "measure_startup: $*" >&2
    exit 1
}

usage() {
    echo "usage: $0 <qx5-binary> <minimal-binary> [runs]" >&2
    exit 2
}

[[ $# -eq 2 || $# -eq 3 ]] || usage
readonly qx5_bin=$1 minimal_bin=$2 runs=${3:-7}
[[ $runs =~ ^[1-9][0-9]*$ ]] || die "runs must be a positive whole number, not '$runs'"
for bin in "$qx5_bin" "$minimal_bin"; do
    [[ -f $bin && -x $bin ]] || die "'$bin' is not an executable file"
done
[[ -n ${DISPLAY:-} ]] ||
    die "DISPLAY is not set; run under an X server, e.g. xvfb-run -a $0 ..."
for tool in xev xprop xwininfo awk; do
    command -v "$tool" >/dev/null || die "'$tool' is missing (xev, xprop, xwininfo: x11-utils)"
done
xwininfo -root >/dev/null 2>&1 || die "cannot open the X display '$DISPLAY'"

tmp=$(mktemp -d "${TMPDIR:-/tmp}/measure_startup.XXXXXX")
xev_pid="" reader_pid="" probe_pid="" prog_pid=""
read -r own_comm <"/proc/$$/comm"

stop_process() { # pid: TERM, then KILL if it has not gone within 2 s
    local pid=$1 i comm
    [[ -n $pid ]] || return 0
    # Until its exec a child is a copy of this shell and would run its traps: wait for it.
    for ((i = 0; i < 20; i++)); do
        comm=""
        { read -r comm <"/proc/$pid/comm"; } 2>/dev/null || true
        [[ $comm == "$own_comm" ]] || break
        sleep 0.05
    done
    kill -TERM "$pid" 2>/dev/null || true
    for ((i = 0; i < 40; i++)); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.05
    done
    kill -KILL "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
}

readonly main_pid=$$
cleanup() {
    # A child stopped between fork and exec still carries these traps; only this shell
    # owns the processes and files to clean up.
    [[ $BASHPID == "$main_pid" ]] || return 0
    stop_process "$prog_pid"
    stop_process "$probe_pid"
    stop_process "$xev_pid"
    if [[ -n $reader_pid ]]; then # it ends with xev's output; long past its fork
        kill -TERM "$reader_pid" 2>/dev/null || true
        wait "$reader_pid" 2>/dev/null || true
    fi
    rm -rf "$tmp"
}
trap cleanup EXIT
trap 'exit 130' INT TERM HUP

# Turns xev's output into one line per event: "EV" for any event, and for a map
# "MAP <arrival time> <window> <override>". The time is taken from the event's first line,
# which xev flushes together with the rest of the event.
stamp_events() {
    local line map_time=""
    while IFS= read -r line; do
        case $line in
        "MapNotify event,"*)
            map_time=${EPOCHREALTIME/./}
            echo EV
            ;;
        [A-Za-z]*" event, serial "*)
            map_time=""
            echo EV
            ;;
        *", window 0x"*", override "*)
            if [[ -n $map_time && $line =~ window\ (0x[0-9a-fA-F]+),\ override\ ([A-Z]+) ]]; then
                echo "MAP $map_time ${BASH_REMATCH[1]} ${BASH_REMATCH[2]}"
            fi
            map_time=""
            ;;
        esac
    done
}

readonly events=$tmp/events
mkfifo "$tmp/xev.fifo"
: >"$events"
# The reader must not run this script's traps when it is stopped.
(
    trap - EXIT INT TERM HUP
    stamp_events
) <"$tmp/xev.fifo" >>"$events" &
reader_pid=$!
xev -root -event substructure >"$tmp/xev.fifo" 2>"$tmp/xev.err" &
xev_pid=$!

# xev prints nothing when it is ready, so map a throw-away window until the watcher sees it.
watcher_ready=0
for ((try = 0; try < 10 && !watcher_ready; try++)); do
    kill -0 "$xev_pid" 2>/dev/null || die "xev stopped: $(cat "$tmp/xev.err")"
    xev -geometry 10x10+0+0 -name measure_startup_probe >/dev/null 2>&1 &
    probe_pid=$!
    for ((i = 0; i < 20; i++)); do
        if [[ -s $events ]]; then
            watcher_ready=1
            break
        fi
        sleep 0.05
    done
    stop_process "$probe_pid"
    probe_pid=""
done
((watcher_ready)) || die "xev on the root window reports no events"

window_pid() { # window: its _NET_WM_PID, or empty
    xprop -id "$1" _NET_WM_PID 2>/dev/null | awk -F' = ' '/^_NET_WM_PID/ {print $2}'
}

# Prints the window (the one mapped, or the client inside a window manager's frame) that
# belongs to pid and is at least min_window_side on each side; nothing otherwise.
owned_main_window() {
    local mapped=$1 pid=$2 win size w h
    for win in "$mapped" $(xwininfo -children -id "$mapped" 2>/dev/null |
        awk '$1 ~ /^0x/ && NR > 1 {print $1}'); do
        [[ $(window_pid "$win") == "$pid" ]] || continue
        size=$(xwininfo -id "$win" 2>/dev/null | awk '/Width:/ {w = $2} /Height:/ {h = $2}
            END {print w + 0, h + 0}')
        read -r w h <<<"$size"
        if ((w >= min_window_side && h >= min_window_side)); then
            echo "$win"
            return 0
        fi
    done
}

# Waits without starting a process: a read with a timeout on a pipe nobody writes to.
mkfifo "$tmp/idle.fifo"
exec {idle_fd}<>"$tmp/idle.fifo"
pause() { read -r -t "$1" -u "$idle_fd" _ || true; }

# The event lines are read as they arrive through a descriptor kept open, so polling for a
# map costs no process; a line caught half written is kept until the rest arrives.
exec {events_fd}<"$events"
pending_text=""
next_event() { # sets event_line to the next complete line; fails when there is none yet
    local line=""
    if IFS= read -r -u "$events_fd" line; then
        event_line=$pending_text$line
        pending_text=""
        return 0
    fi
    pending_text+=$line
    return 1
}

# Starts one program and sets run_ms (process start to main window map) and run_kib
# (VmHWM once it has settled); fails with a message when it shows no main window.
measure_once() {
    local bin=$1 start_us mapped_us="" kind map_us mapped override win status
    local -A checked=()
    while next_event; do :; done # older events belong to earlier starts
    start_us=${EPOCHREALTIME/./}
    "$bin" >"$tmp/program.log" 2>&1 </dev/null &
    prog_pid=$!
    while [[ -z $mapped_us ]]; do
        while next_event; do
            read -r kind map_us mapped override <<<"$event_line"
            [[ $kind == MAP && $override == NO && -z ${checked[$mapped]:-} ]] || continue
            checked[$mapped]=1
            win=$(owned_main_window "$mapped" "$prog_pid")
            if [[ -n $win ]]; then
                mapped_us=$map_us
                break
            fi
        done
        [[ -n $mapped_us ]] && break
        if ! kill -0 "$prog_pid" 2>/dev/null; then
            wait "$prog_pid" && status=0 || status=$?
            prog_pid=""
            echo "measure_startup: '$bin' exited (status $status) before mapping a window:" >&2
            tail -n 20 "$tmp/program.log" >&2
            return 1
        fi
        if ((${EPOCHREALTIME/./} - start_us > map_timeout_s * 1000000)); then
            echo "measure_startup: '$bin' mapped no main window within ${map_timeout_s} s" >&2
            tail -n 20 "$tmp/program.log" >&2
            return 1
        fi
        pause 0.01
    done
    pause "$settle_s"
    run_kib=$(awk '/^VmHWM:/ {print $2}' "/proc/$prog_pid/status" 2>/dev/null || true)
    if [[ -z $run_kib ]]; then
        echo "measure_startup: '$bin' ended while settling after its window was mapped" >&2
        tail -n 20 "$tmp/program.log" >&2
        return 1
    fi
    stop_process "$prog_pid"
    prog_pid=""
    run_ms=$(printf '%d.%03d' $(((mapped_us - start_us) / 1000)) $(((mapped_us - start_us) % 1000)))
}

median() { # numbers on stdin
    sort -g | awk '{v[NR] = $1} END {
        if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

# One untimed start of each program first, so neither pays alone for a cold file cache.
for bin in "$qx5_bin" "$minimal_bin"; do
    measure_once "$bin" || die "warm-up start of '$bin' failed"
done

: >"$tmp/qx5.txt"
: >"$tmp/minimal.txt"
for ((run = 1; run <= runs; run++)); do
    # Alternate which program goes first, so drift in the machine's load hits both alike.
    if ((run % 2)); then order="qx5 minimal"; else order="minimal qx5"; fi
    for which in $order; do
        if [[ $which == qx5 ]]; then bin=$qx5_bin; else bin=$minimal_bin; fi
        measure_once "$bin" || die "run $run of '$bin' failed"
        echo "$run_ms $run_kib" >>"$tmp/$which.txt"
        printf 'run %d %-8s %8.1f ms %8.1f MiB\n' "$run" "$which" "$run_ms" \
            "$(awk -v k="$run_kib" 'BEGIN {print k / 1024}')"
    done
done

q_ms=$(awk '{print $1}' "$tmp/qx5.txt" | median)
m_ms=$(awk '{print $1}' "$tmp/minimal.txt" | median)
q_mib=$(awk '{print $2 / 1024}' "$tmp/qx5.txt" | median)
m_mib=$(awk '{print $2 / 1024}' "$tmp/minimal.txt" | median)

echo
echo "start-up, median of $runs runs (time: process start to main window mapped;"
echo "memory: VmHWM ${settle_s} s after the map)"
awk -v qt="$q_ms" -v mt="$m_ms" -v qm="$q_mib" -v mm="$m_mib" 'BEGIN {
    printf "%-16s %12s %14s\n", "program", "time [ms]", "peak mem [MiB]"
    printf "%-16s %12.1f %14.1f\n", "qx5", qt, qm
    printf "%-16s %12.1f %14.1f\n", "minimal_window", mt, mm
    printf "%-16s %12.3f %14.3f\n", "qx5 / minimal", (mt > 0 ? qt / mt : 0), (mm > 0 ? qm / mm : 0)
}'
