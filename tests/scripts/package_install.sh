#!/usr/bin/env bash
# tests/scripts/package_install.sh — the Debian package as a player gets it.
#
# scripts/package.sh builds the package from this build; lintian finds no
# error in it; unpacked into a folder of its own, its desktop entry, metainfo,
# icons and manual pages validate. The unpacked launcher, started from an
# unrelated folder with a fresh HOME under Xvfb, makes the player's folder with
# the two configuration files and links to the data, and the game shows its
# menu there (with no sound device, said once). A configuration file the
# player changed is never replaced, and XDG_DATA_HOME moves the folder.
source "$SOURCE_DIR/tests/e2e/session.sh"
: "${BUILD_DIR:?}"

step "the package"
deb=$("$SOURCE_DIR/scripts/package.sh" "$BUILD_DIR" | tail -n 1)
[ -f "$deb" ] || fail "scripts/package.sh did not end with the package's path"
case "$(basename "$deb")" in skyrend_*_amd64.deb) ;; *) fail "unexpected package name $deb" ;; esac
dpkg-deb -f "$deb" Depends | grep -q 'libsdl2-2.0-0' || fail "the dependencies were not worked out from the binaries"
lintian --fail-on error "$deb" 2>/dev/null || fail "lintian reports errors"

root="$WORK/root"
dpkg-deb -x "$deb" "$root"
usr="$root/usr"
for tool in dxgtool skyrend-sim make-assets skyrend; do
    [ -x "$usr/bin/$tool" ] || fail "no $tool in bin"
done
desktop-file-validate "$usr/share/applications/org.skyrend.Skyrend.desktop" || fail "the desktop entry is invalid"
appstreamcli validate --no-net "$usr/share/metainfo/org.skyrend.Skyrend.metainfo.xml" >/dev/null ||
    fail "the metainfo is invalid"
for n in 16 32 48 64 128 256; do
    icon="$usr/share/icons/hicolor/${n}x$n/apps/skyrend.png"
    [ "$(identify -format '%wx%h' "$icon" 2>/dev/null)" = "${n}x$n" ] || fail "no ${n}x$n icon"
done
for page in man6/skyrend.6 man1/dxgtool.1 man1/skyrend-sim.1 man1/make-assets.1; do
    warnings=$(zcat "$usr/share/man/$page.gz" | LC_ALL=C.UTF-8 groff -man -Tutf8 -ww -z 2>&1)
    [ -z "$warnings" ] || fail "manual page $page: $warnings"
done
[ -f "$usr/share/doc/skyrend/copyright" ] && [ -f "$usr/share/doc/skyrend/README.md" ] ||
    fail "no README or copyright in share/doc/skyrend"

step "the launcher's first start, from another folder"
start_xvfb 1024x768
export_items "$GAME_DIR/gfx/startmenue.dxg" m 0
export HOME="$WORK/home"
player="$HOME/.local/share/skyrend"
mkdir -p "$HOME" "$WORK/elsewhere"
GAME="$WORK/elsewhere"
GAME_PROGRAM="$usr/bin/skyrend"
GAME_ENV=(-u XDG_DATA_HOME ALSOFT_DRIVERS=none)
"$GAME_PROGRAM" --help | grep -qF "$player" || fail "--help does not say where the player's files are"
start_game
pointer 5 740
shot_matches menu menu - 112,84 "$WORK/m0.png" || fail "the installed game does not show its menu"
[ "$(cat "$player/aufloesung.cfg")" = $'0\r' ] && [ "$(cat "$player/schiffe.cfg")" = $'60\r' ] ||
    fail "the configuration files were not copied to $player"
[ "$(readlink -f "$player/gfx")" = "$(readlink -f "$usr/share/games/skyrend/gfx")" ] ||
    fail "gfx does not link to the installed pictures"
[ "$(grep -c . "$WORK/game.log")" = 1 ] && grep -q "plays silently" "$WORK/game.log" ||
    fail "without a sound device the game should say so in one line: $(cat "$WORK/game.log")"
close_game

step "the player's changes stay; XDG_DATA_HOME moves the folder"
printf '5\r\n' > "$player/schiffe.cfg"
# Without a display the game itself ends at once; the launcher's work is done before.
env -u DISPLAY -u WAYLAND_DISPLAY -u XDG_DATA_HOME "$GAME_PROGRAM" 2>"$WORK/nodisplay.txt" &&
    fail "the game started without a display"
grep -q "no display can be opened" "$WORK/nodisplay.txt" || fail "no clear line without a display: $(cat "$WORK/nodisplay.txt")"
[ "$(wc -l < "$WORK/nodisplay.txt")" = 1 ] || fail "more than one line without a display: $(cat "$WORK/nodisplay.txt")"
[ "$(cat "$player/schiffe.cfg")" = $'5\r' ] || fail "the player's schiffe.cfg was replaced"
env -u DISPLAY XDG_DATA_HOME="$WORK/xdg" "$GAME_PROGRAM" 2>/dev/null || true
[ -f "$WORK/xdg/skyrend/aufloesung.cfg" ] || fail "XDG_DATA_HOME is not followed"
echo "package checks passed"
