#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 QX5-holdet
# SPDX-License-Identifier: GPL-3.0-or-later
#
# A private Apache or nginx for the tests, never the machine's own, configured with the
# qx5-web package's own file for that server:
#   web_server.sh start apache2|nginx <folder> <site> [<port>]
#                   serves a copy of <site> at /qx5/ on the port given (a restart, for the
#                   same origin) or a free one of 127.0.0.1, written to <folder>/port
#   web_server.sh stop <folder>
#                   stops that server by its PID and removes its copy of the site
# Configuration, PID file and logs live under <folder>. As root the server's workers run as
# www-data, as Debian's own do, so the copy of the site is in a temporary folder that
# www-data reaches; as an ordinary user, the workers run as that user.
set -euo pipefail

export PATH=$PATH:/usr/sbin:/sbin
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
configs=$here/../../web/server

. "$here/private_server.sh"
stop() {
    stop_by_pid "$root/server.pid"
    if [[ -f $root/site ]]; then
        rm -rf "$(cat "$root/site")" "$root/site"
    fi
}

case ${1:-} in
stop)
    root=$(realpath -m "$2")
    stop
    exit 0
    ;;
start)
    server=$2 root=$(realpath -m "$3") site=$4 port=${5:-}
    ;;
*)
    echo "usage: $0 start apache2|nginx <folder> <site> | stop <folder>" >&2
    exit 2
    ;;
esac

stop
rm -rf "$root"
mkdir -p "$root/run" "$root/tmp"
chmod 0755 "$root"
copy=$(mktemp -d "${TMPDIR:-/tmp}/qx5-web.XXXXXX")
echo "$copy" >"$root/site"
cp -r "$site/." "$copy"
chmod -R a+rX "$copy"
[[ -n $port ]] || port=$(/usr/bin/python3 -c \
    'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
# The package's file, with the site where this server finds it.
sed "s|/usr/share/qx5-web|$copy|g" "$configs/$server/qx5-web.conf" >"$root/qx5-web.conf"
as_root=$([[ $(id -u) -eq 0 ]] && echo yes || echo no)

case $server in
apache2)
    modules=/usr/lib/apache2/modules
    {
        echo "DefaultRuntimeDir $root/run"
        echo "PidFile $root/run/apache2.pid"
        echo "Mutex file:$root/run default"
        echo "Listen 127.0.0.1:$port"
        echo "ServerName 127.0.0.1"
        echo "ErrorLog $root/error.log"
        echo "LoadModule mpm_event_module $modules/mod_mpm_event.so"
        for module in authz_core mime alias dir headers; do
            echo "LoadModule ${module}_module $modules/mod_$module.so"
        done
        echo "TypesConfig /etc/mime.types"
        [[ $as_root == no ]] || printf 'User www-data\nGroup www-data\n'
        printf '<Directory />\n    Require all denied\n    AllowOverride None\n</Directory>\n'
        echo "Include $root/qx5-web.conf"
    } >"$root/server.conf"
    apache2 -d "$root" -f "$root/server.conf" -DFOREGROUND </dev/null >"$root/server.out" 2>&1 &
    ;;
nginx)
    {
        [[ $as_root == no ]] || echo 'user www-data;'
        echo "pid $root/run/nginx.pid;"
        echo 'events { worker_connections 64; }'
        echo 'http {'
        echo '    include /etc/nginx/mime.types;'
        echo '    default_type application/octet-stream;'
        echo '    access_log off;'
        for kind in client_body proxy fastcgi uwsgi scgi; do
            echo "    ${kind}_temp_path $root/tmp/$kind;"
        done
        echo "    server { listen 127.0.0.1:$port; include $root/qx5-web.conf; }"
        echo '}'
    } >"$root/server.conf"
    nginx -e "$root/error.log" -p "$root" -c "$root/server.conf" -g 'daemon off;' \
        </dev/null >"$root/server.out" 2>&1 &
    ;;
*)
    echo "$0: no server $server" >&2
    exit 2
    ;;
esac
echo $! >"$root/server.pid"

# Answering, and this server, not another one on the port.
serving() {
    local head
    head=$(curl -sI "http://127.0.0.1:$port/qx5/") && grep -qi "^server: ${server%2}" <<<"$head"
}
if ! answering serving; then
    echo "the private $server did not start; its output and log:" >&2
    cat "$root/server.out" "$root/error.log" >&2 2>/dev/null || true
    stop
    exit 1
fi
echo "$port" >"$root/port"
