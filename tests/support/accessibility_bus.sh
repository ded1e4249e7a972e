#!/bin/sh
# SPDX-FileCopyrightText: 2026 QX5-holdet
# SPDX-License-Identifier: GPL-3.0-or-later

# Runs a command on an accessibility bus of its own, with Qt's bridge to it switched on: a
# session bus (dbus-run-session), the AT-SPI bus and its registry, stopped by their PIDs
# when the command ends. The command sees QX5_ON_OWN_BUS=1.
set -eu
if [ -z "${QX5_ON_OWN_BUS:-}" ]; then
    QX5_ON_OWN_BUS=1 exec dbus-run-session -- "$0" "$@"
fi
/usr/libexec/at-spi-bus-launcher --launch-immediately &
launcher=$!
tries=0
until dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
    org.freedesktop.DBus.NameHasOwner string:org.a11y.Bus 2>/dev/null | grep -q true; do
    tries=$((tries + 1))
    if [ "$tries" -gt 200 ]; then
        echo "accessibility_bus.sh: the accessibility bus did not come" >&2
        kill "$launcher"
        exit 1
    fi
    sleep 0.1
done
/usr/libexec/at-spi2-registryd --use-gnome-session=false &
registry=$!
sleep 1
status=0
QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$@" || status=$?
kill "$registry" "$launcher" 2>/dev/null || true
wait || true
exit "$status"
