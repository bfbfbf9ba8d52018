# tests/tools/sim_work.sh — sourced by the simulator's script tests: a work
# folder removed on exit, a copy of the game folder in it and the simulator
# run on that copy.

set -euo pipefail
: "${GAME_DIR:?}"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# fresh_game FLEET: a new copy of the game folder as $work/g, profile 0 and
# FLEET enemy ships.
fresh_game() {
    rm -rf "$work/g"
    cp -r "$GAME_DIR" "$work/g"
    printf '0\r\n' > "$work/g/aufloesung.cfg"
    printf '%s\r\n' "$1" > "$work/g/schiffe.cfg"
}

sim() { "$GAME_DIR/skyrend-sim" --dir "$work/g" "$@"; }
