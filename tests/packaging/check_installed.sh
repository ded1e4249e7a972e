#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 QX5-holdet
# SPDX-License-Identifier: GPL-3.0-or-later

# Checks an installed QX5 under <root><prefix>: exactly the expected files, each where the
# desktop looks for it, valid for desktop-file-validate and appstreamcli, the icons at
# their sizes and the man pages (English and Danish) readable by man without warnings.
#
#   check_installed.sh [--install <build-dir>] <root> <prefix> <app-id>
#
# With --install it first installs that build with DESTDIR=<root>, as a packager would.
set -uo pipefail
export LC_ALL=C.UTF-8

usage() {
    echo "usage: $0 [--install <build-dir>] <root> <prefix> <app-id>" >&2
    exit 2
}
build=""
if [[ ${1:-} == --install ]]; then
    [[ $# -ge 2 ]] || usage
    build=$2
    shift 2
fi
[[ $# -eq 3 ]] || usage
root=$1 prefix=$2 id=$3
if [[ -n $build ]]; then
    rm -rf "$root"
    DESTDIR=$root cmake --install "$build" >/dev/null || { echo "FAIL: cmake --install"; exit 1; }
fi
base=$root$prefix
failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

desktop=share/applications/$id.desktop
metainfo=share/metainfo/$id.metainfo.xml
man_page=share/man/man1/qx5.1.gz
danish_man_page=share/man/da/man1/qx5.1.gz
icon_sizes=(16 32 48 64 128 256)
copyright=share/doc/qx5/copyright
changelog=share/doc/qx5/changelog.gz
expected=(bin/qx5 "$desktop" "$metainfo" "$man_page" "$danish_man_page" "share/icons/hicolor/scalable/apps/$id.svg")
for size in "${icon_sizes[@]}"; do
    expected+=("share/icons/hicolor/${size}x$size/apps/$id.png")
done
# The printing module, in the library folder (lib, or lib/<triplet> under /usr).
module=$(cd "$base" && find lib -path '*/qx5/qx5-printing.so' 2>/dev/null | head -n 1)
expected+=("${module:-lib/qx5/qx5-printing.so}")

# Nothing missing and nothing else: every file of the install is one of these, or one the
# Debian package adds (its documents and lintian's overrides).
actual=$(cd "$base" && find . -type f -o -type l | sed 's|^\./||' |
    grep -vx -e "$copyright" -e "$changelog" -e share/lintian/overrides/qx5 | sort)
wanted=$(printf '%s\n' "${expected[@]}" | sort)
if [[ $actual != "$wanted" ]]; then
    fail "the installed files differ from the expected ones:"
    diff <(echo "$wanted") <(echo "$actual")
fi
[[ -x $base/bin/qx5 ]] || fail "bin/qx5 is not executable"
# Printing's libraries come with the module at the first print, not with the program.
needed() { readelf -d "$1" 2>/dev/null | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p'; }
if [[ -f $base/bin/qx5 ]]; then
    grep -E 'PrintSupport|cups' <<<"$(needed "$base/bin/qx5")" &&
        fail "bin/qx5 links printing's libraries itself"
fi
if [[ -n $module ]]; then
    needed "$base/$module" | grep -q '^libQt6PrintSupport' || fail "$module does not link Qt's print support"
fi

# The desktop entry: valid, and pointing at the installed program and icon.
if [[ -f $base/$desktop ]]; then
    out=$(desktop-file-validate "$base/$desktop" 2>&1) || fail "desktop-file-validate failed"
    [[ -z $out ]] || fail "desktop-file-validate reports: $out"
    key() { sed -n "s/^$1=//p" "$base/$desktop"; }
    [[ $(key Exec) == qx5 && $(key TryExec) == qx5 ]] || fail "Exec/TryExec do not run qx5"
    [[ $(key Icon) == "$id" ]] || fail "Icon is '$(key Icon)', not '$id'"
    [[ $(key Categories) == "Education;Math;" ]] || fail "Categories: '$(key Categories)'"
    [[ $(key Name) == QX5 ]] || fail "Name: '$(key Name)'"
    [[ $(key GenericName) == Kæderegning ]] || fail "GenericName: '$(key GenericName)'"
    [[ $(key Comment) == Øv\ kæderegning* ]] || fail "Comment is not Danish: '$(key Comment)'"
fi

# The AppStream metadata: valid even to the pedantic checks, and launching this entry.
if [[ -f $base/$metainfo ]]; then
    out=$(appstreamcli validate --no-net --pedantic "$base/$metainfo" 2>&1) ||
        fail "appstreamcli validate failed"
    issues=$(grep -E '^[EWIP]: ' <<<"$out")
    [[ -z $issues ]] || fail "appstreamcli reports: $issues"
    # What the validator leaves to us: the number of matches of each XPath expression.
    count() { xmllint --xpath "count($1)" "$base/$metainfo"; }
    expect() { # <count> <xpath> <what it means>
        local n
        n=$(count "$2")
        [[ $n == "$1" ]] || fail "$3 ($2: $n)"
    }
    expect 1 "/component[@type='desktop-application']/id[.='$id']" "the id is not $id"
    expect 1 "/component/launchable[@type='desktop-id'][.='$id.desktop']" \
        "the metadata does not launch $id.desktop"
    expect 1 "/component/project_license[normalize-space()='GPL-3.0-or-later']" \
        "the licence is not GPL-3.0-or-later"
    expect 1 "/component/metadata_license[.='FSFAP' or .='CC0-1.0']" \
        "the metadata's licence is not FSFAP or CC0-1.0"
    for lang in en da; do
        if [[ $lang == en ]]; then lang_test="not(@xml:lang)"; else lang_test="@xml:lang='$lang'"; fi
        expect 1 "/component/summary[$lang_test][normalize-space()!='']" "one $lang summary"
        expect 2 "/component/description/p[$lang_test]" "two $lang description paragraphs"
        expect 1 "/component/screenshots/screenshot/caption[$lang_test]" "a $lang screenshot caption"
    done
    expect 1 "/component/content_rating[@type='oars-1.1']" "no OARS content rating"
    # Fit for children: nothing rated, or everything rated none.
    expect 0 "/component/content_rating/content_attribute[normalize-space()!='none']" \
        "content unfit for children"
    expect 1 "/component/screenshots/screenshot[@type='default']/image[starts-with(., 'https://')]" \
        "no default screenshot on https"
    expect 1 "/component/releases/release[@version][@date]" "no release"
fi

# The Debian documents: a machine-readable copyright file and a changelog.
if [[ -f $base/$copyright ]]; then
    head -n 1 "$base/$copyright" |
        grep -qx 'Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' ||
        fail "$copyright is not in the machine-readable format"
    grep -qx 'License: GPL-3+' "$base/$copyright" || fail "$copyright does not say GPL-3+"
    grep -qF '/usr/share/common-licenses/GPL-3' "$base/$copyright" ||
        fail "$copyright does not point to the GPL's text"
fi
if [[ -f $base/$changelog ]]; then
    version=$(gzip -cd "$base/$changelog" | dpkg-parsechangelog -l - -S Version) ||
        fail "$changelog is not a valid Debian changelog"
    release=$(xmllint --xpath 'string(/component/releases/release[1]/@version)' "$base/$metainfo")
    [[ $version == "$release" ]] ||
        fail "the changelog is for version '$version', the metadata's release is '$release'"
fi

# The icons: PNG at their sizes, and SVG for the scalable one.
for size in "${icon_sizes[@]}"; do
    file=$base/share/icons/hicolor/${size}x$size/apps/$id.png
    [[ -f $file ]] || continue
    [[ $(file -b "$file") == "PNG image data, $size x $size, "* ]] ||
        fail "$file: $(file -b "$file")"
done
svg=$base/share/icons/hicolor/scalable/apps/$id.svg
[[ ! -f $svg || $(file -b "$svg") == "SVG Scalable Vector Graphics image"* ]] ||
    fail "$svg: $(file -b "$svg")"

# The man pages: compressed, in section 1, formatted by man without a warning, saying what
# they must, in English and in Danish.
man_check() { # <page> <NAME line> <OPTIONS heading> <no options>
    local page=$base/$1 warnings text
    [[ -f $page ]] || return
    gzip -t "$page" || fail "$1 is not a valid gzip file"
    warnings=$(MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null)
    [[ -z $warnings ]] || fail "man warns on $1: $warnings"
    text=$(MANWIDTH=80 man -l "$page" 2>/dev/null)
    grep -q '^QX5(1) ' <<<"$text" || fail "$1 is not QX5(1)"
    grep -Eq "^ +qx5 - .*$2" <<<"$text" || fail "$1 has no NAME line saying what qx5 is"
    grep -A3 "^$3" <<<"$text" | grep -Eq "$4" || fail "$1's $3 lacks '$4'"
    grep -qi 'speaks' <<<"$text" && fail "$1 says the program speaks"
}
man_check "$man_page" arithmetic OPTIONS 'has +no +options'
man_check "$danish_man_page" kæderegning TILVALG 'har +ingen +tilvalg'

if ((failures > 0)); then
    echo "$failures check(s) failed"
    exit 1
fi
echo "PASS: $base holds a complete, valid QX5 installation"
