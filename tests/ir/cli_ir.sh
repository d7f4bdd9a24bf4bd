#!/usr/bin/env bash
# Impulse responses and amp models with quorvex-cli against the virtual pedal program
# (the uploads' failures and amp-import: cli_fault_matrix_test.cpp).
# usage: cli_ir.sh PEDAL_PROGRAM CLI_PROGRAM FIXTURE_FOLDER
set -u
pedal=$1
cli=$2
wavs=$3
source "$(dirname "$0")/../cli/pedal_session.sh"

# Without a pedal: the samples, and what a file holds or why it is refused.
expect 0 "ir-convert" "$cli" ir-convert "$wavs/mono16_44k.wav"
[ "$(wc -l <"$work/out.txt")" -eq 512 ] || fail "ir-convert printed $(wc -l <"$work/out.txt") lines"
[ "$(sed -n 1p "$work/out.txt")" = "-3840000" ] || fail "ir-convert sample 0: $(sed -n 1p "$work/out.txt")"
[ "$(sed -n 301p "$work/out.txt")" = "0" ] || fail "ir-convert sample 300 is not silence"
expect 0 "inspect wav" "$cli" inspect "$wavs/stereo24_96k_ext.wav"
grep -q "96000 Hz, 2 channels, 24 bits, 300 frames" "$work/out.txt" || fail "inspect: $(cat "$work/out.txt")"
expect 8 "22 kHz refused" "$cli" ir-convert "$wavs/mono16_22k.wav"
grep -q "22050 Hz" "$work/err.txt" || fail "no reason: $(cat "$work/err.txt")"
perl -e 'print pack("V*", (1) x 512, 512), "2.0"' >"$work/WARM.amp"  # 512 words of 1, their sum
expect 0 "inspect amp" "$cli" inspect "$work/WARM.amp"

bus=$work/bus
start_pedal "$bus"
q() { "$cli" --bus "$bus" "$@"; }
expect 0 "ir-import" q ir-import 4 "$wavs/mono24_44k.wav"
grep -q "IR slot 4: mono24_44k" "$work/out.txt" || fail "ir-import: $(cat "$work/out.txt")"
expect 0 "ir-delete" q ir-delete 4

[ $failures -eq 0 ] || exit 1
echo "cli_ir: all passed"
