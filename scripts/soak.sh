#!/usr/bin/env bash
# Soak run: restore a preset, back the unit up again and compare, many times over, against a
# stand-in unit that drops acknowledgements and damages answers. Not part of CI.
#
#   bash scripts/soak.sh [CYCLES] [BUILD_DIR]
#
#   CYCLES      restore + backup cycles (default 20)
#   BUILD_DIR   where velantroctl and velantro-unit-sim were built (default build)
#   SOAK_SEED      fault generator seed of the unit (default 1)
#   SOAK_SIM_ARGS  fault switches of the unit (default "--drop-acks 0.1 --corrupt 0.05";
#                  empty for a faultless unit)
#   SOAK_TIMEOUT   seconds one velantroctl command may take (default 300)
#   SOAK_KEEP      set to 1 to keep the work folder (presets, backups, logs)
#
# Every cycle must end one of two ways: the backup holds exactly what the restore sent (the data
# of pages 0 to 9 as the page uploads carry them, and the six volume limits), or velantroctl
# refused with exit 3 (unit lost, or the restore's own read-back found a difference). Anything
# else is a failure. Exit status: 0 when every cycle ended one of those two ways, 1 otherwise,
# 2 on wrong usage.
set -u -o pipefail

cycles=${1:-20}
root=$(cd "$(dirname "$0")/.." && pwd)
build=${2:-$root/build}
seed=${SOAK_SEED:-1}
sim_args=${SOAK_SIM_ARGS---drop-acks 0.1 --corrupt 0.05}
step_timeout=${SOAK_TIMEOUT:-300}

if ! [[ $cycles =~ ^[0-9]+$ ]] || [ "$cycles" -lt 1 ]; then
  echo "usage: scripts/soak.sh [CYCLES] [BUILD_DIR]" >&2
  exit 2
fi
ctl=$build/tools/velantroctl
sim=$build/tools/velantro-unit-sim
for program in "$ctl" "$sim"; do
  if [ ! -x "$program" ]; then
    echo "soak: $program is missing; build it first (cmake --build $build --target velantroctl velantro-unit-sim)" >&2
    exit 2
  fi
