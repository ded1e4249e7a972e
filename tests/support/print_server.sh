#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 QX5-holdet
# SPDX-License-Identifier: GPL-3.0-or-later
#
# A private CUPS print server for the tests, never the machine's own:
#   print_server.sh start <folder>   starts cupsd in the foreground on <folder>/cups.sock
#                                    (no network port) with four queues: qx5-pdf takes
#                                    jobs, qx5-paused takes and holds them, qx5-refuses
#                                    says it takes none, and qx5-forbids says it takes
#                                    jobs but forbids each one sent
#   print_server.sh stop <folder>    stops that cupsd by its PID
# Configuration, spool, cache, state and log all live under <folder>. Every job that
# arrives is kept as <folder>/jobs/<id>.pdf with its title in <folder>/jobs/<id>.title:
# the document as the program handed it over.
set -euo pipefail

# The server and its administration tools live in /usr/sbin, which is not on an ordinary
# user's PATH.
export PATH=$PATH:/usr/sbin:/sbin
command=$1
root=$(realpath -m "$2")
socket=$root/cups.sock
export CUPS_SERVER=$socket

. "$(dirname "${BASH_SOURCE[0]}")/private_server.sh"
stop() { stop_by_pid "$root/cupsd.pid"; }

case $command in
stop)
    stop
    exit 0
    ;;
start) ;;
*)
    echo "usage: $0 start|stop <folder>" >&2
    exit 2
    ;;
esac

stop
rm -rf "$root"
mkdir -p "$root"/{etc,spool/tmp,cache,state,log,bin/backend,jobs}
# Filters and backends run as the server's user, lp, when the server runs as root.
chmod 0777 "$root/jobs"

# The server's programs are the system's, except for the backend: a queue that keeps each
# job as a file. The real server accepts, refuses and queues the jobs as everywhere else.
for part in daemon filter; do
    ln -s "/usr/lib/cups/$part" "$root/bin/$part"
done
cat >"$root/bin/backend/qx5keep" <<EOF
#!/bin/sh
# Without arguments a backend lists its devices: none to discover.
[ \$# -eq 0 ] && exit 0
printf '%s' "\$3" >"$root/jobs/\$1.title"
if [ -n "\$6" ]; then cat "\$6"; else cat; fi >"$root/jobs/\$1.part"
mv "$root/jobs/\$1.part" "$root/jobs/\$1.pdf"
EOF
chmod 0755 "$root/bin/backend/qx5keep"

cat >"$root/etc/cupsd.conf" <<EOF
Listen $socket
LogLevel debug
Browsing No
WebInterface No
DefaultAuthType None
MaxJobTime 60
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
<Policy forbid-jobs>
  <Limit Create-Job Print-Job Print-URI Validate-Job Send-Document>
    AuthType Default
    Require user qx5-nobody
    Order deny,allow
  </Limit>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
EOF
cat >"$root/etc/cups-files.conf" <<EOF
ServerRoot $root/etc
ServerBin $root/bin
RequestRoot $root/spool
TempDir $root/spool/tmp
CacheDir $root/cache
StateDir $root/state
ErrorLog $root/log/error_log
AccessLog $root/log/access_log
PageLog $root/log/page_log
EOF

cupsd -f -c "$root/etc/cupsd.conf" -s "$root/etc/cups-files.conf" \
    </dev/null >"$root/log/cupsd.out" 2>&1 &
echo $! >"$root/cupsd.pid"

running() { lpstat -r 2>/dev/null | grep -q 'is running'; }
if ! answering running; then
    echo "the private print server did not start; its log:" >&2
    cat "$root/log/cupsd.out" "$root/log/error_log" >&2 || true
    stop
    exit 1
fi

# Raw queues: the job arrives as the program sent it (lpadmin warns that raw queues are
# deprecated).
lpadmin -p qx5-pdf -E -v qx5keep:/pdf 2>/dev/null
lpadmin -p qx5-paused -E -v qx5keep:/paused 2>/dev/null
cupsdisable -r "Test: paused" qx5-paused
lpadmin -p qx5-refuses -E -v qx5keep:/refuses 2>/dev/null
lpadmin -p qx5-forbids -E -v qx5keep:/forbids -o printer-op-policy=forbid-jobs 2>/dev/null
cupsreject -r "Test: the queue takes no jobs" qx5-refuses
lpadmin -d qx5-pdf
lpstat -a >&2
