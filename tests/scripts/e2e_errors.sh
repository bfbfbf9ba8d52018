#!/usr/bin/env bash
# tests/scripts/e2e_errors.sh — a missing picture file in the real game.
#
# Without gfx/enemy1.dxg the start-up shows an error box titled "Skyrend",
# owned by the game's window, whose picture is SDL's own box for the text
# "Datei gfx\enemy1.dxg kann nicht geöffnet werden." (and not for another
# file name). Return dismisses it and the game keeps running: with the file
# back, switching to another application and back starts a game with the
# menu; the close request ends it with status 0.
source "$SOURCE_DIR/tests/e2e/session.sh"

TEXT='Datei gfx\enemy1.dxg kann nicht geöffnet werden.'
OTHER='Datei gfx\enemy2.dxg kann nicht geöffnet werden.'

start_xvfb 1024x768
copy_game
export_items "$GAME/gfx/startmenue.dxg" m 0
mv "$GAME/gfx/enemy1.dxg" "$WORK/enemy1.dxg"

# The windows titled "Skyrend" other than those given.
boxes_except() {
    xwininfo -root -children | awk '$2 == "\"Skyrend\":" {print $1}' | while read -r id; do
        local known=""
        for k in "$@"; do [ $((id)) = $((k)) ] && known=1; done
        [ -z "$known" ] && echo "$id"
    done
    return 0
}
new_box() { [ -n "$(boxes_except "$@")" ]; }
box_gone() { [ -z "$(xwininfo -root -children | awk -v id="$1" '$1 == id')" ]; }

# dismiss WINDOW: Return in the box, which must then close.
dismiss() {
    xdotool windowfocus "$1"
    xdotool key Return
    until_true 10 box_gone "$1" || fail "Return did not close the box $1"
}

# reference TEXT NAME: SDL's own error box with that text, captured and closed.
reference() {
    $E2E msgbox Skyrend "$1" &
    local pid=$!
    EXTRA_PIDS+=($pid)
    until_true 15 new_box "$BOX" || fail "the reference box did not show"
    local id; id=$(boxes_except "$BOX" | head -n 1)
    sleep 0.3
    import -window "$id" -depth 8 "ppm:$WORK/$2.ppm"
    dismiss "$id"
    wait "$pid" || fail "the reference box ended badly"
}

step "the error box at start"
start_game
until_true 20 new_box || fail "no error box titled Skyrend"
BOX=$(boxes_except | head -n 1)
owner=$(xprop -id "$BOX" WM_TRANSIENT_FOR | awk '{print $NF}')
[ $((owner)) = $((GAME_WINDOW)) ] || fail "the box belongs to window $owner, not to the game's $GAME_WINDOW"
xprop -id "$BOX" _NET_WM_NAME | grep -q '= "Skyrend"$' || fail "the box is not titled Skyrend"
sleep 0.3
import -window "$BOX" -depth 8 "ppm:$WORK/box.ppm"

step "the box shows the file-open text"
reference "$TEXT" expected
reference "$OTHER" other
$E2E same "$WORK/box.ppm" "$WORK/expected.ppm" || fail "the box does not show \"$TEXT\""
$E2E same "$WORK/box.ppm" "$WORK/other.ppm" && fail "the box picture does not tell the file names apart"

step "Return dismisses the box; the game keeps running"
dismiss "$BOX"
sleep 1
kill -0 "$GAME_PID" 2>/dev/null || fail "the game ended after the error box"
xwininfo -id "$GAME_WINDOW" | grep -q IsViewable || fail "the game's window is gone"
mv "$WORK/enemy1.dxg" "$GAME/gfx/enemy1.dxg"
focus_elsewhere_and_back
pointer 5 740
shot_matches menu menu - 112,84 "$WORK/m0.png" ||
    fail "with the file back, the return of the focus does not start a game with the menu"
new_box "$BOX" && fail "an error box came up with all files in place"

step "the window system closes the window"
close_game
echo "error box checks passed"
