#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks what an installation puts on a machine: the file list of `cmake --install` into a
# scratch root, the udev rule's content, the desktop metadata, the manual pages, the
# tamsel-station service (checked by systemd-analyze), and the Debian package built from the
# same tree as Debian builds it, checked by lintian.
set -euo pipefail
source_dir=$1
build_dir=$2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

expected=(
    usr/bin/tamsel
    usr/bin/tamsel-demo
    usr/bin/tamsel-station
    usr/lib/udev/rules.d/60-tamsel.rules
    usr/share/applications/tamsel.desktop
    usr/share/applications/tamsel-demo.desktop
    usr/share/metainfo/io.github.tamsel.console.metainfo.xml
    usr/share/icons/hicolor/48x48/apps/tamsel.png
    usr/share/icons/hicolor/scalable/apps/tamsel.svg
    usr/share/doc/tamsel/examples/memory.txt
    usr/share/doc/tamsel/examples/icom-repeaters.csv
    usr/share/doc/tamsel/examples/chirp-export.csv
    usr/share/man/man1/tamsel.1
    usr/share/man/man1/tamsel-demo.1
    usr/share/man/man1/tamsel-station.1
    usr/lib/sysusers.d/tamsel.conf
    usr/share/tamsel/world-50m.bin
)

# 1. The install tree.
DESTDIR="$scratch/root" cmake --install "$build_dir" --prefix /usr > /dev/null
# The service unit goes where systemd looks under the prefix (the package puts it in
# /lib/systemd/system, where Debian 12's debhelper looks).
unit=usr/lib/systemd/system/tamsel-station.service
for f in "${expected[@]}" "$unit"; do
    [ -f "$scratch/root/$f" ] || fail "install is missing /$f"
done
for program in tamsel tamsel-demo tamsel-station; do
    [ -x "$scratch/root/usr/bin/$program" ] || fail "$program is not executable"
done
if find "$scratch/root" -type f | grep -E 'tests|bench|screenshots' ; then
    fail "test or bench programs are installed"
fi

# The translations are in the programs and load: --help in each language (no settings file of
# the developer's choosing the language).
speaks() { # ROOT: the programs answer --help in Japanese and German, English under C.UTF-8
    for program in tamsel tamsel-demo tamsel-station; do
        for case in "ja_JP.UTF-8:使い方" "de_DE.UTF-8:Aufruf" "C.UTF-8:Usage"; do
            IFS=: read -r locale first <<< "$case"
            help=$(env -u LANGUAGE -u LC_ALL -u LC_MESSAGES XDG_CONFIG_HOME="$scratch/config" \
                LANG="$locale" "$1/usr/bin/$program" --help)
            [[ $help == "$first: "* ]] || fail "$program --help under $locale: ${help%%$'\n'*}"
        done
    done
}
speaks "$scratch/root"

# 2. The udev rule: one rule, for the adapter only, that gives it to the user logged in at the
# seat and to plugdev, of which the sysusers file makes the service's user a member, 0660, and
# does nothing else.
rule="$source_dir/packaging/60-tamsel.rules"
[ "$(grep -vc '^#' "$rule")" -eq 1 ] || fail "udev rule has more than one rule"
service_user=$(awk '$1 == "u" { print $2 }' "$source_dir/packaging/tamsel.sysusers")
[ "$service_user" = tamsel ] || fail "the sysusers file does not make the user tamsel"
grep -qx "m $service_user plugdev" "$source_dir/packaging/tamsel.sysusers" \
    || fail "the sysusers file does not put $service_user into plugdev"
matches=() assignments=()
while IFS= read -r key; do
    if [[ $key == *==* ]]; then matches+=("$key"); else assignments+=("$key"); fi
done < <(grep -v '^#' "$rule" | sed 's/, */\n/g')
adapter='SUBSYSTEM=="usb" ENV{DEVTYPE}=="usb_device" ATTR{idVendor}=="04d8" ATTR{idProduct}=="0310"'
[ "${matches[*]}" = "$adapter" ] \
    || fail "udev rule does not match exactly the adapter 04d8:0310: ${matches[*]}"
[ "$(printf '%s\n' "${assignments[@]}" | sort | paste -sd ' ')" \
    = "GROUP=\"plugdev\" MODE=\"0660\" TAG+=\"uaccess\"" ] \
    || fail "udev rule must set exactly uaccess, group plugdev and 0660: ${assignments[*]}"

# 3. Desktop entry and AppStream metadata.
for entry in tamsel tamsel-demo; do
    desktop="$source_dir/packaging/$entry.desktop"
    desktop-file-validate "$desktop" || fail "desktop file $entry"
    grep -q '^Categories=.*HamRadio' "$desktop" || fail "no HamRadio category in $entry"
    grep -qx "Exec=$entry" "$desktop" || fail "$entry.desktop does not run $entry"
    [ -x "$scratch/root/usr/bin/$entry" ] || fail "$entry.desktop runs a program not installed"
