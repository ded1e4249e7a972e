# SPDX-FileCopyrightText: 2026 QX5-holdet
# SPDX-License-Identifier: GPL-3.0-or-later
#
# For the tests' private servers, sourced.

# Waits up to 10 s for a server to answer: true as soon as the command given succeeds.
#   answering <command>...
answering() {
    for _ in $(seq 100); do
        "$@" && return 0
        sleep 0.1
    done
    "$@"
}

# Stops the process whose PID a file holds, the way a server is asked to stop (SIGTERM),
# killing it if it is still there after 5 s, and removes the file.
#   stop_by_pid <file>
stop_by_pid() {
    [[ -f $1 ]] || return 0
    local pid
    pid=$(cat "$1")
    rm -f "$1"
    kill "$pid" 2>/dev/null || return 0
    for _ in $(seq 50); do
        kill -0 "$pid" 2>/dev/null || return 0
        sleep 0.1
    done
    kill -KILL "$pid" 2>/dev/null || true
}
