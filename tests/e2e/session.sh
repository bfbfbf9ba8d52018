# tests/e2e/session.sh — sourced by the real-window tests: an Xvfb screen of
# their own, a copy of the game folder, the game started in it with its sound
# written to a file, screenshots, bounded waits and a clean-up that leaves
# nothing running.
#
# Expects GAME_DIR and SOURCE_DIR. Every wait has a deadline; every process
# started here is ended by the EXIT trap.

set -euo pipefail
: "${GAME_DIR:?}" "${SOURCE_DIR:?}"

E2E="python3 $SOURCE_DIR/tests/e2e/e2e.py"
WORK=$(mktemp -d /tmp/skyrend-e2e.XXXXXX)
GAME="$WORK/game"
XVFB_PID=""
GAME_PID=""
EXTRA_PIDS=()
GAME_STATUS=""
GAME_ENV=()  # env(1) arguments for the game: -u NAME, NAME=VALUE
GAME_PROGRAM=./skyrend  # what start_game runs, in $GAME

cleanup() {
    local pid
    for pid in "${EXTRA_PIDS[@]}" $GAME_PID; do kill "$pid" 2>/dev/null || true; done
    for pid in "${EXTRA_PIDS[@]}" $GAME_PID; do
        for _ in $(seq 1 30); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
        kill -9 "$pid" 2>/dev/null || true
    done
    if [ -n "$XVFB_PID" ]; then
        kill "$XVFB_PID" 2>/dev/null || true
        for _ in $(seq 1 30); do kill -0 "$XVFB_PID" 2>/dev/null || break; sleep 0.1; done
        kill -9 "$XVFB_PID" 2>/dev/null || true
    fi
    if [ -n "${KEEP_E2E:-}" ]; then echo "kept $WORK"; else rm -rf "$WORK"; fi
}
trap cleanup EXIT

# The logs whose ends a failure shows, those that exist.
FAIL_LOGS=("$WORK/game.log")
fail() {
    echo "FAIL: $*"
    local log
    for log in "${FAIL_LOGS[@]}"; do
        [ -f "$log" ] && { echo "--- $(basename "$log")"; tail -n 20 "$log"; }
    done
    shoot failure 2>/dev/null && [ -n "${KEEP_E2E:-}" ] && echo "last screen: $WORK/failure.ppm"
    exit 1
}

step() { echo "--- $*"; }

# start_xvfb WxH [OPTION...]: a screen of that size, with Xvfb's further
# options; Xvfb picks a free display number itself and writes it once it
# accepts clients.
start_xvfb() {
    Xvfb -displayfd 3 -screen 0 "${1}x24" "${@:2}" -nolisten tcp -noreset 3>"$WORK/display" >"$WORK/xvfb.log" 2>&1 &
    XVFB_PID=$!
    for _ in $(seq 1 100); do [ -s "$WORK/display" ] && break; sleep 0.1; done
    [ -s "$WORK/display" ] || fail "Xvfb did not start"
    export DISPLAY=":$(head -n 1 "$WORK/display")"
}

# copy_game [FLEET]: the game folder in the work directory, profile 0 and,
# when given, FLEET enemy ships.
copy_game() {
    cp -r "$GAME_DIR" "$GAME"
    printf '0\r\n' > "$GAME/aufloesung.cfg"
    [ -n "${1:-}" ] && printf '%s\r\n' "$1" > "$GAME/schiffe.cfg"
    return 0
}

# start_game [ARG...]: $GAME_PROGRAM (./skyrend) in $GAME with the
# arguments, its sound mixed into $WORK/sound.wav, with GAME_ENV applied to
# its environment.
start_game() {
    # Short mixing periods put each sound within 6 ms of when it was played.
    printf '[general]\ndrivers=wave\nperiod_size=256\n[wave]\nfile=%s\n' "$WORK/sound.wav" > "$WORK/alsoft.conf"
    (cd "$GAME" && exec env "${GAME_ENV[@]}" ALSOFT_CONF="$WORK/alsoft.conf" "$GAME_PROGRAM" "$@" >"$WORK/game.log" 2>&1) &
    GAME_PID=$!
    local id=""
    for _ in $(seq 1 150); do
        id=$(xdotool search --name '^SkyrendMain$' 2>/dev/null | head -n 1 || true)
        [ -n "$id" ] && break
        kill -0 "$GAME_PID" 2>/dev/null || fail "the game ended at start"
        sleep 0.1
    done
    [ -n "$id" ] || fail "no window named SkyrendMain"
    GAME_WINDOW=$id
}

