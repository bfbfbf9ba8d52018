#!/usr/bin/env bash
# tests/scripts/e2e_devices.sh — devices that come and go under the real game.
#
# The game runs with a test-control file (SKYREND_TEST_CONTROL) through which
# the test plugs a virtual joystick in and out, moves it, and has the
# renderer report lost textures or a lost device. Checks, one game, no
# enemies, profile 0 shown 1:1:
# - a render-target reset and a device reset: the next frames show the menu
#   as before, with every picture back, and the picture goes on moving;
# - the sound output fails during play (its file may grow no more): the game
#   goes on silently, without an error box, and the next new game (the start
#   button) opens the output again, where the shots sound;
# - the joystick steers, unplugged it steers no more, and plugged in again it
#   steers again;
# - minimised and restored, the game is deactivated and activated: a new
#   game starts, with the menu and no page;
# - then, on a nested X server whose desktop changes size under the full-
#   screen game (Xephyr in a window of its own: this Xvfb keeps its size),
#   the picture is scaled to fit the new desktop and clicks still land on
#   the menu's buttons.
source "$SOURCE_DIR/tests/e2e/session.sh"

CONTROL="$WORK/control"
AWAY="5 740"
START="262 131"   # button 1 of the menu at (112, 84)
BAND2="262 231"   # button 2
SHIP_AT=478,359   # the ship's sprite on profile 0

start_xvfb 1024x768
copy_game 0
export_items "$GAME/gfx/startmenue.dxg" m 0 8
export_items "$GAME/gfx/ship2.dxg" s $(seq 0 40)
SHIP=()
for i in $(seq 0 40); do SHIP+=("$WORK/s$i.png"); done

# control COMMAND...: hands the game one command and waits until it says it
# carried it out.
control() {
    local line="$*" before
    before=$(grep -cF "Skyrend test control: $line: done" "$WORK/game.log" || true)
    echo "$line" >> "$CONTROL"
    until_true 15 carried "$line" "$before" || fail "the game did not carry out \"$line\""
}
carried() { [ "$(grep -cF "Skyrend test control: $1: done" "$WORK/game.log")" -gt "$2" ]; }

