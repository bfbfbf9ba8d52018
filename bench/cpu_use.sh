#!/usr/bin/env bash
# bench/cpu_use.sh — how much of one core the real game uses while it runs,
# in a real window under Xvfb: bench/cpu_use.sh [SECONDS] [PROFILE] [FLEET].
#
# The game starts (new game, menu shown), settles for three seconds, then
# its user and system time over SECONDS (default 20) is read from
# /proc/PID/stat: every thread of it, the renderer's too. FLEET "default"
# keeps the game folder's schiffe.cfg.
source "$(dirname "$0")/real_game.sh"
SECS=${1:-20}
PROFILE=${2:-0}
FLEET=${3:-default}

start_real_game "$PROFILE" "$FLEET"
sleep 3
kill -0 "$GAME_PID" 2>/dev/null || { cat "$WORK/game.log"; exit 1; }
hz=$(getconf CLK_TCK)
before=$(cpu_ticks)
sleep "$SECS"
after=$(cpu_ticks)
awk -v d=$((after - before)) -v hz="$hz" -v s="$SECS" -v p="$PROFILE" -v f="$FLEET" \
    'BEGIN { printf "cpu_use profile=%s fleet=%s seconds=%s: %.1f %% of one core\n", p, f, s, 100 * d / hz / s }'
