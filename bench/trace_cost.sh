#!/usr/bin/env bash
# bench/trace_cost.sh — what writing the simulator's trace adds to a step:
# bench/trace_cost.sh [FLEET] [STEPS].
#
# Runs skyrend-sim over STEPS steps (default 40) with FLEET ships (default
# 100000) twice, without a trace and with one written to a file, and prints
# the difference per trace line in wall and processor time.
set -euo pipefail
GAME_DIR=${GAME_DIR:-$(cd "$(dirname "$0")/.." && pwd)/build/game}
FLEET=${1:-100000}
STEPS=${2:-40}
WORK=$(mktemp -d /tmp/skyrend-trace.XXXXXX)
trap 'rm -rf "$WORK"' EXIT
cp -r "$GAME_DIR/gfx" "$GAME_DIR/sfx" "$WORK/"
printf '0\r\n' > "$WORK/aufloesung.cfg"
printf '%s\r\n' "$FLEET" > "$WORK/schiffe.cfg"

# run [ARGS...]: "WALL CPU" seconds of one run.
run() {
    /usr/bin/time -f "%e %U %S" -o "$WORK/time" "$GAME_DIR/skyrend-sim" --dir "$WORK" --frames "$STEPS" "$@" >/dev/null
    awk '{ print $1, $2 + $3 }' "$WORK/time"
}
read -r wall0 cpu0 < <(run)
read -r wall1 cpu1 < <(run --trace "$WORK/trace.jsonl")
awk -v w0="$wall0" -v c0="$cpu0" -v w1="$wall1" -v c1="$cpu1" -v n=$((STEPS + 1)) -v f="$FLEET" \
    -v bytes="$(stat -c %s "$WORK/trace.jsonl")" \
    'BEGIN { printf "trace fleet=%s: %.1f ms wall, %.1f ms processor per line (%.1f MB a line)\n",
             f, 1000 * (w1 - w0) / n, 1000 * (c1 - c0) / n, bytes / n / 1048576 }'