done
for entry in tamsel tamsel-demo; do
    for key in 'Name[ja]' 'Comment[ja]' 'Name[de]' 'Comment[de]'; do
        grep -qF "$key=" "$source_dir/packaging/$entry.desktop" || fail "$entry.desktop has no $key"
    done
done
for lang in ja de; do
    for element in name summary p; do
        grep -q "<$element xml:lang=\"$lang\">" \
            "$source_dir/packaging/io.github.tamsel.console.metainfo.xml" \
            || fail "metainfo has no $element in $lang"
    done
done
grep -qx 'Name=Tamsel Console (demo)' "$source_dir/packaging/tamsel-demo.desktop" \
    || fail "the demo entry is not named Tamsel Console (demo)"
appstreamcli validate --no-net "$source_dir/packaging/io.github.tamsel.console.metainfo.xml" \
    > /dev/null || fail "metainfo does not validate"

# 4. The manual pages render without a warning.
for page in tamsel tamsel-demo tamsel-station; do
    warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l -Tutf8 \
        "$scratch/root/usr/share/man/man1/$page.1" 2>&1 > /dev/null)
    [ -z "$warnings" ] || fail "man page $page: $warnings"
done

# 5. The service unit as installed: systemd reads it without a complaint, it runs the program
# this install put there as the user of the sysusers file (whose group udev gives the adapter),
# it can be enabled, and its sandbox scores "OK" or better in systemd-analyze security.
installed_unit="$scratch/root/$unit"
grep -qx 'ExecStart=/usr/bin/tamsel-station' "$installed_unit" \
    || fail "the unit does not run /usr/bin/tamsel-station"
grep -qx "User=$service_user" "$installed_unit" || fail "the unit does not run as $service_user"
grep -qx 'WantedBy=multi-user.target' "$installed_unit" || fail "the unit cannot be enabled"
command -v systemd-analyze > /dev/null || fail "systemd-analyze is missing (package systemd)"
systemd-analyze --help | grep -q -- '--offline' \
    || fail "systemd-analyze cannot judge a unit file offline (it needs systemd 250 or later)"
# verify looks for every command of the unit inside the root; /bin/kill (ExecReload) is not ours.
verify_root="$scratch/verify"
cp -al "$scratch/root" "$verify_root"
mkdir -p "$verify_root/bin"
cp "$(type -P kill)" "$verify_root/bin/kill" || fail "no kill program (package procps)"
# The sysusers file makes a system user with a group of the same name, at home in the service's
# folder, that cannot log in.
mkdir -p "$verify_root/etc"
systemd-sysusers --root="$verify_root" tamsel.conf > /dev/null 2>&1 || fail "systemd-sysusers"
[[ $(grep "^$service_user:" "$verify_root/etc/passwd") \
    =~ ^$service_user:x:([0-9]+):([0-9]+):[^:]*:/var/lib/tamsel:/usr/sbin/nologin$ ]] \
    || fail "the user $service_user is not as the service needs it"
(( BASH_REMATCH[1] < 1000 )) || fail "the user $service_user is not a system user"
grep -q "^$service_user:x:${BASH_REMATCH[2]}:" "$verify_root/etc/group" \
    || fail "the user's group is not $service_user"
grep -qx "Group=$service_user" "$installed_unit" || fail "the unit's group is not $service_user"
# Documentation= is checked with the host's man; the page is checked in 4.
verify=$(systemd-analyze verify --man=no --recursive-errors=no --root="$verify_root" \
    tamsel-station.service 2>&1) || fail "systemd-analyze verify: $verify"
[ -z "$verify" ] || fail "systemd-analyze verify: $verify"
# The exposure is 0 to 100 inside (shown as 0.0 to 10.0); "OK" is 1.0 to 4.9, from 5.0 "MEDIUM".
security=$(systemd-analyze security --offline=yes --threshold=49 --no-pager \
    "$installed_unit" 2>&1) || fail "systemd-analyze security, worse than OK: ${security##*$'\n'}"
exposure=$(grep -o 'Overall exposure level for tamsel-station.service: .*' <<< "$security") \
    || fail "systemd-analyze security gave no exposure: $security"
