#!/usr/bin/env bash
# Preset files and backups with quorvex-cli against the virtual pedal program.
# usage: cli_files.sh PEDAL_PROGRAM CLI_PROGRAM
set -u
pedal=$1
cli=$2
source "$(dirname "$0")/pedal_session.sh"

expect 2 "bad slot" "$cli" export 101A --to "$work/x.kiro"

bus=$work/bus
start_pedal "$bus"
q() { "$cli" --bus "$bus" "$@"; }

# One slot is one file; inspect names the preset.
expect 0 "export one" q export 002b --to "$work/clean.kiro"
expect 0 "inspect preset" "$cli" inspect "$work/clean.kiro"
grep -q 'preset name "CLEAN"' "$work/out.txt" || fail "inspect: $(cat "$work/out.txt")"

# Numbered files import back as a batch into the slots their new names give.
expect 0 "export numbered" q export 002B-002C --to "$work/set" --numbered
[ -f "$work/set/P5-CLEAN.kiro" ] || fail "no P5-CLEAN.kiro in $(ls "$work/set")"
six=$(ls "$work/set" | grep '^P6-')
mv "$work/set/P5-CLEAN.kiro" "$work/set/P20-CLEAN.kiro"
mv "$work/set/$six" "$work/set/P21-${six#P6-}"
expect 0 "import batch" q import "$work/set/P20-CLEAN.kiro" "$work/set/P21-${six#P6-}"
expect 0 "export again" q export 007b --to "$work/again.kiro"
cmp -s "$work/clean.kiro" "$work/again.kiro" || fail "slot 007B differs from the exported 002B"

# A damaged file is refused before the pedal is asked; nothing is sent.
cp "$work/clean.kiro" "$work/bad.kiro"
printf '\x55' | dd of="$work/bad.kiro" bs=1 seek=600 conv=notrunc 2>/dev/null
expect 8 "damaged import" q import "$work/bad.kiro"
grep -q 'bad.kiro.*check sum' "$work/err.txt" || fail "damaged import message: $(cat "$work/err.txt")"
expect 8 "inspect damaged" "$cli" inspect "$work/bad.kiro"

# A path that cannot be written: exit 10 and no file.
expect 10 "unwritable" q export 002B --to "$work/none/such/x.kiro"
[ -e "$work/none/such/x.kiro" ] && fail "a file was left behind"

# Backup, then inspect; a cut-off copy is refused.
expect 0 "backup" q backup "$work/pedal.tbf"
expect 0 "inspect backup" "$cli" inspect "$work/pedal.tbf"
grep -q 'XB420_SYSTEM (type 3): 1 item(s) of 10 bytes' "$work/out.txt" || fail "inspect backup: $(cat "$work/out.txt")"
head -c 50000 "$work/pedal.tbf" >"$work/cut.tbf"
expect 8 "restore cut" q restore "$work/cut.tbf"
grep -q "cut.tbf" "$work/err.txt" || fail "restore cut message: $(cat "$work/err.txt")"

# A pedal that does not acknowledge: the restore stops and says so.
start_pedal "$work/mute" --no-acks
expect 9 "restore unanswered" "$cli" --bus "$work/mute" restore "$work/pedal.tbf"
grep -q "partial restore" "$work/err.txt" || fail "unanswered restore message: $(cat "$work/err.txt")"

# Presets lost on the way at start-up are neither exported nor backed up.
start_pedal "$work/lossy" --drop 0.01 --seed 1
expect 7 "export lost" "$cli" --bus "$work/lossy" export all --to "$work/lost"
grep -q "never arrived from the pedal: [0-9][0-9][0-9][ABC]" "$work/err.txt" || fail "export lost message: $(cat "$work/err.txt")"
[ -e "$work/lost" ] && fail "export of lost presets created its folder"

[ $failures -eq 0 ] && echo "all file checks passed"
exit $failures