# The top-level window titled exactly $1 (also windows whose title is only
# a UTF-8 property, which xdotool's name search does not see).
window_titled() {
    xwininfo -root -children 2>/dev/null | awk -v t="\"$1\":" '$2 == t {print $1; exit}'
}

# pointer X Y [click]: moves the pointer there (and clicks). xdotool warps
# the pointer, which XInput2 does not report as motion, and SDL keeps its
# global cursor position until it sees raw motion: a relative nudge, there
# and back, gives it that.
pointer() {
    xdotool mousemove "$1" "$2" mousemove_relative 1 0 mousemove_relative -- -1 0
    [ "${3:-}" = click ] && xdotool click 1
    return 0
}

shoot() { import -window root -depth 8 "ppm:$WORK/$1.ppm"; }

# until_true SECONDS COMMAND...: runs COMMAND every 0.2 s until it succeeds.
until_true() {
    local deadline=$((SECONDS + $1)); shift
    while :; do
        "$@" >/dev/null 2>&1 && return 0
        [ $SECONDS -ge $deadline ] && return 1
        sleep 0.2
    done
}

# shot_matches NAME CHECK...: takes screenshot NAME until `e2e.py CHECK` with
# it holds (up to 15 s); prints the last measurement.
shot_matches() {
    local name=$1; shift
    local check=$1; shift
    local deadline=$((SECONDS + 15)) out
    while :; do
        shoot "$name"
        if out=$($E2E "$check" "$WORK/$name.ppm" "$@"); then echo "$out"; return 0; fi
        if [ $SECONDS -ge $deadline ]; then echo "$out"; return 1; fi
        sleep 0.3
    done
}

# stop_game: ends the game without ceremony.
stop_game() {
    kill "$GAME_PID" 2>/dev/null || true
    wait "$GAME_PID" 2>/dev/null || true
    GAME_PID=""
}

# Another application's window takes the focus for a second, then the game
# gets it back: the application is deactivated and activated again.
focus_elsewhere_and_back() {
  xmessage -geometry +930+700 other &
  local other_pid=$!
  EXTRA_PIDS+=($other_pid)
  until_true 10 window_titled xmessage || fail "xmessage did not show its window"
  xdotool windowfocus "$(window_titled xmessage)"
  sleep 1
  xdotool windowfocus "$GAME_WINDOW"
  kill "$other_pid"
}

# close_game: the window system's close request; the game must end by
# itself with status 0.
close_game() {
    $E2E close "$GAME_WINDOW" >/dev/null || fail "the close request could not be sent"
    for _ in $(seq 1 100); do kill -0 "$GAME_PID" 2>/dev/null || break; sleep 0.1; done
    kill -0 "$GAME_PID" 2>/dev/null && fail "the game still runs 10 s after the close request"
    GAME_STATUS=0
    wait "$GAME_PID" || GAME_STATUS=$?
    GAME_PID=""
    [ "$GAME_STATUS" = 0 ] || fail "the game ended with status $GAME_STATUS after the close request"
    echo "closed by the window system: status 0"
}

# Items of a collection file as PNG: export_items FILE PREFIX INDEX...
export_items() {
    local file=$1 prefix=$2; shift 2
    local i
    for i in "$@"; do "$GAME_DIR/dxgtool" export "$file" "$i" "$WORK/$prefix$i.png" >/dev/null; done
}

# start_probe TEST VARIABLE: test_platform's probe TEST in the background
# (PROBE_PID), told through the environment VARIABLE to log to $PROBE_LOG;
# its own output in $WORK/probe.out.
PROBE_LOG="$WORK/probe.log"
start_probe() {
    env "$2=$PROBE_LOG" "${BUILD_DIR:?}/tests/test_platform" --gtest_filter="$1" >"$WORK/probe.out" 2>&1 &
    PROBE_PID=$!
    EXTRA_PIDS+=("$PROBE_PID")
    FAIL_LOGS+=("$WORK/probe.out" "$PROBE_LOG")
}
