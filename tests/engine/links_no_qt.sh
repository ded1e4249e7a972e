#!/usr/bin/env bash
# The probe links only the engine and the sheet layout; its dynamic dependencies must name no Qt.
set -euo pipefail
probe="$1"
needed="$(readelf -d "$probe" | grep NEEDED)"
echo "$needed"
if grep -qi qt <<<"$needed"; then
    echo "FAIL: the engine or the sheet layout pulls in Qt"
    exit 1
fi
"$probe"
echo PASS
