#!/usr/bin/env bash
# Builds the project and its tests with sanitizers and runs the whole suite under them:
#   address  AddressSanitizer + UndefinedBehaviorSanitizer in build-asan
#   thread   ThreadSanitizer in build-tsan
#   all      both (the default)
# Any sanitizer report stops the program that made it, so the test fails.
set -euo pipefail
cd "$(dirname "$0")/.."
which=${1:-all}
case "$which" in address|thread|all) ;; *) echo "usage: $0 [address|thread|all]" >&2; exit 2 ;; esac

bash scripts/setup.sh
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS="halt_on_error=1:detect_leaks=1:strict_string_checks=1:detect_stack_use_after_return=1:check_initialization_order=1"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
# Debian's Qt is not built for ThreadSanitizer: the copies and frees its own threads make
# through the C library would be reported for want of seeing Qt's locks (docs/sanitizers.md).
export TSAN_OPTIONS="halt_on_error=1:second_deadlock_stack=1:ignore_interceptors_accesses=1"

# Optimised lightly: fast enough to run, and the reports' stacks stay readable with line
# tables alone. The benchmarks and the soak run are not built: the suite does not run them.
run() {
  local dir=$1 sanitizers=$2 jobs=$3
  cmake -S . -B "$dir" -G Ninja -DCMAKE_CXX_COMPILER=g++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g1" -DQUORVEX_SANITIZE="$sanitizers" -DQUORVEX_BENCHMARKS=OFF
  cmake --build "$dir" -j2
  ctest --test-dir "$dir" --output-on-failure -j"$jobs"
}

# Most tests wait on the virtual pedal's pace, so four run at a time; ThreadSanitizer's
# slower programs run two at a time.
[ "$which" = thread ] || run build-asan address,undefined 4
[ "$which" = address ] || run build-tsan thread 2
