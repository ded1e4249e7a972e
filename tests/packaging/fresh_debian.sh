#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 QX5-holdet
# SPDX-License-Identifier: GPL-3.0-or-later
#
# A school computer's first day, in a chroot: a minimal Debian 12 or 13 (debootstrap,
# minbase), a user with sudo and a clean clone of this repository. As that user, with no
# locale set, tools/start must install no test package and show the program's window; then
# tools/test must pass, and its browser tests again as root from a clone of root's. Last,
# the Debian package it built goes onto another fresh system of the same release with only
# its dependencies, where the program must start, sans-serif must be a proportional face,
# AppStream must find the program and the package's own test must pass under autopkgtest;
# apt remove, then apt purge, must leave nothing of it. On a third, qx5-web with Apache must
# serve the site with its headers, and leave nothing when purged. Prints the time and the
# disk that each step takes, and what the single package list of <old-ref> would have taken
# for tools/start.
#
# Run by hand, as root: it downloads about a gigabyte and builds everything three times,
# which takes an hour and a half. The mirror is the one this machine's apt uses.
#
#   tests/packaging/fresh_debian.sh <work-dir> [<old-ref>] [bookworm|trixie]
#
# bookworm (Debian 12) when no release is given. <work-dir>/base-<release> keeps the
# debootstrapped system for the next run; the rest is removed.
set -euo pipefail
export LC_ALL=C.UTF-8

