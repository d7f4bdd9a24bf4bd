#!/usr/bin/env bash
# Showing, comparing, copying and moving presets with quorvex-cli against the virtual pedal.
# usage: cli_library.sh PEDAL_PROGRAM CLI_PROGRAM
set -u
pedal=$1
cli=$2
source "$(dirname "$0")/pedal_session.sh"

bus=$work/bus
start_pedal "$bus"
q() { "$cli" --bus "$bus" "$@"; }
json() { python3 -c "import json,sys; d=json.load(open('$work/out.txt')); $1"; }

expect 0 "presets --json" q presets --json
json "assert len(d) == 300 and d[4] == {'slot': '002B', 'index': 4, 'name': 'CLEAN'}, d[4]" || fail "presets --json"
expect 0 "show --json" q show 002b --json
json "assert d['slot'] == '002B' and [m['module'] for m in d['modules']] == ['FX/COMP','DS/OD','AMP','CAB','NS','EQ','MOD','DELAY','REVERB']" \
  || fail "show --json: $(head -c 300 "$work/out.txt")"

# move: 001A lands at 002A and 001B..002A shift up by one; copy writes only its target.
expect 0 "export before" q export all --to "$work/before"
expect 0 "move" q move 001A 002A
expect 0 "copy" q copy 002B 100C
expect 0 "export after" q export all --to "$work/after"
python3 - "$work/before" "$work/after" <<'PY' || fail "move and copy: the slots do not hold what they should"
import glob, os, sys
def records(folder):  # slot label -> the record, bytes 512..1023 of its file
    return {os.path.basename(f)[:4]: open(f, 'rb').read()[512:1024] for f in glob.glob(folder + '/*.kiro')}
before, after = records(sys.argv[1]), records(sys.argv[2])
moved = {'001A': '001B', '001B': '001C', '001C': '002A', '002A': '001A', '100C': '002B'}
wrong = [s for s in before if after.get(s) != before[moved.get(s, s)]]
if wrong: print('wrong slots:', wrong)
sys.exit(1 if wrong or len(before) != 300 else 0)
PY

# Two slots whose records differ in the DS/OD gain alone: one line naming it and both values.
cp "$work/before/002B:CLEAN.kiro" "$work/P10-CLEAN.kiro"
python3 - "$work/P10-CLEAN.kiro" "$work/P11-CLEAN.kiro" <<'PY'
import struct, sys
b = bytearray(open(sys.argv[1], 'rb').read())
b[512 + 40] = 7 if b[512 + 40] != 7 else 8  # the DS/OD gain
b[508:512] = struct.pack('<I', sum(b[512:]))
open(sys.argv[2], 'wb').write(b)
PY
expect 0 "import pair" q import "$work/P10-CLEAN.kiro" "$work/P11-CLEAN.kiro"
expect 1 "diff slots" q diff 004A 004B
[ "$(wc -l <"$work/out.txt")" -eq 1 ] && grep -qE '^DS/OD GAIN: [0-9]+ -> [78]$' "$work/out.txt" || fail "diff: $(cat "$work/out.txt")"
expect 0 "diff same" "$cli" diff "$work/P10-CLEAN.kiro" "$work/P10-CLEAN.kiro"
[ -s "$work/out.txt" ] && fail "diff of the same preset printed: $(cat "$work/out.txt")"
# Files need no pedal.
expect 1 "diff files" "$cli" diff "$work/P10-CLEAN.kiro" "$work/P11-CLEAN.kiro"
expect 0 "show file" "$cli" show "$work/P11-CLEAN.kiro"
grep -q '^  GAIN: [78]$' "$work/out.txt" || fail "show file: $(cat "$work/out.txt")"
expect 2 "show nothing" "$cli" show 101A

# A preset on the pedal's user cabinet slot 4 is shown with the name the pedal reports for it.
python3 - "$work/P10-CLEAN.kiro" "$work/P12-ROOM.kiro" <<'PY'
import struct, sys
b = bytearray(open(sys.argv[1], 'rb').read())
b[512 + 52] = 26 + 4 + 1  # the cabinet model: the list's user slots start at position 26
b[508:512] = struct.pack('<I', sum(b[512:]))
open(sys.argv[2], 'wb').write(b)
PY
expect 0 "import user cabinet" q import "$work/P12-ROOM.kiro" "$work/P10-CLEAN.kiro"
expect 0 "show user cabinet" q show 004C
grep -qE '^CAB (ON|OFF) ROOM 57$' "$work/out.txt" || fail "show user cabinet: $(grep '^CAB' "$work/out.txt")"

[ $failures -eq 0 ] && echo "all library checks passed"
