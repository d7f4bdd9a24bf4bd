#!/usr/bin/env bash
# Makes every picture in docs/ anew from the editor and the updater against the virtual
# pedal, on the offscreen platform. The same sources give the same bytes, so a picture
# that differs from what this script makes shows a window that has changed.
#   scripts/screenshots.sh [BUILD_DIR]      (default: build)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
[ -f "$build/build.ninja" ] || cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build" --target quorvex-editor quorvex-updater quorvex-pedal quorvex-firmware-image quorvex-cli

scratch=$(mktemp -d /tmp/quorvex-screenshots.XXXXXX)
pedal=
cleanup() {
  [ -z "$pedal" ] || kill "$pedal" 2>/dev/null || true
  rm -rf "$scratch"
}
trap cleanup EXIT
# Nothing of the user's desktop: no settings, fonts scaled alike, no display.
export QT_QPA_PLATFORM=offscreen HOME=$scratch/home XDG_CONFIG_HOME=$scratch/home/.config
export QT_SCALE_FACTOR=1 QT_FONT_DPI=96
unset QT_STYLE_OVERRIDE DISPLAY WAYLAND_DISPLAY
mkdir -p "$HOME"

# A library folder with a few of the factory presets in it.
mkdir -p "$scratch/bus"
"$build/pedal/quorvex-pedal" --bus "$scratch/bus" >/dev/null 2>&1 &
pedal=$!
"$build/apps/quorvex-cli" --bus "$scratch/bus" export 001A-004C --to "$HOME/Documents/QUORVEX III" >/dev/null
kill "$pedal"
wait "$pedal" 2>/dev/null || true
pedal=

# PICTURE VIEW: the editor with VIEW open (quorvex-editor --help names the views).
editor() {
  "$build/apps/quorvex-editor" --virtual-pedal --show "$2" --screenshot "docs/$1"
  echo "docs/$1"
}
editor editor.png main
editor editor-presets.png presets
editor editor-librarian.png library
editor panel-amp.png amp
editor panel-delay.png delay-dual
editor settings.png system
editor settings-ctrl-tap.png ctrl-tap
editor settings-exp.png exp
editor backup.png backup
editor alert.png alert

# The updater halfway through writing a generated image into the virtual boot loader.
"$build/apps/quorvex-firmware-image" "$scratch/image.tr" >/dev/null
"$build/pedal/quorvex-pedal" --boot-loader --bus "$scratch/bus" >/dev/null 2>&1 &
pedal=$!
"$build/apps/quorvex-updater" --bus "$scratch/bus" --firmware "$scratch/image.tr" --screenshot docs/updater.png
echo docs/updater.png
