#!/usr/bin/env bash
# tests/scripts/e2e_play.sh — flying and firing in the real game, keys held
# through xdotool, with its sound captured by OpenAL Soft's wave writer.
#
# Checks: the start button starts a new game (the energy bar fills again
# from empty) and hides the menu; held Up scrolls the stars down the screen;
# held Left and Right turn them about the screen centre, clockwise and
# anticlockwise, while the ship banks fully to that side (and flies level
# otherwise); held Space puts plasma above the ship, a shot every 10 frames
# (100 pixels apart), and plays the shot sound for each; the close request
# ends the game with status 0.
# No enemies: nothing else moves on the screen or sounds.
source "$SOURCE_DIR/tests/e2e/session.sh"

start_xvfb 1024x768
copy_game 0
export_items "$GAME/gfx/startmenue.dxg" m 0
export_items "$GAME/gfx/energy_balken_new.dxg" e 100
export_items "$GAME/gfx/ship2.dxg" s $(seq 0 40)
SHIP=()
for i in $(seq 0 40); do SHIP+=("$WORK/s$i.png"); done

AWAY="5 740"
START="262 131"   # button 1 of the menu at (112, 84)
BAR=424,20        # the energy bar on profile 0
SHIP_AT=478,359   # the ship's sprite on profile 0
CENTRE=512,399    # where the screen centre puts the stars' glow (sprite anchor -15, 0 of 30 x 30)
ABOVE=480,60,545,355

# ship_item NAME: the Ship1 item drawn in screenshot NAME.
ship_item() { $E2E pose "$WORK/$1.ppm" $SHIP_AT "${SHIP[@]}" | cut -d' ' -f1; }
ship_is() { shoot pose; [ "$(ship_item pose)" = "$1" ]; }

# The stars stand still: most of them are where they were a few frames ago.
stars_still() {
    local out amount hits still total
    shoot still_a; sleep 0.1; shoot still_b
    read -r amount hits still total <<< "$($E2E shift "$WORK/still_a.ppm" "$WORK/still_b.ppm")"
    [ "$total" -ge 40 ] && [ $((still * 10)) -ge $((total * 8)) ]
}

# motion KIND EXPECT: two screenshots a few frames apart while a key is held;
# the stars must have moved (most of them matched after the move, few
# before it) with the sign EXPECT (+ or -). Three tries.
motion() {
    local kind=$1 sign=$2 out amount hits still total
    for _ in 1 2 3; do
        shoot "${kind}_a"; sleep 0.1; shoot "${kind}_b"
        if [ "$kind" = shift ]; then
            out=$($E2E shift "$WORK/${kind}_a.ppm" "$WORK/${kind}_b.ppm")
        else
            out=$($E2E rotate "$WORK/${kind}_a.ppm" "$WORK/${kind}_b.ppm" $CENTRE)
        fi
        read -r amount hits still total <<< "$out"
        echo "$kind: $amount, $hits of $total stars matched after it, $still before"
        if [ "$total" -ge 40 ] && [ $((hits * 10)) -ge $((total * 4)) ] && [ $((still * 10)) -lt $((total * 3)) ] &&
            python3 -c "import sys; a = float('$amount'); sys.exit(0 if (a > 0.4 if '$sign' == '+' else a < -0.4) else 1)"; then
            return 0
        fi
    done
    return 1
}

step "the start button starts a new game and hides the menu"
start_game
pointer $AWAY
shot_matches start menu - 112,84 "$WORK/m0.png" || fail "the menu does not show at start"
shot_matches full menu - $BAR "$WORK/e100.png" || fail "the energy bar does not fill up"
pointer $START click
pointer $AWAY
shot_matches refilling menu - $BAR "$WORK/e100.png" --changed || fail "the start button did not start a new game"
shot_matches playing menu - 112,84 "$WORK/m0.png" --hidden || fail "the start button did not hide the menu"
[ "$(ship_item playing)" = 20 ] || fail "the ship does not fly level after the start"

step "held Up flies forward: the stars scroll down"
xdotool keydown Up
sleep 0.5
motion shift + || fail "the stars do not scroll down while Up is held"
[ "$(ship_item shift_b)" = 20 ] || fail "the ship banks while flying straight"
xdotool keyup Up
# Released, the speed runs down to 0 by 0.24 a frame.
until_true 15 stars_still || fail "the ship does not come to a stop after Up"

step "held Left turns left: the sky turns clockwise, the ship banks left"
xdotool keydown Left
until_true 10 ship_is 0 || fail "the ship does not bank fully left (item $(ship_item pose))"
motion rotate + || fail "the stars do not turn clockwise while Left is held"
xdotool keyup Left
until_true 10 ship_is 20 || fail "the ship does not level out after Left (item $(ship_item pose))"

step "held Right turns right: the sky turns anticlockwise, the ship banks right"
xdotool keydown Right
until_true 10 ship_is 40 || fail "the ship does not bank fully right (item $(ship_item pose))"
motion rotate - || fail "the stars do not turn anticlockwise while Right is held"
xdotool keyup Right
until_true 10 ship_is 20 || fail "the ship does not level out after Right (item $(ship_item pose))"
cp "$WORK/pose.ppm" "$WORK/level.ppm"

step "held Space fires plasma"
before=$($E2E count "$WORK/level.ppm" $ABOVE plasma)
[ "$before" -lt 10 ] || fail "plasma-coloured pixels above the ship before firing: $before"
xdotool keydown space
sleep 0.8
# A shot flies 10 units a frame faster than the ship, so shots fired every
# 10 frames follow each other 100 pixels apart, however long a frame takes.
spaced=""
for _ in 1 2 3 4 5; do
    shoot firing
    firing=$($E2E count "$WORK/firing.ppm" $ABOVE plasma)
    blobs=$($E2E blobs "$WORK/firing.ppm" $ABOVE plasma)
    echo "plasma above the ship: $firing pixels, shots at y = $blobs"
    if python3 -c "
import sys
ys = [float(v) for v in sys.argv[1:]]
sys.exit(0 if len(ys) >= 2 and all(92 <= b - a <= 108 for a, b in zip(ys, ys[1:])) else 1)" $blobs; then
        spaced=1
        break
    fi
    sleep 0.2
done
[ "$firing" -ge 40 ] || fail "no plasma above the ship while Space is held"
[ -n "$spaced" ] || fail "the shots do not follow each other 100 pixels (10 frames) apart"
sleep 1.5
xdotool keyup space
sleep 0.5

step "the window system closes the window"
close_game

step "the shot sound every 10 frames"
out=$($E2E onsets "$WORK/sound.wav") || fail "no sound in the captured output: $out"
echo "$out"
python3 - $out <<'PY' || fail "the shots do not sound every 10 frames"
import sys
onsets = [int(t) for t in sys.argv[4:]]
gaps = [b - a for a, b in zip(onsets, onsets[1:])]
print("gaps (ms):", gaps)
# Fire was held for 3 s or more.
assert len(onsets) >= 4, "%d shots" % len(onsets)
# Never closer than 10 frames of 33 ms allow (less the mixer's period); about
# 10 frames apart, even when a busy machine makes frames take up to 60 ms.
assert all(g >= 310 for g in gaps), gaps
assert sorted(gaps)[len(gaps) // 2] <= 600, gaps
PY
echo "play checks passed"