done
presets=("$root"/examples/*.Nddt)
if [ ! -e "${presets[0]}" ]; then
  echo "soak: no presets in $root/examples" >&2
  exit 2
fi

work=$(mktemp -d "${TMPDIR:-/tmp}/velantro-soak.XXXXXX")
sim_pid=
cleanup() {
  if [ -n "$sim_pid" ] && kill -0 "$sim_pid" 2>/dev/null; then
    kill -TERM "$sim_pid" 2>/dev/null
    wait "$sim_pid" 2>/dev/null
  fi
  if [ "${SOAK_KEEP:-0}" = 1 ]; then echo "soak: work folder kept: $work"; else rm -rf "$work"; fi
}
trap cleanup EXIT
trap 'exit 130' INT TERM

# The unit picks a free port on 127.0.0.1 and prints it.
# shellcheck disable=SC2086  # the fault switches are words
"$sim" --listen 127.0.0.1 --port 0 --seed "$seed" $sim_args >"$work/sim.out" 2>"$work/sim.err" &
sim_pid=$!
port=
for _ in $(seq 1 100); do
  port=$(sed -n 's/^tcp: 127\.0\.0\.1:\([0-9]*\)$/\1/p' "$work/sim.out")
  [ -n "$port" ] && break
  kill -0 "$sim_pid" 2>/dev/null || break
  sleep 0.1
done
if [ -z "$port" ]; then
  echo "soak: the stand-in unit did not start:" >&2
  cat "$work/sim.err" >&2
  exit 1
fi
unit=127.0.0.1:$port
echo "soak: $cycles cycles against velantro-unit-sim $sim_args --seed $seed on $unit"

# Compares what a restore of PRESET sends with what BACKUP holds. Prints the differing cells
# (at most ten) and their count as the last line.
compare() {
  python3 - "$1" "$2" <<'PY'
import sys

KEY = bytes([0x5E, 0xA3, 0x17, 0xC8, 0x2B, 0xF0, 0x64, 0x9D])
# Values a page upload carries: page 0 holds both music settings.
UPLOAD_COUNT = [106, 83, 37, 83, 41, 41, 116, 71, 71, 116]
# The file keeps the system page's six volume limits in page 0, indexes 110 to 115.
VOLUME_LIMITS = range(110, 116)


def cells(path):
    """Address -> value of every data line; line j holds "address^j value^j"."""
    with open(path, "rb") as f:
        lines = f.read().decode("ascii").splitlines()
    out = {}
    for j, line in enumerate(lines[2:], start=2):
        raw = bytes.fromhex(line)
        plain = bytes(b ^ KEY[k % len(KEY)] for k, b in enumerate(raw)).decode("latin-1")
        if plain.startswith("Intoal:"):
            break
        address, value = (int(x) ^ j for x in plain.split(" "))
        out[address] = value & 0xFFFF  # what travels on the wire
    return out


try:
    sent, held = cells(sys.argv[1]), cells(sys.argv[2])
except (OSError, ValueError, UnicodeDecodeError) as error:
    print(f"unreadable preset: {error}")
    print(-1)
    sys.exit(0)
wanted = [(p, i) for p in range(10) for i in range(UPLOAD_COUNT[p])]
wanted += [(0, i) for i in VOLUME_LIMITS if i >= UPLOAD_COUNT[0]]
differences = 0
for page, index in wanted:
    address = page * 256 + index
    a, b = sent.get(address), held.get(address)
    if a != b:
        differences += 1
        if differences <= 10:
            print(f"  page {page} index {index}: sent {a}, backup holds {b}")
print(differences)
PY
}

exact=0 refused=0 failed=0 differences=0
start=$(date +%s)
for cycle in $(seq 1 "$cycles"); do
  preset=${presets[$(((cycle - 1) % ${#presets[@]}))]}
  backup=$work/backup-$cycle.Nddt
  timeout "$step_timeout" "$ctl" restore --unit "$unit" "$preset" >"$work/restore-$cycle.log" 2>&1
  restore_rc=$?
  timeout "$step_timeout" "$ctl" backup --unit "$unit" "$backup" >"$work/backup-$cycle.log" 2>&1
  backup_rc=$?
  name=$(basename "$preset")
  # A refusal is fine, as long as nothing fails in another way.
  if { [ "$restore_rc" = 3 ] && { [ "$backup_rc" = 0 ] || [ "$backup_rc" = 3 ]; }; } ||
    { [ "$restore_rc" = 0 ] && [ "$backup_rc" = 3 ]; }; then
    refused=$((refused + 1))
    echo "cycle $cycle: $name refused (restore exit $restore_rc, backup exit $backup_rc)"
    continue
  fi
  if [ "$restore_rc" != 0 ] || [ "$backup_rc" != 0 ]; then
    failed=$((failed + 1))
    echo "cycle $cycle: $name FAILED (restore exit $restore_rc, backup exit $backup_rc)"
    tail -n 5 "$work/restore-$cycle.log" "$work/backup-$cycle.log" | sed 's/^/  /'
    continue
  fi
  report=$(compare "$preset" "$backup")
  count=$(tail -n 1 <<<"$report")
  if [ "$count" = 0 ]; then
    exact=$((exact + 1))
    echo "cycle $cycle: $name exact"
  else
    failed=$((failed + 1))
    [ "$count" -gt 0 ] && differences=$((differences + count))
    echo "cycle $cycle: $name DIFFERS ($count cells)"
    head -n -1 <<<"$report"
  fi
done
elapsed=$(($(date +%s) - start))

kill -TERM "$sim_pid" 2>/dev/null
wait "$sim_pid" 2>/dev/null
sim_pid=
stats=$(grep -o 'stats .*' "$work/sim.err" | tail -n 1)
count_of() {
  local n
  n=$(sed -n "s/.*[ ]$1=\([0-9]*\).*/\1/p" <<<"$stats")
  echo "${n:-0}"
}
faults=$(($(count_of acks-dropped) + $(count_of frames-corrupted) + $(count_of writes-lost)))

echo "soak: $cycles cycles in ${elapsed}s: $exact exact, $refused refused (exit 3), $failed failed"
echo "soak: faults injected: $faults (acks dropped $(count_of acks-dropped)," \
  "frames corrupted $(count_of frames-corrupted), writes lost $(count_of writes-lost));" \
  "frames received by the unit $(count_of frames-received)"
echo "soak: differing cells: $differences"
[ "$failed" = 0 ]
