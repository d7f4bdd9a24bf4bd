#!/usr/bin/env bash
# Sets up, builds and opens the editor: with the pedal when one is plugged in,
# otherwise with the built-in virtual pedal. Extra arguments go to the editor.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build --target quorvex-editor quorvex-cli quorvex-pedal
if ls /sys/bus/hid/devices 2>/dev/null | grep -qi ':0483:1513\.'; then
  exec build/apps/quorvex-editor "$@"
fi
echo "No QUORVEX III on USB: opening the editor with the virtual pedal." >&2
exec build/apps/quorvex-editor --virtual-pedal "$@"
