#!/usr/bin/env bash
# Sets up a Debian 12 machine, builds everything and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build
export QT_QPA_PLATFORM=offscreen
# Four at a time on two processors: most tests wait on the virtual pedal's pace, not on
# the processor.
ctest --test-dir build --output-on-failure -j4
