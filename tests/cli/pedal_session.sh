# Sourced by the command-line tests: a scratch folder as HOME, failure counting, and
# virtual pedals that are stopped when the test ends. Expects $pedal to be set; $socket
# names what the pedal creates on its bus (quorvex-boot for the boot loader).
socket=quorvex-iii
work=$(mktemp -d)
export HOME=$work  # keep the diary out of the real home folder
export XDG_DATA_HOME=$work/data  # and the history of replaced presets
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null; wait "$p" 2>/dev/null; done
  # A sanitizer build's pedal or boot loader reports its faults only in its log: they fail the test.
  local faulty=0
  grep -qE 'Sanitizer|runtime error:' "$work/pedal.log" 2>/dev/null && { cat "$work/pedal.log"; faulty=1; }
  rm -rf "$work"
  [ $faulty -eq 0 ] || exit 1
}
trap cleanup EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

start_pedal() {  # bus-folder extra-options...
  local bus=$1; shift
  "$pedal" --bus "$bus" "$@" 2>>"$work/pedal.log" &
  pids+=($!)
  for _ in $(seq 100); do [ -S "$bus/$socket" ] && return; sleep 0.05; done
  fail "pedal did not start on $bus"
}

expect() {  # exit-code description command...: runs it into out.txt and err.txt
  local want=$1 what=$2; shift 2
  "$@" >"$work/out.txt" 2>"$work/err.txt"
  local got=$?
  [ $got -eq "$want" ] || fail "$what: exit $got, wanted $want: $(cat "$work/err.txt")"
}
