#!/bin/sh
# SPDX-FileCopyrightText: 2026 QX5-holdet
# SPDX-License-Identifier: GPL-3.0-or-later

# Runs a command on an accessibility bus of its own, with Qt's bridge to it switched on: a
# session bus, the AT-SPI bus and its registry, stopped when the command ends. The command
# sees QX5_ON_OWN_BUS=1.
set -eu
if [ -z "${QX5_ON_OWN_BUS:-}" ]; then
    QX5_ON_OWN_BUS=1 exec dbus-run-session -- "$0" "$@"
fi
/usr/libexec/at-spi-bus-launcher --launch-immediately &
launcher=$!
gdbus wait --session --timeout 20 org.a11y.Bus
/usr/libexec/at-spi2-registryd --use-gnome-session=false &
registry=$!
sleep 1
status=0
QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$@" || status=$?
kill "$registry" "$launcher" 2>/dev/null || true
wait || true
exit "$status"
