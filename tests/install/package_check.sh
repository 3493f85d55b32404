#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package from a finished build, unpacks it into a fresh folder as dpkg
# would install it, and starts the unpacked program: its version, and a screenshot of its
# first window. Skipped (77) where the Debian packaging tools are missing.
#   package_check.sh SOURCE BUILD
set -euo pipefail
source=$1
build=$2
for tool in dpkg-deb dpkg-shlibdeps; do
  command -v "$tool" >/dev/null || { echo "package_check: $tool is missing"; exit 77; }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

deb=$("$source/scripts/package" "$build" "$work" | tail -1)
echo "package: $(basename "$deb")"
depends=$(dpkg-deb -f "$deb" Depends)
for needed in libqt6webenginecore6-bin libqt6widgets6 libxapian30 fonts-liberation2; do
  case "$depends" in
    *"$needed"*) ;;
    *) echo "FAULT: Depends does not name $needed: $depends"; exit 1 ;;
  esac
done

root="$work/root"
dpkg -x "$deb" "$root"
for file in usr/bin/firstaid usr/share/applications/ru.tkl_apps.FirstAid.desktop \
    usr/share/metainfo/ru.tkl_apps.FirstAid.metainfo.xml usr/share/doc/firstaid/copyright \
    usr/share/dbus-1/services/ru.tkl_apps.FirstAid.service \
    usr/share/man/man1/firstaid.1.gz usr/share/man/ru/man1/firstaid.1.gz; do
  [ -e "$root/$file" ] || { echo "FAULT: $file is not in the package"; exit 1; }
done

version=$("$root/usr/bin/firstaid" --version)
echo "installed: $version"
[ "$version" = "firstaid $(dpkg-deb -f "$deb" Version)" ] || { echo "FAULT: --version says '$version'"; exit 1; }

export QT_QPA_PLATFORM=offscreen
"$root/usr/bin/firstaid" --defaults "$work/defaults.json" --screenshot "$work/shot.png"
size=$(od -An -tu1 -j16 -N8 "$work/shot.png" | awk '{print $3*256+$4 "x" $7*256+$8}')
[ "$size" = "320x480" ] || { echo "FAULT: the screenshot is $size, not 320x480"; exit 1; }
echo "screenshot: $size"
