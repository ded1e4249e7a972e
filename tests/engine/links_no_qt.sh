#!/usr/bin/env bash
# The engine probe links only the engine library; its dynamic dependencies must name no Qt.
set -euo pipefail
probe="$1"
needed="$(readelf -d "$probe" | grep NEEDED)"
echo "$needed"
if grep -qi qt <<<"$needed"; then
    echo "FAIL: the engine pulls in Qt"
    exit 1
fi
"$probe"
echo PASS
