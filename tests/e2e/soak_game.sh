# tests/e2e/soak_game.sh — sourced by soak.sh: the real game under Xvfb for a
# long session of randomised input (flight keys and fire, Escape, mouse moves
# and clicks on the menu, profile changes on the options page, the focus
# going to another window and back), its resident memory sampled at the end
# of every period of its tick log.
#
# Expects GAME_DIR and SOURCE_DIR (for tests/e2e/session.sh) and the fleet.

source "$SOURCE_DIR/tests/e2e/session.sh"

# The game window's geometry: WX WY WW WH (it changes with the profile).
window_geometry() {
    GAME_WINDOW=$(xdotool search --onlyvisible --name '^SkyrendMain$' 2>/dev/null | tail -n 1 || true)
    [ -n "$GAME_WINDOW" ] || return 1
    eval "$(xdotool getwindowgeometry --shell "$GAME_WINDOW" | sed -n 's/^\(X\|Y\|WIDTH\|HEIGHT\)=/W&/p')"
}
PROFILE_CHANGES=0
FOCUS_SWITCHES=0

# The focus back on the game window (a profile change may make a new one,
# and the focus falls to the root): without it the game does not tick.
focus_game() {
    until_true 10 window_geometry || fail "the game window is gone"
    [ "$(xdotool getwindowfocus 2>/dev/null || true)" = "$GAME_WINDOW" ] && return 0
    xdotool windowfocus "$GAME_WINDOW" 2>/dev/null || true
    sleep 0.2
}

