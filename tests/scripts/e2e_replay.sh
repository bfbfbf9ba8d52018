#!/usr/bin/env bash
# tests/scripts/e2e_replay.sh — a real-window session recorded with
# `skyrend --record`, then run again on the headless back-end.
#
# The session goes through the menu, the start button, flight with thrust
# and both turns, held fire, Escape twice, the options page with a switch
# to 1440 x 900, and a switch to another application and back (a new game),
# and ends by the window system's close request. `skyrend-sim --replay
# --verify` must then find every frame and every tick's cues identical,
# which is also the proof that the SDL back-end and the headless one run the
# same game; the video must decode to as many frames as were recorded; the
# window must play the whole session back by itself, and a close request
# must end such a playback early. A session killed while flying leaves a
# replay that verifies up to its last whole tick.
source "$SOURCE_DIR/tests/e2e/session.sh"

start_xvfb 1024x768
copy_game
export_items "$GAME/gfx/startmenue.dxg" m 0
REPLAY="$WORK/session.skr"

AWAY="5 740"
START="262 131"   # button 1 of the menu at (112, 84)
BAND5="262 531"   # button 5: the options page
ROW3="662 404"    # its row 3: 1440 x 900

hold() {  # hold KEY SECONDS
    xdotool keydown "$1"
    sleep "$2"
    xdotool keyup "$1"
}

step "a recorded session"
start_game --record "$REPLAY"
pointer $AWAY
shot_matches start menu - 112,84 "$WORK/m0.png" || fail "the menu does not show at start"
pointer $START click
pointer $AWAY
shot_matches playing menu - 112,84 "$WORK/m0.png" --hidden || fail "the start button did not hide the menu"
hold Up 1
hold Left 0.7
xdotool keydown Up
hold Right 0.7
xdotool keyup Up
hold space 1.5
xdotool key Escape
sleep 0.5
xdotool key Escape
sleep 0.5
xdotool key Escape
pointer $BAND5 click
sleep 0.5
pointer $ROW3 click
sleep 1
focus_elsewhere_and_back
sleep 1.5
close_game
[ -s "$REPLAY" ] || fail "no replay written"
echo "replay: $(stat -c %s "$REPLAY") bytes"

step "the headless back-end runs the same session"
out=$("$GAME_DIR/skyrend-sim" --dir "$GAME" --replay "$REPLAY" --verify) || fail "the replay differs: $out"
echo "$out"
[[ "$out" =~ ^([0-9]+)\ ticks,\ ([0-9]+)\ frames,\ all\ identical$ ]] || fail "unexpected summary: $out"
ticks=${BASH_REMATCH[1]}
frames=${BASH_REMATCH[2]}
[ "$ticks" -ge 150 ] || fail "only $ticks ticks recorded"

step "the video has every frame"
"$GAME_DIR/skyrend-sim" --dir "$GAME" --replay "$REPLAY" --video "$WORK/session.mp4" 2>"$WORK/video.log" ||
    fail "the video was not written: $(tail -c 300 "$WORK/video.log")"
grep -q "video: tick" "$WORK/video.log" || fail "no progress line"
probe() { ffprobe -v error -count_frames -select_streams "$1" -show_entries "stream=$2" -of csv=p=0 "$WORK/session.mp4"; }
[ "$(probe v:0 codec_name,nb_read_frames)" = "h264,$frames" ] ||
    fail "the video stream is $(probe v:0 codec_name,nb_read_frames), not h264 with $frames frames"
[ "$(probe a:0 codec_name)" = aac ] || fail "the sound stream is $(probe a:0 codec_name), not aac"

step "the window plays the session back and ends by itself"
start_game --replay "$REPLAY"
for _ in $(seq 1 $((ticks / 10 + 300))); do kill -0 "$GAME_PID" 2>/dev/null || break; sleep 0.2; done
kill -0 "$GAME_PID" 2>/dev/null && fail "the playback still runs"
wait "$GAME_PID" || fail "the playback ended with status $?"
GAME_PID=""
grep -qx "skyrend: played $ticks of $ticks ticks" "$WORK/game.log" || fail "not every tick played: $(cat "$WORK/game.log")"
grep -q "differs" "$WORK/game.log" && fail "the window's playback differs: $(cat "$WORK/game.log")"

step "closing the window ends a playback"
start_game --replay "$REPLAY"
sleep 2
close_game
grep -Eqx "skyrend: played [0-9]+ of $ticks ticks" "$WORK/game.log" || fail "no playback report: $(cat "$WORK/game.log")"
grep -qx "skyrend: played $ticks of $ticks ticks" "$WORK/game.log" && fail "the close request did not end the playback"
step "a killed session leaves a replay up to its last whole tick"
start_game --record "$WORK/killed.skr"
pointer $AWAY
shot_matches killed menu - 112,84 "$WORK/m0.png" || fail "the menu does not show at start"
xdotool keydown Up
sleep 1
kill -9 "$GAME_PID"
wait "$GAME_PID" 2>/dev/null || true
GAME_PID=""
xdotool keyup Up
"$GAME_DIR/skyrend-sim" --dir "$GAME" --replay "$WORK/killed.skr" --verify > "$WORK/killed.out" 2> "$WORK/killed.err" ||
    fail "the killed session's replay does not verify: $(cat "$WORK/killed.out" "$WORK/killed.err")"
cat "$WORK/killed.out" "$WORK/killed.err"
grep -q "(the session did not end normally)" "$WORK/killed.err" || fail "no note where the killed session's replay ends"
grep -Eq "^[1-9][0-9]* ticks, [0-9]+ frames, all identical$" "$WORK/killed.out" || fail "no whole tick in the killed session's replay"
echo "replay checks passed"
