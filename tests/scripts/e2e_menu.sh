#!/usr/bin/env bash
# tests/scripts/e2e_menu.sh — the menu of the real game in an X window.
#
# Profile 0 on a 1024 x 768 screen shows the picture 1:1, so the menu's
# opaque pixels must equal the simulator's picture of the same state. Checks:
# the menu at start with the status line; Escape hides and shows it; a page
# button and the highlight of the button under the cursor; the switch to another application and back restarts the game with
# the menu and no page; the options page highlights the profile in force and
# keeps it through Escape twice; its row 3 switches to 1440 x 900, shown
# scaled to fit with bars, where clicks still land on the buttons; the window
# system's close request ends the game with status 0.
source "$SOURCE_DIR/tests/e2e/session.sh"

start_xvfb 1024x768
copy_game
export_items "$GAME/gfx/startmenue.dxg" m 0 2 8 13 15

# Menu origin (112, 84); the button column is x 167..371, button k's band
# y 105..158 + 100 (k - 1); option rows x 498..826, row 3 y 395..413.
AWAY="5 740"
BAND2="262 231"
BAND5="262 531"
ROW3="662 404"

# click_away X Y: a click there, then the cursor off the menu.
click_away() {
    pointer "$1" "$2" click
    pointer $AWAY
}

# escape_twice NAME MENU-ARG...: Escape hides what `e2e.py menu` finds with
# these arguments (screenshots NAME_hidden, NAME_shown), a second Escape
# brings it back as it was.
escape_twice() {
    local name=$1; shift
    xdotool key Escape
    shot_matches "${name}_hidden" menu "$@" --hidden || fail "Escape did not hide the $name"
    xdotool key Escape
    shot_matches "${name}_shown" menu "$@" || fail "the second Escape did not bring the $name back as it was"
}

step "references from the simulator"
sim() {  # sim NAME CLOCK [INPUT LINES]: the picture of step 45
    local name=$1 clock=$2; shift 2
    printf '%s\n' "$@" > "$WORK/$name.txt"
    "$GAME_DIR/skyrend-sim" --dir "$GAME" --frames 45 --clock "$clock" --input "$WORK/$name.txt" \
        --shot "45:$WORK/$name.png" > /dev/null
    [ -f "$WORK/$name.png" ] || fail "the simulator made no picture for $name"
}
sim ref_start 0
sim ref_start2 40000000
sim ref_start3 80000000
sim ref_page2 0 "2 click $BAND2" "3 mouse $AWAY"
sim ref_options 0 "2 click $BAND5" "3 mouse $AWAY"
sim ref_row3 0 "2 click $BAND5" "3 click $ROW3" "4 mouse $AWAY"

step "the menu at start"
start_game
pointer $AWAY
shot_matches start menu "$WORK/ref_start.png" 112,84 "$WORK/m0.png" || fail "the menu at start is not the simulator's"
# After a second the status line carries a measured rate.
shot_matches status status "$WORK/ref_start.png" "$WORK/ref_start2.png" "$WORK/ref_start3.png" ||
    fail "the status line does not read \"FPS: <rate>, Explosions0\""

step "Escape hides the menu and shows it again"
escape_twice menu "$WORK/ref_start.png" 112,84 "$WORK/m0.png"

step "button 2 shows page 2"
pointer $BAND2 click
shot_matches hover menu - 112,84 "$WORK/m0.png" "$WORK/m8.png@301,0" "$WORK/m2.png" ||
    fail "the cursor on button 2 does not highlight it over page 2"
pointer $AWAY
shot_matches page2 menu "$WORK/ref_page2.png" 112,84 "$WORK/m0.png" "$WORK/m8.png@301,0" ||
    fail "button 2 did not show page 2"

step "another application takes the focus and gives it back"
focus_elsewhere_and_back
shot_matches restarted menu "$WORK/ref_start.png" 112,84 "$WORK/m0.png" "$WORK/m8.png@301,0" ||
    fail "after the focus came back the menu does not show without a page"

step "the options page highlights profile 0"
click_away $BAND5
shot_matches options menu "$WORK/ref_options.png" 112,84 "$WORK/m0.png" "$WORK/m13.png@301,0" ||
    fail "the options page is not the simulator's"
$E2E menu "$WORK/options.ppm" - 413,84 "$WORK/m13.png" || fail "row 1 of the options page is not highlighted"
escape_twice options "$WORK/ref_options.png" 112,84 "$WORK/m0.png" "$WORK/m13.png@301,0"

step "row 3 switches to 1440 x 900, scaled to fit the 1024 x 768 screen"
click_away $ROW3
shot_matches row3 scaled "$WORK/ref_row3.png" 320,150 "$WORK/m0.png" "$WORK/m15.png@301,0" ||
    fail "the 1440 x 900 menu is not where the scaling puts (320, 150)"

step "clicks reach the game in display pixels of the scaled picture"
# Button 2 of the menu at (320, 150) of 1440 x 900, scaled by 1024 / 1440
# below a bar of 64 rows: display (470, 297) is screen (334, 275).
click_away 334 275
shot_matches page2_scaled scaled 1440,900 320,150 "$WORK/m0.png" "$WORK/m8.png@301,0" ||
    fail "a click on button 2 of the scaled menu did not show page 2"

step "the window system closes the window"
close_game
echo "menu checks passed"