exposure=${exposure#*: }

# 6. The Debian package, built by dpkg-buildpackage from a copy of the tracked sources.
for tool in dpkg-buildpackage lintian; do
    if ! command -v "$tool" > /dev/null; then
        echo "packaging: SKIPPED the Debian package: $tool is missing (scripts/install-deps installs it)"
        exit 0
    fi
done
mkdir -p "$scratch/pkg/tamsel"
if git -C "$source_dir" rev-parse --git-dir > /dev/null 2>&1; then
    git -C "$source_dir" ls-files --cached --others --exclude-standard | grep -v '^fuzz/corpus/' \
        | (cd "$source_dir" && tar -cf - -T -) | tar -xf - -C "$scratch/pkg/tamsel"
else
    (cd "$source_dir" && tar --exclude=./build --exclude=./.git -cf - .) \
        | tar -xf - -C "$scratch/pkg/tamsel"
fi
# Every core, as a builder with parallel= in DEB_BUILD_OPTIONS builds (without it, one).
(cd "$scratch/pkg/tamsel" && DEB_BUILD_OPTIONS="parallel=$(nproc) ${DEB_BUILD_OPTIONS:-}" \
    dpkg-buildpackage -us -uc -b > ../build.log 2>&1) \
    || { tail -30 "$scratch/pkg/build.log"; fail "dpkg-buildpackage"; }
deb=$(ls "$scratch"/pkg/tamsel_*_*.deb)
listing=$(dpkg-deb -c "$deb")
for f in "${expected[@]}" lib/systemd/system/tamsel-station.service; do
    [[ $f == usr/share/man/* ]] && f=$f.gz
    grep -q " \./$f\$" <<< "$listing" || fail "package is missing /$f"
done
# Installing the package makes the service's user but neither enables nor starts the service;
# an upgrade restarts it where it runs, a removal stops it.
if grep -E '\.wants/|\.requires/' <<< "$listing"; then
    fail "the package enables a unit"
fi
dpkg-deb -e "$deb" "$scratch/control"
postinst="$scratch/control/postinst"
[ -f "$postinst" ] || fail "the package has no postinst"
made=$(grep -n 'systemd-sysusers .*tamsel\.conf' "$postinst") \
    || fail "postinst does not make the user"
# udev drops a rule whose group it cannot find: it reads the rules again once the group is there.
reloaded=$(grep -n 'udevadm control --reload' "$postinst") || fail "postinst does not reload udev"
(( ${reloaded%%:*} > ${made%%:*} )) || fail "postinst reloads udev before it makes the group"
# Only deb-systemd-invoke may start it, which starts no disabled unit.
if grep -E 'systemctl .*(enable|start)' "$postinst"; then
    fail "postinst enables or starts the service"
fi
grep -Eq '_dh_action=restart|deb-systemd-invoke (try-)?restart' "$postinst" \
    || fail "an upgrade does not restart the service"
if grep 'deb-systemd-invoke stop' "$scratch/control/preinst" 2> /dev/null; then
    fail "an upgrade stops the service"
fi
grep -q "deb-systemd-invoke stop 'tamsel-station.service'" "$scratch/control/prerm" 2> /dev/null \
    || fail "a removal does not stop the service"
# debhelper's enabling snippet enables on a first install; the one it writes under --no-enable
# only renews what an operator enabled, inside an 'if ... debian-installed'.
if grep -q 'deb-systemd-helper enable' "$postinst" \
    && ! grep -Eq "if deb-systemd-helper debian-installed '?tamsel-station\.service'?;" "$postinst"
then
    cat "$postinst"
    fail "postinst enables the service on a first install"
fi
grep -q "usr/lib/debug" <<< "$listing" && fail "debug symbols are in the package itself"
ls "$scratch"/pkg/tamsel-dbgsym_*.deb > /dev/null || fail "no -dbgsym package"
depends=$(dpkg-deb -f "$deb" Depends)
for dep in libqt6widgets6 libusb-1.0-0 libjpeg62-turbo libqt6httpserver6 libqt6websockets6 \
    libsodium23 libjs-leaflet; do
    grep -q "$dep" <<< "$depends" || fail "package does not depend on $dep ($depends)"
done
grep -q fonts-ipafont-gothic <<< "$(dpkg-deb -f "$deb" Recommends)" || fail "no font recommended"
grep -q qt6-translations-l10n <<< "$(dpkg-deb -f "$deb" Recommends)" \
    || fail "Qt's own translations not recommended"
dpkg-deb -x "$deb" "$scratch/unpacked"
speaks "$scratch/unpacked"
# The page's map tiles: the station asks the program where the package put it.
tiles=$(grep -Eo '\./usr/[^ ]*/tamsel-tiles$' <<< "$listing") || fail "the package has no tamsel-tiles"
grep -aq "${tiles#.}" "$scratch/unpacked/usr/bin/tamsel-station" \
    || fail "tamsel-station looks for tamsel-tiles elsewhere than ${tiles#.}"
cmp "$scratch/unpacked/lib/systemd/system/tamsel-station.service" "$installed_unit" \
    || fail "the packaged unit is not the one checked above"
lintian --fail-on error,warning "$deb" 2>&1 | grep -v 'root privileges' || true
lintian --fail-on error,warning "$deb" > /dev/null 2>&1 || fail "lintian"
echo "packaging: ${#expected[@]} files and the unit installed and packaged, lintian clean;" \
    "service exposure $exposure;" \
    "installed size $(dpkg-deb -f "$deb" Installed-Size) KiB; depends: $depends"
