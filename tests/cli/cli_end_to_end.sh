#!/usr/bin/env bash
# The command-line tool against the virtual pedal program, as a user runs them.
# usage: cli_end_to_end.sh PEDAL_PROGRAM CLI_PROGRAM
set -u
pedal=$1
cli=$2
source "$(dirname "$0")/pedal_session.sh"

# The 300 entries, in order.
start_pedal "$work/bus1"
"$cli" --bus "$work/bus1" presets >"$work/list.txt" 2>"$work/err.txt"
code=$?
[ $code -eq 0 ] || fail "presets exited $code: $(cat "$work/err.txt")"
[ "$(wc -l <"$work/list.txt")" -eq 300 ] || fail "expected 300 lines, got $(wc -l <"$work/list.txt")"
[ "$(sed -n 5p "$work/list.txt")" = "002B:CLEAN" ] || fail "line 5 is '$(sed -n 5p "$work/list.txt")'"
[ "$(sed -n 1p "$work/list.txt" | cut -c1-5)" = "001A:" ] || fail "line 1 is '$(sed -n 1p "$work/list.txt")'"
[ "$(sed -n 300p "$work/list.txt" | cut -c1-5)" = "100C:" ] || fail "line 300 is '$(sed -n 300p "$work/list.txt")'"
grep -q ':==.*send:aa 55 02 00 00 00' "$work/rigDiary" || fail "the diary has no start frame"

# The same pedal serves a second run; monitor shows both directions.
"$cli" --bus "$work/bus1" monitor --seconds 2 >"$work/monitor.txt" 2>"$work/err.txt"
code=$?
[ $code -eq 0 ] || fail "monitor exited $code"
grep -q '^.*send:aa 55 01 00 e0' "$work/monitor.txt" || fail "monitor shows no command 224"
grep -q 'receive:aa 55 03 02 a5' "$work/monitor.txt" || fail "monitor shows no preset record"

# No pedal at all.
mkdir -p "$work/empty"
"$cli" --bus "$work/empty" --wait 1 presets >/dev/null 2>"$work/err.txt"
code=$?
[ $code -eq 3 ] || fail "no pedal: exit $code"
grep -q "No virtual pedal" "$work/err.txt" || fail "no pedal message: $(cat "$work/err.txt")"

# Firmware too old.
start_pedal "$work/bus2" --firmware 0.9.9
"$cli" --bus "$work/bus2" presets >/dev/null 2>"$work/err.txt"
code=$?
[ $code -eq 5 ] || fail "old firmware: exit $code"
grep -q "Firmware version too low" "$work/err.txt" || fail "old firmware message: $(cat "$work/err.txt")"

# Bad usage.
"$cli" --bogus >/dev/null 2>&1
[ $? -eq 2 ] || fail "usage error code"

[ $failures -eq 0 ] && echo "all command-line checks passed"
exit $failures