[[ $# -ge 1 && $# -le 3 ]] ||
    { echo "usage: $0 <work-dir> [<old-ref>] [bookworm|trixie]" >&2; exit 2; }
[[ $(id -u) -eq 0 ]] || { echo "$0: run as root (debootstrap, chroot, mount)" >&2; exit 2; }
work=$(realpath -m "$1")
old_ref=${2:-}
release=${3:-bookworm}
[[ $release == bookworm || $release == trixie ]] || { echo "$0: no release $release" >&2; exit 2; }
base=$work/base-$release
repo=$(git -C "$(dirname "${BASH_SOURCE[0]}")" rev-parse --show-toplevel)
# debootstrap, Xvfb, git and the rest that this check runs on this machine.
"$repo/tools/setup" release test
commit=$(git -C "$repo" rev-parse HEAD)
readonly app_id=dk.qx5holdet.qx5 caption="   QX5:  Zurevodi    Version 270405" user=skole

# This machine's mirrors: the first is the archive's, one named for security its updates'.
mapfile -t mirrors < <(cat /etc/apt/sources.list.d/*.sources 2>/dev/null |
    awk '/^URIs:/ { print $2 }'; awk '$1 == "deb" { print $2 }' /etc/apt/sources.list 2>/dev/null)
mirror=${mirrors[0]:-}
[[ -n $mirror ]] || { echo "$0: no Debian mirror in this machine's apt sources" >&2; exit 1; }
security=$(printf '%s\n' "${mirrors[@]}" | grep -m1 security || true)

mkdir -p "$work"
mounts=()
xvfb_pid=""
roots=()
cleanup() {
    local i
    for ((i = ${#mounts[@]} - 1; i >= 0; i--)); do
        umount -R -l "${mounts[i]}" 2>/dev/null || true
    done
    [[ -n $xvfb_pid ]] && kill "$xvfb_pid" 2>/dev/null
    for root in "${roots[@]}"; do
        grep -qF " $root/" /proc/mounts || rm -rf --one-file-system "$root"
    done
}
trap cleanup EXIT

if [[ ! -f $base/.qx5-complete ]]; then
    echo "== debootstrap $release (minbase)"
    rm -rf "$base"
    debootstrap --variant=minbase "$release" "$base" "$mirror" >"$work/debootstrap.log" 2>&1 ||
        { tail "$work/debootstrap.log"; exit 1; }
    touch "$base/.qx5-complete"
fi

# A copy of the base with the release's sources on this machine's mirrors, and /proc, /sys,
# /dev and the X sockets mounted.
new_root() {
    local root=$work/$1
    rm -rf "$root"
    cp -a "$base" "$root"
    roots+=("$root")
    rm -f "$root"/etc/apt/sources.list.d/*
    {
        echo "deb $mirror $release main"
        echo "deb $mirror $release-updates main"
        [[ -z $security ]] || echo "deb $security $release-security main"
    } >"$root/etc/apt/sources.list"
    cp /etc/resolv.conf "$root/etc/resolv.conf"
    mount -t proc proc "$root/proc" && mounts+=("$root/proc")
    mount -t sysfs sys "$root/sys" && mounts+=("$root/sys")
    mount --rbind /dev "$root/dev" && mount --make-rslave "$root/dev" && mounts+=("$root/dev")
    in_root "$1" apt-get update -qq
}
in_root() {
    local root=$work/$1
    shift
    chroot "$root" env DEBIAN_FRONTEND=noninteractive PATH=/usr/sbin:/usr/bin:/sbin:/bin "$@"
}
# As the user, in a login shell with no locale set, as su, ssh and CI often leave it.
no_locale="unset LANG LANGUAGE LC_ALL"
as_user() {
    local root=$work/$1
    shift
    chroot "$root" su - "$user" -c "$no_locale; $*"
}
# The system's size in MB, the user's home and apt's downloaded archives left out.
system_mb() {
    (cd "$work/$1" && du -sxm --exclude=./home --exclude=./var/cache/apt/archives \
        --exclude=./proc --exclude=./sys --exclude=./dev --exclude=./tmp . | cut -f1)
}
archives_mb() { du -sm "$work/$1/var/cache/apt/archives" | cut -f1; }
# What apt says installing these packages would download and take, without installing.
apt_figures() {
    local root=$1
    shift
    in_root "$root" apt-get install --no-install-recommends --assume-no "$@" 2>&1 |
        sed -n -E 's/^(Need to get [^ ]+ [^ ]+).*/\1/p; s/^After this operation, ([^ ]+ [^ ]+) .*/\1 on disk/p' |
        paste -sd ' '
}
report=()
say() {
    echo "$*"
    report+=("$*")
}
# apt remove, then apt purge: removed, nothing of the package may stay but its conffiles (and
# anything else of its name under /etc, such as a web server's link to a configuration);
# purged, nothing at all, and dpkg forgets it.
#   remove_and_purge <root> <package>
remove_and_purge() {
    local root=$work/$1 package=$2 files conffiles left status purged known
    mapfile -t files < <(in_root "$1" dpkg -L "$package" | while read -r f; do
        [[ -d $root$f ]] || echo "$f"
    done)
    conffiles=$(in_root "$1" dpkg-query -W -f='${Conffiles}\n' "$package" | awk 'NF { print $1 }')
    in_root "$1" apt-get remove -y -qq "$package" >/dev/null
    left=$(for f in "${files[@]}"; do
        if [[ -e $root$f ]] && ! grep -qxF -- "$f" <<<"$conffiles"; then echo "$f"; fi
    done; find "$root/etc" -name "$package[.-]*" -printf '/etc/%P\n' |
        { grep -vxF -- "$conffiles" || true; })
    status=$(in_root "$1" dpkg-query -W -f='${db:Status-Status}' "$package" 2>/dev/null || true)
    # Once removed, apt may no longer know the package at all: that is nothing to purge.
    purged=$(in_root "$1" apt-get purge -y -qq "$package" 2>&1 | tail -n 1 || true)
    left+=$(for f in "${files[@]}"; do if [[ -e $root$f ]]; then echo " $f"; fi; done
        find "$root/etc" -name "$package[.-]*" -printf ' /etc/%P')
    known=$(in_root "$1" dpkg-query -W -f='${db:Status-Abbrev}' "$package" 2>/dev/null || true)
    if [[ -z $left && $status != installed && $known != [ir]* ]]; then
        say "apt remove $package left none of its ${#files[@]} files but its configuration," \
            "apt purge that too: ${purged:-done}"
    else
        say "FAIL: apt remove $package left '$status' and files, or apt purge did: $left;" \
            "after apt purge dpkg knows '$known'"
        failures=$((failures + 1))
    fi
}

# The X server the chroots' programs show on, so that tools/start needs no Xvfb.
display=99
while [[ -e /tmp/.X11-unix/X$display || -e /tmp/.X$display-lock ]]; do display=$((display + 1)); done
Xvfb ":$display" -ac -nolisten tcp -screen 0 1280x1024x24 >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
for ((i = 0; i < 100; i++)); do
    [[ -e /tmp/.X11-unix/X$display ]] && break
    sleep 0.1
done

echo "== a fresh $release system, a user with sudo, a clean clone of $commit"
new_root school
in_root school apt-get install -y -qq --no-install-recommends sudo >/dev/null
in_root school useradd -m -s /bin/bash "$user"
echo "$user ALL=(ALL) NOPASSWD: ALL" >"$work/school/etc/sudoers.d/$user"
chmod 0440 "$work/school/etc/sudoers.d/$user"
git clone -q --no-local "$repo" "$work/school/home/$user/qx5"
git -C "$work/school/home/$user/qx5" checkout -q --detach "$commit"
in_root school chown -R "$user:$user" "/home/$user/qx5"
# This machine's own certificate authority for npm's registry (a proxy's), when it names one.
extra_ca=""
if [[ -f ${NODE_EXTRA_CA_CERTS:-} ]]; then
    mkdir -p "$work/school/etc/ssl"
    cp "$NODE_EXTRA_CA_CERTS" "$work/school/etc/ssl/qx5-extra-ca.crt"
    extra_ca="export NODE_EXTRA_CA_CERTS=/etc/ssl/qx5-extra-ca.crt;"
fi

checkout=$work/school/home/$user/qx5
mapfile -t start_packages < <("$checkout/tools/setup" --list build run)
mapfile -t test_packages < <("$checkout/tools/setup" --list test)
if [[ -n $old_ref ]]; then
    mapfile -t old_packages < <(git -C "$repo" show "$old_ref:tools/packages.txt" |
        grep -v -E '^\s*(#|$)' | awk '{ print $1 }')
    say "tools/start's installs at $old_ref (apt): $(apt_figures school "${old_packages[@]}")"
fi
say "tools/start's installs now (apt): $(apt_figures school "${start_packages[@]}")"
before=$(system_mb school)

failures=0
# Runs a command in the root on this machine's display, in a session of its own, until the
# program's window has shown and stayed 5 s; then ends it. Says how it went.
#   shows_window <root> <what> <log> <command>
shows_window() {
    local root=$work/$1 what=$2 log=$3 window="" pid
    shift 3
    mkdir -p "$root/tmp/.X11-unix"
    mount --bind /tmp/.X11-unix "$root/tmp/.X11-unix" && mounts+=("$root/tmp/.X11-unix")
    SECONDS=0
    setsid chroot "$root" "$@" >"$log" 2>&1 &
    pid=$!
    while kill -0 "$pid" 2>/dev/null && ((SECONDS < 5400)); do
        window=$(DISPLAY=:$display xwininfo -root -tree 2>/dev/null | grep -F "\"$caption\"" || true)
        [[ -n $window ]] && break
        sleep 2
    done
    if [[ -z $window ]]; then
        tail -n 30 "$log"
        say "FAIL: $what showed no window in $SECONDS s"
        failures=$((failures + 1))
    else
        local seconds=$SECONDS
        sleep 5
        if kill -0 "$pid" 2>/dev/null; then
            say "$what: the window showed after $seconds s and stayed 5 s"
        else
            say "FAIL: $what ended within 5 s of showing its window"
            failures=$((failures + 1))
        fi
    fi
    kill -TERM -- "-$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    umount "$root/tmp/.X11-unix" && unset 'mounts[-1]'
}

echo "== tools/start, as $user, on this machine's display :$display"
shows_window school tools/start "$work/start.log" su - "$user" -c \
    "$no_locale; export DISPLAY=:$display; cd qx5 && exec tools/start"
after_start=$(system_mb school)
say "tools/start's installs took $((after_start - before)) MB of the system" \
    "(+ $(archives_mb school) MB of downloaded archives in apt's cache)"
installed_test=()
for package in "${test_packages[@]}"; do
    status=$(chroot "$work/school" dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
    [[ $status == "install ok installed" ]] && installed_test+=("$package")
done
if ((${#installed_test[@]} > 0)); then
    say "FAIL: tools/start installed test packages: ${installed_test[*]}"
    failures=$((failures + 1))
else
    say "tools/start installed none of the ${#test_packages[@]} test packages"
fi

echo "== tools/test, as $user"
SECONDS=0
# Its installs first, as tools/test makes them, npm's test tools included; then the tests
# without a network, so that their X servers' abstract sockets cannot meet this machine's
# (but with a loopback, where the browser test's driver listens), and seeing only their own
# processes: Orca will not start where it sees another of the same user id, which another
# system's test run on this machine may have.
isolated() {
    unshare -n -p -f --mount-proc="$work/school/proc" \
        sh -c 'ip link set lo up && exec "$@"' sh chroot "$work/school" "$@"
}
if as_user school "$extra_ca cd qx5 && tools/setup build run package web test &&
        npm ci --prefix tests/web --no-audit --no-fund --ignore-scripts" >"$work/test.log" 2>&1 &&
    isolated su - "$user" \
        -c "$no_locale; cd qx5 && tools/test" >>"$work/test.log" 2>&1; then
    say "tools/test passed in $SECONDS s: $(grep -E 'tests passed' "$work/test.log")"
else
    status=$?
    tail -n 40 "$work/test.log"
    say "FAIL: tools/test (exit code $status) after $SECONDS s; see $work/test.log"
    failures=$((failures + 1))
fi
# The browser tests again as root, from a clean clone of root's own: the browsers' sandboxes
# and the accessibility bus behave otherwise for root.
git clone -q --no-local "$repo" "$work/school/root/qx5"
git -C "$work/school/root/qx5" checkout -q --detach "$commit"
SECONDS=0
if in_root school sh -c "$no_locale; $extra_ca cd /root/qx5 &&
        npm ci --prefix tests/web --no-audit --no-fund --ignore-scripts" >"$work/test-root.log" 2>&1 &&
    isolated su - root \
        -c "$no_locale; cd qx5 && tools/test -L web" >>"$work/test-root.log" 2>&1; then
    say "tools/test -L web as root passed in $SECONDS s: $(grep -E 'tests passed' "$work/test-root.log")"
else
    status=$?
    tail -n 40 "$work/test-root.log"
    say "FAIL: tools/test -L web as root (exit code $status) after $SECONDS s; see $work/test-root.log"
    failures=$((failures + 1))
fi
after_test=$(system_mb school)
say "tools/test's installs took $((after_test - after_start)) MB more; archives now $(archives_mb school) MB"
# What the package's hardening comes to on this release, every line of hardening-check's.
unpacked=/home/$user/qx5/build/test/tests/deb/root/usr
hardened=$(in_root school sh -c "hardening-check $unpacked/bin/qx5 $unpacked/lib/*/qx5/*.so || :" |
    sed -E 's/^ +//' | paste -sd ';')
say "hardening-check: $hardened"

echo "== the package on a fresh system, with only its dependencies"
deb=$(find "$checkout/build/test/tests/deb/build" -maxdepth 1 -name 'qx5_*.deb' | head -n 1)
if [[ -n $deb ]]; then
    new_root pupil
    cp "$deb" "$work/pupil/tmp/"
    in_root pupil apt-get install -y -qq --no-install-recommends "/tmp/$(basename "$deb")" >/dev/null
    say "the package's installs took $(($(system_mb pupil) - $(system_mb "base-$release"))) MB"
    in_root pupil useradd -m "$user"
    shows_window pupil "the installed qx5" "$work/installed.log" su - "$user" -c \
        "$no_locale; DISPLAY=:$display exec qx5"
    # fc-match comes with fontconfig, which brings no font of its own here.
    in_root pupil apt-get install -y -qq --no-install-recommends fontconfig appstream >/dev/null
    face=$(in_root pupil fc-match -f '%{family}: %{style}' sans-serif)
    spacing=$(in_root pupil fc-match -f '%{spacing}' sans-serif)
    if [[ -n $spacing ]]; then
        say "FAIL: sans-serif is a fixed-pitch face (spacing $spacing): $face"
        failures=$((failures + 1))
    else
        say "sans-serif with only the package's dependencies: $face (proportional)"
    fi
    for word in math matematik regning kæderegning hovedregning; do
        # Read whole: grep -q would end the pipe early and appstreamcli with SIGPIPE.
        found=$(in_root pupil appstreamcli search "$word" 2>&1 || true)
        if grep -q "^Identifier: $app_id " <<<"$found"; then
            say "appstreamcli search $word: finds $app_id"
        else
            say "FAIL: appstreamcli search $word does not find $app_id"
            failures=$((failures + 1))
        fi
    done
    # (Before autopkgtest, which installs the package its own way.)
    remove_and_purge pupil qx5
    # The package's own test, as Debian runs it: autopkgtest on this throwaway system (its
    # null runner installs the test's dependencies here).
    cp "${deb%_*}.dsc" "${deb%_*}.tar.xz" "$work/pupil/tmp/"
    in_root pupil apt-get install -y -qq --no-install-recommends autopkgtest >/dev/null
    # The program's own test only: qx5-web's is tried on a third system below.
    if in_root pupil autopkgtest --test-name=work-a-series "/tmp/$(basename "${deb%_*}.dsc")" \
        "/tmp/$(basename "$deb")" -- null >"$work/autopkgtest.log" 2>&1; then
        say "autopkgtest: $(grep -E '^work-a-series ' "$work/autopkgtest.log")"
    else
        tail -n 30 "$work/autopkgtest.log"
        say "FAIL: autopkgtest; see $work/autopkgtest.log"
        failures=$((failures + 1))
    fi
else
    say "FAIL: tools/test left no package in build/test/tests/deb/build"
    failures=$((failures + 1))
fi

echo "== qx5-web on a fresh system with Apache"
web_deb=$(find "$checkout/build/test/tests/deb/build" -maxdepth 1 -name 'qx5-web_*_all.deb' | head -n 1)
if [[ -n $web_deb ]]; then
    new_root server
    cp "$web_deb" "$checkout/tests/web/served_headers.py" "$work/server/tmp/"
    in_root server apt-get install -y -qq --no-install-recommends \
        "/tmp/$(basename "$web_deb")" apache2 curl python3 >/dev/null
    # Apache on a loopback of its own: this machine's port 80 may be taken.
    if unshare -n sh -c 'ip link set lo up && exec "$@"' sh chroot "$work/server" sh -c \
        'apache2ctl start && python3 /tmp/served_headers.py http://127.0.0.1/qx5/ /usr/share/qx5-web
         status=$?; apache2ctl stop; exit $status' >"$work/served.log" 2>&1; then
        say "qx5-web with Apache: $(grep -F /qx5/: "$work/served.log")"
    else
        tail -n 30 "$work/served.log"
        say "FAIL: qx5-web with Apache; see $work/served.log"
        failures=$((failures + 1))
    fi
    remove_and_purge server qx5-web
else
    say "FAIL: tools/test left no qx5-web package in build/test/tests/deb/build"
    failures=$((failures + 1))
fi

echo
echo "== summary ($commit)"
printf '%s\n' "${report[@]}"
((failures == 0))
