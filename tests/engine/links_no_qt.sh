#!/usr/bin/env bash
# The probe links only the engine, the sheet layout and the transcript; its dynamic
# dependencies must name no Qt.
set -euo pipefail
probe="$1"
needed="$(readelf -d "$probe" | grep NEEDED)"
echo "$needed"
if grep -qi qt <<<"$needed"; then
    echo "FAIL: the engine, the sheet layout or the transcript pulls in Qt"
    exit 1
fi
"$probe"
echo PASS
