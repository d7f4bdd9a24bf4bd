#!/usr/bin/env bash
# Builds the soak and runs it: the editor against a virtual pedal for MINUTES (default
# 10), then the pedal's and the editor's state compared and the memory checked.
# Usage: scripts/soak.sh [MINUTES] [BUILD_DIR] [more quorvex-soak options, e.g. --seed 7]
# The exit status is the soak's: 0 clean, 1 state differs, 2 usage, 3 memory grew,
# 4 the pedal or the link failed.
set -euo pipefail
cd "$(dirname "$0")/.."
minutes="${1:-10}"
build="${2:-build}"
shift $(( $# < 2 ? $# : 2 ))
bash scripts/setup.sh
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --target quorvex-soak
QT_QPA_PLATFORM=offscreen "$build/soak/quorvex-soak" --minutes "$minutes" "$@"
