#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 QX5-holdet
# SPDX-License-Identifier: GPL-3.0-or-later

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
