#!/usr/bin/env bash
# tests/scripts/platform_sound.sh — the SDL back-end's sound through OpenAL Soft.
#
# With OpenAL Soft's wave writer as the output, the sound probe's tone must
# show up on the right channel only, for about half a second (two voices in
# turn); with no drivers at all, no sound device is made.
set -euo pipefail

PROBE="$BUILD_DIR/tests/test_platform"
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
fail() { echo "FAIL: $*"; cat "$WORK/probe.out" 2>/dev/null || true; exit 1; }

cat >"$WORK/alsoft.conf" <<CONF
[general]
drivers=wave
frequency=44100
channels=stereo
[wave]
file=$WORK/out.wav
CONF
ALSOFT_CONF="$WORK/alsoft.conf" SKYREND_SOUND_PROBE=tone "$PROBE" --gtest_filter=SdlSound.Probe >"$WORK/probe.out" 2>&1 ||
    fail "the tone probe failed"
[ -s "$WORK/out.wav" ] || fail "OpenAL Soft wrote no wave file"

# Peak level and length of each channel.
stat_of() { sox "$WORK/out.wav" -n remix "$1" stat 2>&1; }
right_max=$(stat_of 2 | awk '/^Maximum amplitude/ {print $3}')
left_max=$(stat_of 1 | awk '/^Maximum amplitude/ {print $3}')
awk -v r="$right_max" 'BEGIN { exit !(r > 0.4) }' || fail "the right channel peaks at $right_max"
awk -v l="$left_max" 'BEGIN { exit !(l < 0.01) }' || fail "the left channel is not silent ($left_max)"
# The tone's length: samples above a tenth of full scale, over 1 kHz's worth.
loud_seconds=$(sox "$WORK/out.wav" -t dat - remix 2 | awk '!/^;/ { if ($2 > 0.1 || $2 < -0.1) n++ } END { print n / 44100 }')
awk -v s="$loud_seconds" 'BEGIN { exit !(s > 0.25 && s < 0.5) }' || fail "the tone lasts $loud_seconds s of loud samples"

ALSOFT_DRIVERS=none SKYREND_SOUND_PROBE=none "$PROBE" --gtest_filter=SdlSound.Probe >"$WORK/probe.out" 2>&1 ||
    fail "with no drivers a sound device was still made"
echo "platform sound checks passed (right peak $right_max, left peak $left_max, $loud_seconds s loud)"
