#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 QX5-holdet
# SPDX-License-Identifier: GPL-3.0-or-later

# Builds the Debian packages with tools/package (which fails on any lintian tag), inspects
# the program's with dpkg-deb and hardening-check and unpacks it into <work>/root for the
# start test; the unpacked tree must be a complete installation.
#
#   check_deb.sh <source-dir> <work-dir> <app-id>
set -uo pipefail
export LC_ALL=C.UTF-8

[[ $# -eq 3 ]] || { echo "usage: $0 <source-dir> <work-dir> <app-id>" >&2; exit 2; }
source_dir=$1 work=$2 id=$3
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

rm -rf "$work/root" "$work/dbgsym"
mkdir -p "$work"
if ! "$source_dir/tools/package" "$work/build" >"$work/package.log" 2>&1; then
    cat "$work/package.log"
    echo "FAIL: tools/package"
    exit 1
fi
deb=$(tail -n 1 "$work/package.log")
echo "package: $deb"
# Beside it: the source package and the debug symbols.
for made in "${deb%_*}.dsc" "${deb/qx5_/qx5-dbgsym_}"; do
    [[ -f $made ]] || fail "tools/package made no $(basename "$made")"
done

# The control fields.
info=$(dpkg-deb -I "$deb") || { echo "FAIL: dpkg-deb -I cannot read $deb"; exit 1; }
field() { dpkg-deb -f "$deb" "$1"; }
[[ $(field Package) == qx5 ]] || fail "Package: $(field Package)"
[[ $(field Architecture) == "$(dpkg --print-architecture)" ]] || fail "Architecture: $(field Architecture)"
changelog_version=$(dpkg-deb --fsys-tarfile "$deb" | tar -xOf - ./usr/share/doc/qx5/changelog.gz |
    gzip -cd | dpkg-parsechangelog -l - -S Version 2>/dev/null)
[[ $(field Version) == "$changelog_version" ]] ||
    fail "Version $(field Version), but the changelog is for '$changelog_version'"
[[ $(field Section) == education ]] || fail "Section: $(field Section)"
[[ $(field Maintainer) =~ ^[^\<]+\ \<[^@\>]+@[^\>]+\>$ ]] || fail "Maintainer: $(field Maintainer)"
description=$(field Description)
[[ $(head -n 1 <<<"$description") == *arithmetic* ]] || fail "Description's summary: $description"
(($(wc -l <<<"$description") > 2)) || fail "the Description has no long description"
if awk 'length > 80' <<<"$description" | grep -q .; then
    fail "the Description has lines over 80 characters"
fi

# Depends: the Qt 6 libraries the program links, found by dpkg-shlibdeps, and what it
# needs at run time without linking it; nothing of the build's own tools. Debian 13's
# 64-bit time libraries end in t64 (libqt6core6t64): either name will do.
depends=$(field Depends)
echo "Depends: $depends"
mapfile -t names < <(tr ',' '\n' <<<"$depends" | sed -E 's/^ +//; s/[ (].*//; s/t64$//')
for package in libqt6core6 libqt6gui6 libqt6widgets6 libqt6printsupport6 libc6 libstdc++6 \
    fonts-liberation fonts-dejavu-core qt6-translations-l10n; do
    printf '%s\n' "${names[@]}" | grep -qx -- "$package" || fail "Depends lacks $package"
done
for package in libqt6svg6 libqt6test6 libbenchmark1debian libasan8 libubsan1; do
    printf '%s\n' "${names[@]}" | grep -qx -- "$package" && fail "Depends names $package"
done
grep -Eq 'libqt6core6(t64)? \(>= ' <<<"$depends" || fail "the Qt libraries have no computed version"
[[ $(field Recommends) == *qt6-wayland* ]] || fail "Recommends: $(field Recommends)"

# Nothing runs at install or removal, and nothing is kept as configuration: removing the
# package removes all of it.
control=$(dpkg-deb --ctrl-tarfile "$deb" | tar -t | sed 's|^\./||' |
    grep -vx -e '' -e control -e md5sums)
[[ -z $control ]] || fail "the package has maintainer scripts or conffiles: $control"

# The contents: the files a desktop and man look for, all owned by root.
multiarch=$(dpkg-architecture -q DEB_HOST_MULTIARCH)
contents=$(dpkg-deb -c "$deb") || { echo "FAIL: dpkg-deb -c cannot read $deb"; exit 1; }
for path in ./usr/bin/qx5 "./usr/share/applications/$id.desktop" \
    "./usr/share/metainfo/$id.metainfo.xml" ./usr/share/man/man1/qx5.1.gz \
    ./usr/share/man/da/man1/qx5.1.gz \
    "./usr/share/icons/hicolor/32x32/apps/$id.png" \
    "./usr/share/icons/hicolor/256x256/apps/$id.png" \
    "./usr/share/icons/hicolor/scalable/apps/$id.svg" ./usr/share/doc/qx5/copyright \
    ./usr/share/doc/qx5/changelog.gz "./usr/lib/$multiarch/qx5/qx5-printing.so"; do
    grep -Eq " $(sed 's/[.]/[.]/g' <<<"$path")\$" <<<"$contents" || fail "the package lacks $path"
done
ar t "$deb" | grep -qx data.tar.xz || fail "the data is not xz-compressed: $(ar t "$deb" | xargs)"
awk '{print $2}' <<<"$contents" | grep -qv '^root/root$' && fail "files not owned by root/root"
grep -E '^-rwxr-xr-x .* \./usr/bin/qx5$' <<<"$contents" >/dev/null || fail "usr/bin/qx5 is not 0755"

# Unpacked, it is a whole installation, and the program reaches nothing of the build.
dpkg-deb -x "$deb" "$work/root" || { echo "FAIL: dpkg-deb -x"; exit 1; }
"$here/check_installed.sh" "$work/root" /usr "$id" || fail "the unpacked package"
program=$work/root/usr/bin/qx5
module=$work/root/usr/lib/$multiarch/qx5/qx5-printing.so
if readelf -d "$program" | grep -Eq '\((RPATH|RUNPATH)\)'; then
    fail "the installed program has a library search path: $(readelf -d "$program" | grep PATH)"
fi
if grep -qF -- "$source_dir" "$program" || grep -qF -- "$work/build" "$program"; then
    fail "the installed program names the source or build folder"
fi
file -b "$program" | grep -q ', stripped' || fail "the installed program is not stripped"

# Hardened, as far as the architecture allows: on amd64 every file carries x86's
# control-flow marks, which the package build sets; ARM's (which Debian 13's hardening-check
# asks for on every architecture) only if the C library's start files carry them too.
hardening=()
start_notes=$(readelf -n "/usr/lib/$multiarch/Scrt1.o" 2>/dev/null)
[[ $(dpkg --print-architecture) == amd64 ]] || hardening+=(--nocfprotection)
if [[ $(hardening-check --help) == *--nobranchprotection* ]]; then
    grep -q 'AArch64 feature: BTI, PAC' <<<"$start_notes" || hardening+=(--nobranchprotection)
fi
hardening-check --quiet "${hardening[@]}" "$program" "$module" || fail "hardening-check"
# Stack clash protection leaves no mark that hardening-check can be sure of: it sees probes
# only in functions with frames over a page, which this program has none of. The compiler's
# own record of its options, in the debug symbols, says what it was given, on
# Debian 12 as on 13.
dpkg-deb -x "${deb/qx5_/qx5-dbgsym_}" "$work/dbgsym" || fail "dpkg-deb -x the debug symbols"
producers=$(find "$work/dbgsym" -name '*.debug' -exec readelf -z -p .debug_str {} + 2>/dev/null |
    sed -n -E 's/^ *\[ *[0-9a-f]+\] +(GNU C.*)/\1/p' | sort -u)
[[ -n $producers ]] || fail "the debug symbols name no compiler"
protections=(-fstack-clash-protection)
[[ $(dpkg --print-architecture) != amd64 ]] || protections+=(-fcf-protection)
for flag in "${protections[@]}"; do
    without=$(grep -v -e "$flag" <<<"$producers")
    [[ -z $without ]] || fail "compiled without $flag: $without"
done

# The browser edition for a school's web server: the site, and Apache's and nginx's
# configuration as conffiles, enabled and disabled by Apache's own helper.
web=$(dirname "$deb")/qx5-web_$(field Version)_all.deb
if [[ -f $web ]]; then
    web_contents=$(dpkg-deb -c "$web")
    for path in ./usr/share/qx5-web/index.html ./etc/apache2/conf-available/qx5-web.conf \
        ./etc/nginx/snippets/qx5-web.conf ./usr/share/doc/qx5-web/copyright; do
        grep -q " $path\$" <<<"$web_contents" || fail "qx5-web lacks $path"
    done
    grep -Eq ' \./usr/share/qx5-web/.*\.wasm$' <<<"$web_contents" || fail "qx5-web has no engine"
    conffiles=$(dpkg-deb --ctrl-tarfile "$web" | tar -xOf - ./conffiles | sort | xargs)
    [[ $conffiles == "/etc/apache2/conf-available/qx5-web.conf /etc/nginx/snippets/qx5-web.conf" ]] ||
        fail "qx5-web's conffiles: $conffiles"
    for script in postinst prerm postrm; do
        dpkg-deb --ctrl-tarfile "$web" | tar -xOf - "./$script" | grep -q apache2-maintscript-helper ||
            fail "qx5-web's $script leaves Apache to the administrator"
    done
else
    fail "tools/package made no $(basename "$web")"
fi

if ((failures > 0)); then
    echo "$failures check(s) failed"
    exit 1
fi
echo "PASS: $deb"
