#!/bin/sh
# Builds the Debian package from a built tree and checks what it installs and declares.
# With LINTIAN (the path of lintian) the package must also pass it without an error or a warning.
# usage: package_contents.sh BUILD_DIR OUT_DIR [LINTIAN]
set -eu
build=$1
out=$2
lintian=${3:-}
rm -rf "$out"
mkdir -p "$out"
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$out" >"$out/cpack.log" 2>&1 || { cat "$out/cpack.log"; exit 1; }
deb=$(ls "$out"/quorvex_*.deb)
dpkg-deb -c "$deb" | awk '{print $6}' | sed 's|^\./|/|' >"$out/contents"
status=0
for path in \
    /usr/bin/quorvex-editor /usr/bin/quorvex-updater /usr/bin/quorvex-cli /usr/bin/quorvex-pedal \
    /usr/lib/udev/rules.d/70-quorvex-iii.rules \
    /usr/share/applications/org.quorvex.Editor.desktop /usr/share/applications/org.quorvex.Updater.desktop \
    /usr/share/metainfo/org.quorvex.Editor.metainfo.xml \
    /usr/share/icons/hicolor/scalable/apps/org.quorvex.Editor.svg \
    /usr/share/quorvex/firmware/README /usr/share/doc/quorvex/copyright /usr/share/doc/quorvex/changelog.Debian.gz; do
    grep -qx "$path" "$out/contents" || { echo "missing from the package: $path"; status=1; }
done
# Only the programs a user runs: the image generator makes noise for tests.
if grep -q quorvex-firmware-image "$out/contents"; then echo "the test image generator is packaged"; status=1; fi
dpkg-deb -f "$deb" Depends | grep -q libqt6widgets6 || { echo "no Qt dependency found by shlibdeps"; status=1; }
dpkg-deb -f "$deb" Depends | grep -q libhidapi-hidraw0 || { echo "no hidapi dependency"; status=1; }
dpkg-deb -e "$deb" "$out/control"
grep -q "udevadm trigger --subsystem-match=hidraw" "$out/control/postinst" || { echo "postinst does not trigger udev"; status=1; }
if [ -n "$lintian" ]; then
    "$lintian" --fail-on error,warning "$deb" 2>/dev/null || { echo "lintian finds fault with the package"; status=1; }
fi
exit $status
