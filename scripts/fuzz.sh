#!/usr/bin/env bash
# Builds the fuzz targets (clang, libFuzzer, address and undefined-behaviour sanitizers)
# and runs each for SECONDS (default 20) on a scratch copy of its seeds in fuzz/corpus.
# Prints one line per target and exits non-zero naming every target with a finding;
# the input that caused it is kept in the printed folder.
#   scripts/fuzz.sh [SECONDS]       build and run every target
#   scripts/fuzz.sh --seeds         rewrite fuzz/corpus from the project's own writers
# FUZZ_TARGETS="ir_file amp_file" limits the run to those targets; FUZZ_JOBS sets how many
# run at a time (default: one per processor).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build=$root/build-fuzz

# Largest input per target: its real size limit where that is small, else enough for
# the parser's every branch while executions stay fast.
declare -A max_len=(
  [report_stream]=4096 [preset_file]=2050 [backup_file]=8192 [ir_file]=8192
  [amp_file]=4096 [firmware_update]=8192 [vbus_descriptor]=4097
)
targets=(${FUZZ_TARGETS:-report_stream preset_file backup_file ir_file amp_file firmware_update vbus_descriptor})

# Line tables are enough for the reports' stacks and build faster than full debug data.
configure() {
  CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DQUORVEX_FUZZ=ON \
    -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 -g1 -DNDEBUG" >/dev/null
}

if [ "${1:-}" = "--seeds" ]; then
  configure
  cmake --build "$build" --target quorvex-fuzz-seeds -j2
  rm -rf fuzz/corpus
  "$build/fuzz/quorvex-fuzz-seeds" fuzz/corpus
  # WAV seeds: a few of the test files (mono and stereo, 8 to 32 bits, float,
  # extensible, every sample rate the conversion resamples from, chunks around "fmt "
  # and "data").
  wavs=$(mktemp -d)
  trap 'rm -rf "$wavs"' EXIT
  sh tests/ir/make_wav_fixtures.sh "$wavs" >/dev/null
  for f in noise16_48000 noise16_96000 chunks_pcm16 chunks_float_ext sf_meta16_44k mono24_44k_ext mono32_44k mono32_44k_ext mono8_44k monofloat_48k stereo24_96k_ext; do
    cp "$wavs/$f.wav" fuzz/corpus/ir_file/
  done
  du -sh fuzz/corpus
  exit 0
fi

seconds=${1:-20}
configure
cmake --build "$build" --target $(printf 'fuzz_%s ' "${targets[@]}") -j2

# A smaller quarantine of freed memory than the sanitizer's 256 MB keeps the targets'
# allocations in warm pages: two to three times the executions per second.
export ASAN_OPTIONS=${ASAN_OPTIONS:-quarantine_size_mb=16}
work=$(mktemp -d /tmp/quorvex-fuzz.XXXXXX)
# Writes the target's report line to $work/TARGET/result; its first word is FINDING when
# the target found a fault.
fuzz_one() {
  local t=$1 rc log
  mkdir -p "$work/$t/corpus" "$work/$t/findings"
  cp fuzz/corpus/"$t"/* "$work/$t/corpus/"
  log=$work/$t/log
  set +e
  (cd "$work/$t/findings" && "$build/fuzz/fuzz_$t" "$work/$t/corpus" -max_len="${max_len[$t]}" \
    -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 >"$log" 2>&1)
  rc=$?
  set -e
  local runs added cov
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
  added=$(sed -n 's/^stat::new_units_added: *//p' "$log")
  cov=$(grep -oE 'cov: [0-9]+ ft: [0-9]+' "$log" | tail -1)
  if [ "$rc" -ne 0 ] || ls "$work/$t/findings" | grep -qE '^(crash|leak|timeout|oom|slow-unit)-'; then
    { printf '%-16s FINDING (exit %d): see %s and %s/findings\n' "$t" "$rc" "$log" "$work/$t"
      grep -m3 -E 'ERROR|SUMMARY|runtime error' "$log" | sed 's/^/    /' || true; } >"$work/$t/result"
  else
    printf '%-16s %10s executions, %4s new inputs, %s\n' "$t" "${runs:-?}" "${added:-?}" "${cov:-cov ?}" \
      >"$work/$t/result"
  fi
}

# As many targets at a time as there are processors: each fuzzes on one.
parallel=${FUZZ_JOBS:-$(nproc)}
for t in "${targets[@]}"; do
  while [ "$(jobs -rp | wc -l)" -ge "$parallel" ]; do wait -n || true; done
  fuzz_one "$t" &
done
wait || true
failed=()
for t in "${targets[@]}"; do
  cat "$work/$t/result"
  if grep -q '^[^ ]* *FINDING' "$work/$t/result"; then failed+=("$t"); fi
done

if [ ${#failed[@]} -ne 0 ]; then
  echo "fuzzing found faults in: ${failed[*]} (work folder $work kept)"
  exit 1
fi
rm -rf "$work"
