#!/usr/bin/env bash
# tests/scripts/sim_replay.sh — replays without a window: a scripted run
# recorded by the simulator plays back to the same trace (every tick's state,
# cues, text and errors); a copy cut inside a tick plays its whole ticks and
# says where it ended; other game files are named; a spoiled byte and bad
# arguments are refused with status 2.
source "${SOURCE_DIR:?}/tests/tools/sim_work.sh"
fresh_game 30
fail() { echo "FAIL: $*"; exit 1; }

cat > "$work/input.txt" <<'IN'
2 click 262 131
5 hold Up Space
60 hold Left Up
90 hold Right Space
120 hold
125 key Escape
130 click 262 531
135 click 662 404
140 key Escape
150 deactivate
160 activate
170 hold Up Space
IN
sim --frames 240 --input "$work/input.txt" --trace "$work/run.jsonl" --record "$work/run.skr"
out=$(sim --replay "$work/run.skr" --verify --trace "$work/replay.jsonl")
echo "$out"
python3 - "$work/run.jsonl" "$work/replay.jsonl" "$out" <<'PY'
import json, sys
run = [json.loads(l) for l in open(sys.argv[1])]
replay = [json.loads(l) for l in open(sys.argv[2])]
ticks = [l for l in run if l["ticked"]]
assert sys.argv[3] == "%d ticks, %d frames, all identical" % (len(ticks), len(ticks)), sys.argv[3]
assert [l["step"] for l in replay] == list(range(len(ticks) + 1))
assert replay[0]["ticked"] is False and all(l["ticked"] for l in replay[1:])
for a, b in zip(ticks, replay[1:]):
    a.pop("step"), b.pop("step")
    assert a == b, (a, b)
assert any(l["cues"] for l in ticks) and any(l["ResolutionIndex"] == 2 for l in ticks)
PY

size=$(stat -c %s "$work/run.skr")
head -c $((size * 2 / 3)) "$work/run.skr" > "$work/cut.skr"
sim --replay "$work/cut.skr" --verify > "$work/cut.out" 2> "$work/cut.err" || fail "a cut replay does not verify"
grep -Eq "^skyrend-sim: .*cut.skr: the recording ends inside tick ([0-9]+) at byte $((size * 2 / 3)) \(the session did not end normally\); played up to tick [0-9]+$" "$work/cut.err" ||
    fail "no note where the cut replay ended: $(cat "$work/cut.err")"
grep -Eq "^[0-9]+ ticks, [0-9]+ frames, all identical$" "$work/cut.out" || fail "$(cat "$work/cut.out")"

printf '1\r\n' > "$work/g/aufloesung.cfg"
status=0
sim --replay "$work/run.skr" --verify > /dev/null 2> "$work/files.err" || status=$?
[ "$status" = 1 ] || fail "other game files verify (status $status)"
grep -q "recorded with another aufloesung.cfg than the one here" "$work/files.err" || fail "$(cat "$work/files.err")"
grep -q "(the game files differ from the recording's)" "$work/files.err" || fail "$(cat "$work/files.err")"

printf 'SKYRPLAY\003\000' > "$work/newer.skr"
status=0
sim --replay "$work/newer.skr" 2> "$work/newer.err" || status=$?
[ "$status" = 2 ] && grep -qx "skyrend-sim: .*newer.skr: replay format version 3 is newer than this program's (1) at byte 8" "$work/newer.err" ||
    fail "a newer replay: status $status, $(cat "$work/newer.err")"
status=0
sim --replay "$work/run.skr" --frames 3 2>/dev/null || status=$?
[ "$status" = 2 ] || fail "--replay with --frames: status $status"
echo "sim replay checks passed"