no_error_box() { [ -z "$(xwininfo -root -children | awk '$2 == "\"Skyrend\":"')" ]; }

# The picture goes on: two screenshots a moment apart differ (the stars
# twinkle, the rate changes).
picture_moves() {
    shoot move_a; sleep 0.3; shoot move_b
    ! $E2E same "$WORK/move_a.ppm" "$WORK/move_b.ppm" >/dev/null
}

still_running() {
    kill -0 "$GAME_PID" 2>/dev/null || fail "the game ended $1"
    no_error_box || fail "an error box came up $1"
    until_true 10 picture_moves || fail "the picture stands still $1"
}

# ship_is ITEM: the ship is drawn with that item of its 41 (0 banked fully
# left, 20 level).
ship_is() {
    shoot pose
    [ "$($E2E pose "$WORK/pose.ppm" $SHIP_AT "${SHIP[@]}" | cut -d' ' -f1)" = "$1" ]
}

menu_shown() { shot_matches "$1" menu - 112,84 "$WORK/m0.png"; }

sound_size() { stat -c %s "$WORK/sound.wav" 2>/dev/null || echo 0; }
sound_grows() { local a; a=$(sound_size); sleep 0.5; [ "$(sound_size)" -gt "$a" ]; }
sound_stopped() { local a; a=$(sound_size); sleep 1; [ "$(sound_size)" = "$a" ]; }

render_resets() {
    step "the renderer loses its textures, then its device: the pictures come back"
    local kind
    for kind in render-reset device-reset; do
        control "$kind"
        menu_shown "after_$kind" || fail "the menu is not shown as before after a $kind"
        still_running "after a $kind"
    done
}

sound_lost_and_back() {
    step "the sound output fails during play and is back at the next new game"
    until_true 15 sound_grows || fail "the game writes no sound"
    # The output's file may grow no further (as on a full disk): OpenAL
    # reports the device disconnected.
    prlimit --pid "$GAME_PID" --fsize="$(( $(sound_size) + 4096 )):"
    until_true 20 sound_stopped || fail "the sound output did not stop"
    xdotool keydown space; sleep 1; xdotool keyup space
    still_running "with the sound output gone"
    prlimit --pid "$GAME_PID" --fsize=unlimited:
    pointer $START click
    pointer $AWAY
    until_true 15 sound_grows || fail "the new game did not open the sound output again"
    xdotool keydown space; sleep 1.5; xdotool keyup space
    sleep 0.5
    $E2E onsets "$WORK/sound.wav" || fail "the shots do not sound after the new game"
    no_error_box || fail "an error box came up with the sound output back"
}

joystick_out_and_in() {
    step "the joystick steers, unplugged it does not, plugged in again it does"
    control axis -32768 0
    until_true 10 ship_is 0 || fail "the joystick does not turn the ship left"
    control joystick detach
    until_true 10 ship_is 20 || fail "the ship does not level out with the joystick unplugged"
    still_running "with the joystick unplugged"
    control joystick attach
    control axis -32768 0
    until_true 10 ship_is 0 || fail "the joystick plugged in again does not turn the ship"
    control axis 0 0
    until_true 10 ship_is 20 || fail "the ship does not level out with the stick centred"
}

minimise_and_restore() {
    step "minimised and restored: a new game with the menu and no page"
    shoot before_page
    $E2E menu "$WORK/before_page.ppm" - 112,84 "$WORK/m0.png" >/dev/null || xdotool key Escape
    pointer $BAND2 click
    pointer $AWAY
    shot_matches page2 menu - 112,84 "$WORK/m0.png" "$WORK/m8.png@301,0" || fail "button 2 did not show page 2"
    # No window manager runs here: the test does what one does to minimise
    # (unmap the window), and to restore (map it and give it the focus).
    xdotool windowminimize "$GAME_WINDOW" windowunmap "$GAME_WINDOW"
    until_true 10 window_gone || fail "the window did not go away"
    sleep 1
    xdotool windowmap "$GAME_WINDOW"
    until_true 10 xwininfo_viewable || fail "the window did not come back"
    xdotool windowfocus "$GAME_WINDOW"
    # The menu's own panel where page 2 was: a new game shows no page.
    menu_shown restarted || fail "after the restore the menu does not show without a page"
    still_running "after the restore"
}
xwininfo_viewable() { xwininfo -id "$GAME_WINDOW" | grep -q IsViewable; }
window_gone() { ! xwininfo_viewable; }

desktop_resized() {
    step "the desktop shrinks from 1920 x 1200 to 1280 x 1024 under the full-screen game"
    local host=$DISPLAY
    Xephyr -displayfd 3 -screen 1920x1200 -resizeable -nolisten tcp -noreset 3>"$WORK/nested" \
        >"$WORK/xephyr.log" 2>&1 &
    EXTRA_PIDS+=($!)
    until_true 15 test -s "$WORK/nested" || fail "Xephyr did not start"
    local nested; nested=$(xdotool search --name Xephyr | head -n 1)
    export DISPLAY=":$(head -n 1 "$WORK/nested")"
    : > "$CONTROL"
    start_game
    pointer $AWAY
    until_true 15 picture_moves || fail "the game does not run on the nested desktop"
    DISPLAY=$host xdotool windowsize "$nested" 1280 1024
    until_true 10 desktop_is 1280x1024 || fail "the nested desktop did not change size"
    shot_matches small scaled 1024,768 112,84 "$WORK/m0.png" ||
        fail "the menu is not scaled to the new desktop (window: $(xwininfo -id "$GAME_WINDOW" | grep -E 'Width|Height' | xargs))"
    control device-reset
    shot_matches reset_small scaled 1024,768 112,84 "$WORK/m0.png" ||
        fail "after a device reset the menu is not scaled to the new desktop"
    # Button 2 at display (262, 231), scaled by 1.25 below a bar of 32 rows.
    pointer 328 321 click
    pointer $AWAY
    shot_matches page2_small scaled 1024,768 112,84 "$WORK/m0.png" "$WORK/m8.png@301,0" ||
        fail "a click on button 2 of the rescaled menu did not show page 2"
    close_game
}
desktop_is() { xdpyinfo | grep -q "dimensions: *$1 pixels"; }

# DEVICE_CASES picks some of the cases (while working on one of them); the
# desktop case runs last, with a game of its own.
CASES=${DEVICE_CASES:-render_resets sound_lost_and_back joystick_out_and_in minimise_and_restore desktop_resized}
# A write past the file-size limit fails instead of ending the writer: the
# game inherits the ignored signal.
trap '' XFSZ
echo "joystick attach" > "$CONTROL"
GAME_ENV=(SKYREND_TEST_CONTROL="$CONTROL")
start_game
pointer $AWAY
menu_shown start || fail "the menu does not show at start"
case " $CASES " in *" joystick_out_and_in "*)
    until_true 15 carried "joystick attach" 0 || fail "the game did not plug in the joystick at its start" ;;
esac
for case in $CASES; do [ "$case" = desktop_resized ] || "$case"; done

step "the window system closes the window"
close_game
case " $CASES " in *" desktop_resized "*) desktop_resized ;; esac
echo "device checks passed"
