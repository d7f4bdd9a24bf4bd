#!/usr/bin/env bash
# Sets up, builds and runs the command-line tool against the virtual pedal.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build --target quorvex-pedal quorvex-cli
bus=$(mktemp -d)
build/pedal/quorvex-pedal --bus "$bus" &
pedal=$!
trap 'kill $pedal 2>/dev/null; rm -rf "$bus"' EXIT
build/apps/quorvex-cli --bus "$bus" presets "$@"
