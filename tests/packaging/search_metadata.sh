#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 QX5-holdet
# SPDX-License-Identifier: GPL-3.0-or-later
#
# AppStream's search finds the installed program by its English and Danish words.
# appstreamcli reads only /usr/share/metainfo and /usr/share/applications, so the
# installed files are mounted there in a user and mount namespace of the test's own;
# where the kernel refuses one (in a chroot, say) the test is skipped (exit code 77).
#
#   search_metadata.sh <installed share folder> <app-id>
set -uo pipefail
export LC_ALL=C.UTF-8

[[ $# -eq 2 ]] || { echo "usage: $0 <share-dir> <app-id>" >&2; exit 2; }
share=$(realpath "$1") id=$2
if ! unshare --map-root-user --mount true 2>/dev/null; then
    echo "SKIP: no user and mount namespace here: $(unshare --map-root-user --mount true 2>&1)"
    exit 77
fi
cache=$(mktemp -d "${TMPDIR:-/tmp}/qx5-search.XXXXXX")
trap 'rm -rf "$cache"' EXIT

failures=0
for word in math matematik regning kæderegning hovedregning arithmetic; do
    found=$(unshare --map-root-user --mount sh -c '
        mount --bind "$1/metainfo" /usr/share/metainfo &&
            mount --bind "$1/applications" /usr/share/applications &&
            appstreamcli search --cachepath "$2" "$3"' sh "$share" "$cache" "$word" 2>&1)
    if grep -q "^Identifier: $id " <<<"$found"; then
        echo "appstreamcli search $word: finds $id"
    else
        echo "FAIL: appstreamcli search '$word' does not find $id: $found"
        failures=$((failures + 1))
    fi
done
((failures == 0))
