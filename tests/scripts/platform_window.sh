#!/usr/bin/env bash
# tests/scripts/platform_window.sh — the SDL back-end in a real X window.
#
# Starts Xvfb, runs the window probe of test_platform, and checks what the
# screen shows (the 1024 x 768 picture scaled to fit 1280 x 1024 with black
# bars, then in a window after Alt+Enter) and what the probe receives from
# xdotool's keys and clicks: virtual-key codes, display-pixel positions, the
# cursor, the keyboard state's punctuation quirk and the close request.
source "$SOURCE_DIR/tests/e2e/session.sh"
LOG=$PROBE_LOG

# A black desktop, so that the bars and the desktop beside the window read 0,0,0.
start_xvfb 1280x1024 -br
start_probe SdlWindow.Probe SKYREND_WINDOW_PROBE
for _ in $(seq 1 200); do grep -q '^ready' "$LOG" 2>/dev/null && break; sleep 0.1; done
grep -q '^ready' "$LOG" || fail "the probe did not show its window"
sleep 0.5

# "R,G,B" of a screen pixel.
pixel() { convert "$WORK/shot.png" -format "%[fx:int(255*p{$1,$2}.r)],%[fx:int(255*p{$1,$2}.g)],%[fx:int(255*p{$1,$2}.b)]" info:; }
expect_pixel() {
    local got; got=$(pixel "$1" "$2")
    [ "$got" = "$3" ] || fail "screen pixel ($1,$2) is $got, expected $3 ($4)"
}
shoot() { import -window root "$WORK/shot.png"; }

# Full screen: scaled by 1.25 to 1280 x 960, bars of 32 rows above and below.
shoot
expect_pixel 320 500 "255,0,0" "left half red"
expect_pixel 960 500 "0,0,255" "right half blue"
expect_pixel 1275 40 "0,0,255" "picture reaches the right edge"
expect_pixel 640 10 "0,0,0" "black bar above"
expect_pixel 640 1015 "0,0,0" "black bar below"

# Keys and clicks. Display pixels: ((sx), (sy - 32)) / 1.25.
xdotool mousemove 640 512 click 1
xdotool mousemove 100 132 key c
xdotool key a Escape F2 KP_8
xdotool keydown apostrophe
sleep 0.3
xdotool keyup apostrophe
xdotool keydown b
sleep 1.5
xdotool keyup b
xdotool mousemove 1000 800 click 3
sleep 0.5

# Alt+Enter: a window of the picture's own size, centred; nothing reaches the game.
xdotool key alt+Return
sleep 1
shoot
expect_pixel 200 500 "255,0,0" "windowed: left half red"
expect_pixel 1100 500 "0,0,255" "windowed: right half blue"
expect_pixel 1200 500 "0,0,0" "windowed: desktop beside the window"
xdotool key alt+Return
sleep 1
shoot
expect_pixel 1275 40 "0,0,255" "full screen again"

# The focus goes to the desktop and comes back: deactivated, activated.
root=$(xwininfo -root | awk '/Window id:/ {print $4}')
window=$(xdotool search --name '^SkyrendMain$' | head -n 1)
[ -n "$window" ] || fail "no window named SkyrendMain"
xdotool windowfocus "$root"
sleep 0.5
xdotool windowfocus "$window"
sleep 0.5

# The close request.
kill -TERM "$PROBE_PID"
for _ in $(seq 1 100); do kill -0 "$PROBE_PID" 2>/dev/null || break; sleep 0.1; done
wait "$PROBE_PID" || fail "the probe failed"
PROBE_PID=""

grep -q '^activate foreground 1' "$LOG" || fail "no activation with the focus"
[ "$(grep -E '^(activate|deactivate)' "$LOG" | cut -d' ' -f1 | tr '\n' ' ')" = "activate deactivate activate " ] ||
    fail "activation changes do not alternate as activate, deactivate, activate"
grep -q '^deactivate foreground 0' "$LOG" || fail "still in the foreground when deactivated"
grep -q '^mouse 512 384 0 ' "$LOG" || fail "left click not at display pixel (512, 384)"
grep -q '^mouse 800 614 1 ' "$LOG" || fail "right click not at display pixel (800, 614)"
grep -q '^key 67 cursor 80 80 ' "$LOG" || fail "cursor not at display pixel (80, 80)"
grep -q '^key 65 ' "$LOG" || fail "A is not 65"
grep -q '^key 27 ' "$LOG" || fail "Escape is not 27"
grep -q '^key 113 ' "$LOG" || fail "F2 is not 113"
grep -q '^key 104 ' "$LOG" || fail "keypad 8 is not 104"
grep -q '^key 222 state39 0 state222 128 ' "$LOG" || fail "apostrophe: message 222, state entry 222"
grep -q '^key 18 ' "$LOG" || fail "Alt is not 18"
[ "$(grep -c '^key 66 ' "$LOG")" -ge 2 ] || fail "a held key does not repeat its key-down"
grep -q '^key 13 ' "$LOG" && fail "Alt+Enter reached the game"
[ "$(tail -n 1 "$LOG" | cut -d' ' -f1)" = "close" ] || fail "the last message is not close"
[ "$(grep -c '^close' "$LOG")" = 1 ] || fail "close delivered more than once"
echo "platform window checks passed"
