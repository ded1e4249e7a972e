#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 QX5-holdet
# SPDX-License-Identifier: GPL-3.0-or-later
#
# The package's own test as Debian runs it: autopkgtest with its unshare runner, on a
# minimal system of this machine's release (made once by mmdebstrap and kept in
# <cache-dir>), into which it installs the built package and the test's dependencies from
# this machine's mirror. Skipped (exit code 77) where the kernel or the user's subordinate
# IDs (/etc/subuid, newuidmap) allow no user namespace with a whole range of IDs, or where
# the mirror's name does not resolve.
#
#   autopkgtest_unshare.sh <package-dir> <cache-dir>
set -uo pipefail
export LC_ALL=C.UTF-8

[[ $# -eq 2 ]] || { echo "usage: $0 <package-dir> <cache-dir>" >&2; exit 2; }
packages=$(realpath "$1") cache=$(realpath -m "$2")
# In a chroot, unshare may wait for ever for the mapping it asked newuidmap for, deaf to
# SIGTERM: it is killed, and keeps no pipe of this script's open.
if ! timeout -s KILL 20 unshare --map-auto --map-root-user true >/dev/null 2>&1; then
    echo "SKIP: no user namespace with subordinate IDs here (unshare --map-auto failed)"
    exit 77
fi
. /etc/os-release
release=${VERSION_CODENAME:?}
tarball=$cache/$release.tar
mkdir -p "$cache"
# The testbed comes from this machine's mirror, which a test run without a network (as in
# the fresh-machine check) cannot reach.
mirror=$(cat /etc/apt/sources.list.d/*.sources 2>/dev/null | awk '/^URIs:/ { print $2; exit }')
[[ -n $mirror ]] || mirror=$(awk '$1 == "deb" { print $2; exit }' /etc/apt/sources.list)
host=$(sed -E 's|^[a-z]+://([^/:]+).*|\1|' <<<"$mirror")
if ! getent ahosts "$host" >/dev/null; then
    echo "SKIP: the mirror $mirror cannot be reached"
    exit 77
fi
if [[ ! -f $tarball ]]; then
    mmdebstrap --quiet --variant=apt --format=tar "$release" "$tarball.part" "$mirror" ||
        { echo "FAIL: mmdebstrap $release"; exit 1; }
    mv "$tarball.part" "$tarball"
fi
# Its lists of packages are left out of the tarball: -U fetches them first.
# Exit 2 is "some test skipped, none failed": qx5-web's test starts Apache as a service and
# asks for a container, which unshare is not; the package's own test still has to pass.
status=0
autopkgtest -U "$packages"/qx5_*.dsc "$packages"/qx5_*_"$(dpkg --print-architecture)".deb \
    "$packages"/qx5-web_*_all.deb \
    -- unshare --release "$release" --tarball "$tarball" 2>&1 | tee "$cache/autopkgtest.log" ||
    status=${PIPESTATUS[0]}
[[ $status -eq 0 || $status -eq 2 ]] || exit "$status"
grep -Eq '^work-a-series +PASS' "$cache/autopkgtest.log" || { echo "FAIL: work-a-series did not pass"; exit 1; }
