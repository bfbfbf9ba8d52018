#!/usr/bin/env bash
# tests/scripts/platform_ticks.sh — the frame timer's ticks in a real window.
#
# Runs the timer probe of test_platform under Xvfb for about four seconds:
# the message loop rests between ticks instead of polling, yet the ticks keep
# their times. Checks, with room for a loaded machine (a busy neighbour
# delays a waking process by milliseconds now and then): the median interval
# is the timer's 33 ms, so most ticks come within the clock's millisecond of
# their due time; nine in ten come at most 10 ms late (a loop that waits for
# messages only would be seconds late); the probe used well under half a core
# (a polling loop uses all of one). KEEP_E2E=1 keeps the probe's log.
source "$SOURCE_DIR/tests/e2e/session.sh"
LOG=$PROBE_LOG

start_xvfb 1024x768
start_probe SdlTimer.Probe SKYREND_TIMER_PROBE
ticks() { cat "$LOG" 2>/dev/null | awk '/^tick/ { n++ } END { print n + 0 }'; }
for _ in $(seq 1 300); do [ "$(ticks)" -ge 120 ] && break; sleep 0.1; done
window=$(xdotool search --name '^SkyrendTimer$' | head -n 1)
[ -n "$window" ] || fail "no window titled SkyrendTimer"
python3 "$SOURCE_DIR/tests/e2e/e2e.py" close "$window" >/dev/null
wait "$PROBE_PID" || fail "the probe failed"
PROBE_PID=""

# The first ticks wait for the window to settle; the rest are measured.
read -r count median p90 < <(awk '/^tick/ { n++; if (n > 10) print $2 }' "$LOG" | sort -n |
    awk '{ v[NR] = $1 } END { print NR, v[int((NR + 1) / 2)], v[int(NR * 0.9 + 0.5)] }')
cpu=$(awk '/^cpu/ { print int($2) }' "$LOG")
echo "ticks: $count measured; intervals: median $median ms, 90th percentile $p90 ms; cpu $cpu %"
[ "$count" -ge 60 ] || fail "only $count ticks in the measured stretch"
[ "$median" = 33 ] || fail "the median interval is $median ms, not 33"
[ "$p90" -le 43 ] || fail "the 90th percentile interval is $p90 ms: more than 10 ms late"
[ "$cpu" -lt 50 ] || fail "the probe used $cpu % of a core while ticking"
echo "ok"
