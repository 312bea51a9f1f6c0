#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks what an installation puts on a machine: the file list of `cmake --install` into a
# scratch root, the Debian package built from the same tree, the udev rule's content and
# the desktop metadata.
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
    usr/share/metainfo/io.github.tamsel.console.metainfo.xml
    usr/share/icons/hicolor/48x48/apps/tamsel.png
    usr/share/icons/hicolor/scalable/apps/tamsel.svg
    usr/share/doc/tamsel/examples/memory.txt
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

# 2. The udev rule: the adapter only, for the logged-in user, no mode and no group.
rule="$source_dir/packaging/60-tamsel.rules"
grep -v '^#' "$rule" | grep -q 'ATTR{idVendor}=="04d8", ATTR{idProduct}=="0310", TAG+="uaccess"' \
    || fail "udev rule does not grant uaccess to 04d8:0310"
if grep -v '^#' "$rule" | grep -Eq 'MODE|GROUP|OWNER'; then
    fail "udev rule sets a mode, group or owner"
fi
[ "$(grep -vc '^#' "$rule")" -eq 1 ] || fail "udev rule has more than one rule"

# 3. Desktop entry and AppStream metadata.
desktop-file-validate "$source_dir/packaging/tamsel.desktop" || fail "desktop file"
grep -q '^Categories=.*HamRadio' "$source_dir/packaging/tamsel.desktop" || fail "no HamRadio category"
appstreamcli validate --no-net "$source_dir/packaging/io.github.tamsel.console.metainfo.xml" \
    > /dev/null || fail "metainfo does not validate"

# 4. The Debian package: same files, runtime dependencies found.
(cd "$scratch" && cpack --config "$build_dir/CPackConfig.cmake" -B "$scratch/pkg" > /dev/null)
deb=$(ls "$scratch"/pkg/*.deb)
listing=$(dpkg-deb -c "$deb")
for f in "${expected[@]}"; do
    grep -q " \./$f\$" <<< "$listing" || fail "package is missing /$f"
done
depends=$(dpkg-deb -f "$deb" Depends)
for dep in libqt6widgets6 libusb-1.0-0 libjpeg62-turbo udev; do
    grep -q "$dep" <<< "$depends" || fail "package does not depend on $dep ($depends)"
done
echo "packaging: ${#expected[@]} files installed and packaged; depends: $depends"
