# bench/real_game.sh — sourced by the real-game measurements: an Xvfb screen
# of its own, a copy of the game folder at a chosen profile and fleet, the
# game started in it (sound to a wave file, so no sound card is needed), and
# a clean-up that ends what was started here.
#
# Expects GAME_DIR (default: build/game beside this folder).

set -euo pipefail
GAME_DIR=${GAME_DIR:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/build/game}
WORK=$(mktemp -d /tmp/skyrend-bench.XXXXXX)
XVFB_PID=""
GAME_PID=""

cleanup() {
    local pid
    for pid in $GAME_PID $XVFB_PID; do
        kill "$pid" 2>/dev/null || true
        for _ in $(seq 1 30); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
        kill -9 "$pid" 2>/dev/null || true
    done
    rm -rf "$WORK"
}
trap cleanup EXIT

# start_real_game PROFILE FLEET: the screen is the profile's size.
start_real_game() {
    local sizes=(1024x768 1280x800 1440x900 1680x1050 1920x1200)
    Xvfb -displayfd 3 -screen 0 "${sizes[$1]}x24" -nolisten tcp -noreset 3>"$WORK/display" >"$WORK/xvfb.log" 2>&1 &
    XVFB_PID=$!
    for _ in $(seq 1 100); do [ -s "$WORK/display" ] && break; sleep 0.1; done
    [ -s "$WORK/display" ] || { echo "Xvfb did not start" >&2; exit 1; }
    export DISPLAY=":$(head -n 1 "$WORK/display")"
    cp -r "$GAME_DIR" "$WORK/game"
    printf '%s\r\n' "$1" > "$WORK/game/aufloesung.cfg"
    [ "$2" = default ] || printf '%s\r\n' "$2" > "$WORK/game/schiffe.cfg"
    printf '[general]\ndrivers=wave\n[wave]\nfile=%s\n' "$WORK/sound.wav" > "$WORK/alsoft.conf"
    (cd "$WORK/game" && exec env ALSOFT_CONF="$WORK/alsoft.conf" ./skyrend >"$WORK/game.log" 2>&1) &
    GAME_PID=$!
}

# The game's user plus system time so far, in clock ticks.
cpu_ticks() { awk '{print $14 + $15}' "/proc/$GAME_PID/stat"; }