# menu_click DX DY: a click at (DX, DY) from the menu's origin. The menu is
# 800 x 600, centred in the profile's picture, which the window shows
# scaled to fit, centred between bars.
PROFILE=0
PROFILE_SIZES=(1024x768 1280x800 1440x900 1680x1050 1920x1200)
menu_click() {
    focus_game
    local size=${PROFILE_SIZES[$PROFILE]} xy
    xy=$(awk -v ww="$WWIDTH" -v wh="$WHEIGHT" -v w="${size%x*}" -v h="${size#*x}" -v dx="$1" -v dy="$2" 'BEGIN {
        s = ww / w < wh / h ? ww / w : wh / h
        printf "%d %d", (ww - s * w) / 2 + s * ((w - 800) / 2 + dx), (wh - s * h) / 2 + s * ((h - 600) / 2 + dy)
    }')
    pointer $((WX + ${xy% *})) $((WY + ${xy#* })) click
}

# Button K (1..6) on the left; row R (1..5) of the options page = profile R-1.
menu_button() { menu_click $((80 + RANDOM % 150)) $((100 * $1 - 52)); }
choose_profile() {
    menu_button 5
    sleep 0.3
    menu_click $((420 + RANDOM % 260)) $((140 + 60 * $1))
    PROFILE=$(($1 - 1))
    PROFILE_CHANGES=$((PROFILE_CHANGES + 1))
    sleep 0.5
    focus_game
}

# Another window takes the focus for a moment, then the game gets it back.
focus_away_and_back() {
    FOCUS_SWITCHES=$((FOCUS_SWITCHES + 1))
    xmessage -geometry +10+10 other &
    local other=$!
    until_true 10 window_titled xmessage || fail "xmessage did not show its window"
    xdotool windowfocus "$(window_titled xmessage)" 2>/dev/null || true
    sleep 0.$((3 + RANDOM % 7))
    focus_game
    kill "$other" 2>/dev/null || true
    wait "$other" 2>/dev/null || true
}

# Keys held for a random moment: flight and fire.
fly() {
    local keys=() k
    for k in Up Down Left Right space; do ((RANDOM % 2)) && keys+=("$k"); done
    [ ${#keys[@]} -gt 0 ] || keys=(Up space)
    xdotool keydown "${keys[@]}"
    sleep "$((RANDOM % 2)).$((RANDOM % 10))"
    xdotool keyup "${keys[@]}"
}

random_action() {
    local roll=$((RANDOM % 100))
    focus_game
    if [ $roll -lt 50 ]; then fly
    elif [ $roll -lt 60 ]; then xdotool key Escape
    elif [ $roll -lt 75 ]; then
        pointer $((WX + RANDOM % WWIDTH)) $((WY + RANDOM % WHEIGHT))
    elif [ $roll -lt 87 ]; then menu_button $((1 + RANDOM % 6))
    elif [ $roll -lt 95 ]; then choose_profile $((1 + RANDOM % 5))
    else focus_away_and_back
    fi
    sleep 0.$((RANDOM % 3))
}

# Every picture once: each profile, every menu page, a fight; then profile 0.
warm_up() {
    local p k
    for p in 1 2 3 4 5 1; do choose_profile "$p"; done
    for k in 2 3 4 6 5; do menu_button "$k"; sleep 0.3; done
    focus_away_and_back
    menu_button 1
    xdotool keydown Up space; sleep 2; xdotool keyup Up space
}

focus_game_now() {
    window_geometry || return 1
    xdotool windowfocus "$GAME_WINDOW" 2>/dev/null || true
    [ "$(xdotool getwindowfocus 2>/dev/null)" = "$GAME_WINDOW" ]
}

period_logged() {
    kill -0 "$GAME_PID" 2>/dev/null || return 1
    focus_game_now || true
    [ "$(wc -l < "$WORK/ticks.log" 2>/dev/null || echo 0)" -ge "$1" ]
}

# VmRSS, then its parts: anonymous (heap and mappings), files, shared
# memory (with the X server), in kB.
rss_kb() {
    awk '/^(VmRSS|RssAnon|RssFile|RssShmem):/ { kb[$1] = $2 }
         END { print kb["VmRSS:"], kb["RssAnon:"], kb["RssFile:"], kb["RssShmem:"] }' "/proc/$GAME_PID/status"
}

# soak_real_game SECONDS PERIOD: prints a table row per period, then the
# growth verdict; non-zero when memory grew or the game failed.
soak_real_game() {
    local total=$1 period=$2 periods=$(($1 / $2)) i=0 started line status=0
    start_xvfb 1920x1200
    copy_game "$fleet"
    GAME_ENV=(SKYREND_TICK_LOG="$WORK/ticks.log" SKYREND_TICK_LOG_SECONDS="$period")
    start_game
    started=$SECONDS
    until_true 10 focus_game_now || fail "the game window does not take the focus"
    RANDOM=20261209
    warm_up
    : > "$WORK/samples"
    echo "  period  end (s)    rss (MB)  anon / files / shared (MB)  slowest tick (ms)  longest interval (ms)  ticks"
    while [ $i -lt $periods ]; do
        i=$((i + 1))
        # Random input until shortly before the period ends, then the same
        # state for every sample: profile 0, after a moment's flight.
        while [ $((SECONDS - started)) -lt $((i * period - 4)) ]; do random_action; done
        choose_profile 1
        until_true $((period + 60)) period_logged $i || true
        kill -0 "$GAME_PID" 2>/dev/null || fail "the game ended"
        period_logged $i || fail "no tick log line for period $i"
        line=$(sed -n "${i}p" "$WORK/ticks.log")
        echo "$i $(rss_kb) $line" >> "$WORK/samples"
        tail -n 1 "$WORK/samples" | awk '{ printf "  %6d  %7d  %10.1f  %8.1f / %5.1f / %5.1f  %17.1f  %21.1f  %5d\n",
            $1, $1 * '"$period"', $2 / 1024, $3 / 1024, $4 / 1024, $5 / 1024, $11, $13, $9 }'
    done
    echo "game: profile changes $PROFILE_CHANGES, focus switches $FOCUS_SWITCHES"
    awk '{ print $1, $2 }' "$WORK/samples" | grew game || status=1
    awk '$11 > m { m = $11 } END { printf "game: slowest tick %.1f ms\n", m }' "$WORK/samples"
    return $status
}
