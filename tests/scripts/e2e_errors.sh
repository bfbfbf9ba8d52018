#!/usr/bin/env bash
# tests/scripts/e2e_errors.sh — a missing picture file in the real game.
#
# Without gfx/enemy1.dxg the start-up shows an error box titled "Skyrend",
# owned by the game's window, whose picture is SDL's own box for the whole
# text "Datei gfx\enemy1.dxg kann nicht geöffnet werden." (and not for
# another file name), whatever the locale: none at all, a Latin-1 one where
# one can be made, and C.UTF-8. Return dismisses it and the game keeps
# running: with the file back, switching to another application and back
# starts a game with the menu; the close request ends it with status 0.
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

# reference TEXT NAME: SDL's own error box with that text (drawn in a UTF-8
# locale), captured and closed.
reference() {
    LC_ALL=C.UTF-8 $E2E msgbox Skyrend "$1" &
    local pid=$!
    EXTRA_PIDS+=($pid)
    until_true 15 new_box "$BOX" || fail "the reference box did not show"
    local id; id=$(boxes_except "$BOX" | head -n 1)
    sleep 0.3
    import -window "$id" -depth 8 "ppm:$WORK/$2.ppm"
    dismiss "$id"
    wait "$pid" || fail "the reference box ended badly"
}

# A Latin-1 locale of our own, where the machine has the sources to make it;
# C.UTF-8 stays reachable beside it.
latin1_locale() {
    command -v localedef >/dev/null && [ -d /usr/share/i18n/locales ] || return 1
    mkdir -p "$WORK/locale"
    localedef -i de_DE -f ISO-8859-1 "$WORK/locale/de_DE.ISO-8859-1" 2>/dev/null || return 1
    for utf8 in /usr/lib/locale/C.utf8 /usr/lib/locale/C.UTF-8; do
        [ -d "$utf8" ] && ln -s "$utf8" "$WORK/locale/$(basename "$utf8")"
    done
    return 0
}

# box_at_start NAME: starts the game with GAME_ENV and checks that the box it
# shows is titled, owned and drawn as SDL's own box for $TEXT.
box_at_start() {
    step "the error box at start, $1"
    start_game
    until_true 20 new_box || fail "no error box titled Skyrend ($1)"
    BOX=$(boxes_except | head -n 1)
    owner=$(xprop -id "$BOX" WM_TRANSIENT_FOR | awk '{print $NF}')
    [ $((owner)) = $((GAME_WINDOW)) ] || fail "the box belongs to window $owner, not to the game's $GAME_WINDOW"
    xprop -id "$BOX" _NET_WM_NAME | grep -q '= "Skyrend"$' || fail "the box is not titled Skyrend"
    sleep 0.3
    import -window "$BOX" -depth 8 "ppm:$WORK/box.ppm"
    $E2E same "$WORK/box.ppm" "$WORK/expected.ppm" || fail "the box does not show \"$TEXT\" whole ($1)"
}

step "SDL's own boxes for the texts"
BOX=0
reference "$TEXT" expected
reference "$OTHER" other
$E2E same "$WORK/expected.ppm" "$WORK/other.ppm" && fail "the box picture does not tell the file names apart"

GAME_ENV=(-u LANG -u LC_ALL -u LC_CTYPE -u LANGUAGE)
box_at_start "no locale"
dismiss "$BOX"
stop_game
if latin1_locale; then
    GAME_ENV=(-u LC_ALL -u LC_CTYPE LOCPATH="$WORK/locale" LANG=de_DE.ISO-8859-1)
    box_at_start "Latin-1"
    dismiss "$BOX"
    stop_game
else
    echo "(no Latin-1 locale can be made here: that case is left out)"
fi
GAME_ENV=(-u LC_ALL -u LC_CTYPE LANG=C.UTF-8)
box_at_start "C.UTF-8"

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
