#!/usr/bin/env bash
# bench/memory.sh — the real game's resident memory under Xvfb, by kind:
# bench/memory.sh [PROFILE] [FLEET] [SECONDS].
#
# After SECONDS (default 8) of running, /proc/PID/smaps is summed: the heap,
# anonymous mappings (large allocations, thread stacks, the renderer's
# buffers), shared memory with the X server, and file mappings (the program
# and its libraries). The game's own memory is heap plus anonymous.
source "$(dirname "$0")/real_game.sh"
PROFILE=${1:-0}
FLEET=${2:-default}
SECS=${3:-8}

start_real_game "$PROFILE" "$FLEET"
sleep "$SECS"
kill -0 "$GAME_PID" 2>/dev/null || { cat "$WORK/game.log"; exit 1; }
awk -v p="$PROFILE" -v f="$FLEET" '
    /^[0-9a-f]+-[0-9a-f]+ / {
        path = $6
        kind = path == "" ? "anon" : path == "[heap]" ? "heap" : path ~ /^\[/ ? "other" : "file"
        if (path ~ /^\/(memfd:|dev\/shm|SYSV)/) kind = "shared"
        next
    }
    /^Rss:/ { kb[kind] += $2; total += $2 }
    END {
        printf "memory profile=%s fleet=%s: resident %.1f MB = heap %.1f + anonymous %.1f + shared %.1f + files %.1f + other %.1f; own (heap + anonymous) %.1f MB\n",
               p, f, total / 1024, kb["heap"] / 1024, kb["anon"] / 1024, kb["shared"] / 1024, kb["file"] / 1024,
               kb["other"] / 1024, (kb["heap"] + kb["anon"]) / 1024
    }' "/proc/$GAME_PID/smaps"
