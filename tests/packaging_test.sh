#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks what an installation puts on a machine: the file list of `cmake --install` into a
# scratch root, the udev rule's content, the desktop metadata, the manual pages, and the
# Debian package built from the same tree as Debian builds it, checked by lintian.
set -euo pipefail
source_dir=$1
build_dir=$2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

expected=(
    usr/bin/tamsel
    usr/bin/tamsel-demo
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
    usr/share/tamsel/world-50m.bin
)

# 1. The install tree.
DESTDIR="$scratch/root" cmake --install "$build_dir" --prefix /usr > /dev/null
for f in "${expected[@]}"; do
    [ -f "$scratch/root/$f" ] || fail "install is missing /$f"
done
[ -x "$scratch/root/usr/bin/tamsel" ] || fail "tamsel is not executable"
if find "$scratch/root" -type f | grep -E 'tests|bench|screenshots' ; then
    fail "test or bench programs are installed"
fi

# The translations are in the programs and load: --help in each language (no settings file of
# the developer's choosing the language).
speaks() { # ROOT: both programs answer --help in Japanese and German, English under C.UTF-8
    for program in tamsel tamsel-demo; do
        for case in "ja_JP.UTF-8:使い方" "de_DE.UTF-8:Aufruf" "C.UTF-8:Usage"; do
            IFS=: read -r locale first <<< "$case"
            help=$(env -u LANGUAGE -u LC_ALL -u LC_MESSAGES XDG_CONFIG_HOME="$scratch/config" \
                LANG="$locale" "$1/usr/bin/$program" --help)
            [[ $help == "$first: "* ]] || fail "$program --help under $locale: ${help%%$'\n'*}"
        done
    done
}
speaks "$scratch/root"

# 2. The udev rule: the adapter only, for the logged-in user, no mode and no group.
rule="$source_dir/packaging/60-tamsel.rules"
grep -v '^#' "$rule" | grep -q 'ATTR{idVendor}=="04d8", ATTR{idProduct}=="0310", TAG+="uaccess"' \
    || fail "udev rule does not grant uaccess to 04d8:0310"
if grep -v '^#' "$rule" | grep -Eq 'MODE|GROUP|OWNER'; then
    fail "udev rule sets a mode, group or owner"
fi
[ "$(grep -vc '^#' "$rule")" -eq 1 ] || fail "udev rule has more than one rule"

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
for page in tamsel tamsel-demo; do
    warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l -Tutf8 \
        "$scratch/root/usr/share/man/man1/$page.1" 2>&1 > /dev/null)
    [ -z "$warnings" ] || fail "man page $page: $warnings"
done

# 5. The Debian package, built by dpkg-buildpackage from a copy of the tracked sources.
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
for f in "${expected[@]}"; do
    [[ $f == usr/share/man/* ]] && f=$f.gz
    grep -q " \./$f\$" <<< "$listing" || fail "package is missing /$f"
done
grep -q "usr/lib/debug" <<< "$listing" && fail "debug symbols are in the package itself"
ls "$scratch"/pkg/tamsel-dbgsym_*.deb > /dev/null || fail "no -dbgsym package"
depends=$(dpkg-deb -f "$deb" Depends)
for dep in libqt6widgets6 libusb-1.0-0 libjpeg62-turbo; do
    grep -q "$dep" <<< "$depends" || fail "package does not depend on $dep ($depends)"
done
grep -q fonts-ipafont-gothic <<< "$(dpkg-deb -f "$deb" Recommends)" || fail "no font recommended"
grep -q qt6-translations-l10n <<< "$(dpkg-deb -f "$deb" Recommends)" \
    || fail "Qt's own translations not recommended"
dpkg-deb -x "$deb" "$scratch/unpacked"
speaks "$scratch/unpacked"
lintian --fail-on error,warning "$deb" 2>&1 | grep -v 'root privileges' || true
lintian --fail-on error,warning "$deb" > /dev/null 2>&1 || fail "lintian"
echo "packaging: ${#expected[@]} files installed and packaged, lintian clean;" \
    "installed size $(dpkg-deb -f "$deb" Installed-Size) KiB; depends: $depends"
