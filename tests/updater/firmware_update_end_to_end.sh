#!/usr/bin/env bash
# quorvex-cli firmware-update against quorvex-pedal --boot-loader, as a user runs them.
# usage: firmware_update_end_to_end.sh PEDAL_PROGRAM CLI_PROGRAM IMAGE_PROGRAM
set -u
pedal=$1
cli=$2
make_image=$3
source "$(dirname "$0")/../cli/pedal_session.sh"
socket=quorvex-boot

run_update() {  # expected-exit expected-text boot-loader-options...; $image overrides the image
  local expected=$1 text=$2; shift 2
  local bus="$work/bus$failures$RANDOM"
  start_pedal "$bus" --boot-loader "$@"
  "$cli" --bus "$bus" --wait 5 firmware-update "${image:-$work/image.tr}" 2>"$work/err.txt"
  local code=$?
  [ $code -eq "$expected" ] || fail "$* exited $code, not $expected: $(grep -v '^quorvex:' "$work/err.txt")"
  grep -qF "$text" "$work/err.txt" || fail "$* did not say '$text'"
}

"$make_image" --tag 4000:16 --tag 1024:64 --skip 512 "$work/image.tr" || fail "no image written"
"$make_image" --tag 700:8 "$work/small.tr" || fail "no small image written"
run_update 0 "Firmware written"
image="$work/small.tr" run_update 0 "Firmware written" --reply-delay 80  # answers to the probes come late too
"$cli" --bus "$work/empty" --wait 1 firmware-update "$work/image.tr" 2>"$work/err.txt"
[ $? -eq 3 ] || fail "no pedal did not exit 3"
: >"$work/empty.tr"
"$cli" --bus "$work/empty" --wait 1 firmware-update "$work/empty.tr" 2>"$work/err.txt"
[ $? -eq 11 ] && grep -qF "Firmware error:firmware error" "$work/err.txt" || fail "an empty image was not refused"
exit $failures
