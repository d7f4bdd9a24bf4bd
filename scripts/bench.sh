#!/usr/bin/env bash
# Builds and runs the benchmarks.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build --target bench_frames bench_loading bench_update bench_backup bench_idle
build/bench/bench_frames
build/bench/bench_loading
build/bench/bench_update
build/bench/bench_backup
build/bench/bench_idle
