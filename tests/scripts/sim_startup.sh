#!/usr/bin/env bash
# The simulator's start-up and its failure paths: the measured rate, the
# status line, errors from missing or bad files and what they leave behind.
source "${SOURCE_DIR:?}/tests/tools/sim_work.sh"
check() { python3 - "$@"; }

fresh_game 60
sim --frames 40 --trace "$work/t.jsonl"
python3 "$SOURCE_DIR/tests/tools/formats.py" trace "$work/t.jsonl" >/dev/null
check "$work/t.jsonl" <<'PY'
import json, sys
lines = [json.loads(l) for l in open(sys.argv[1])]
assert len(lines) == 41, len(lines)
for l in lines[1:31]:
    assert l["TickRate"] == 0 and l["ticked"], (l["step"], l["TickRate"])
for l in lines[31:]:
    assert l["TickRate"] == 30, (l["step"], l["TickRate"])
assert [0, 0, "FPS: 0, Explosions0"] in lines[1]["text"], lines[1]["text"]
assert [0, 0, "FPS: 30, Explosions0"] in lines[31]["text"], lines[31]["text"]
assert all(l["errors"] == [] for l in lines), "unexpected errors"
assert lines[0]["clock"] == 0 and lines[40]["clock"] == 40 * 33
assert lines[0]["DisplayWidth"] == 1024 and lines[0]["ScreenWidth"] == 1024
assert lines[0]["MenuOverlayShown"] == 1 and lines[0]["EnemyCount"] == 60
PY

# schiffe.cfg missing: the new index is stored, the profile is not applied.
fresh_game 60
printf '2\n' > "$work/g/aufloesung.cfg"
rm "$work/g/schiffe.cfg"
sim --frames 2 --trace "$work/t.jsonl"
check "$work/t.jsonl" <<'PY'
import json, sys
lines = [json.loads(l) for l in open(sys.argv[1])]
assert lines[0]["errors"] == ["Datei nicht gefunden."], lines[0]["errors"]
assert lines[0]["ResolutionIndex"] == 2 and lines[0]["ScreenWidth"] == 0, lines[0]
# The set-up stopped inside the activation, before the timer's own attach:
# the display stays at its first mode and no frame runs.
assert lines[0]["DisplayWidth"] == 1024
assert not any(l["ticked"] for l in lines), "ticked"

PY

# A trailing space is not an integer.
fresh_game 60
printf '1 \n' > "$work/g/aufloesung.cfg"
sim --frames 1 --trace "$work/t.jsonl"
check "$work/t.jsonl" <<'PY'
import json, sys
lines = [json.loads(l) for l in open(sys.argv[1])]
assert lines[0]["errors"] == ["'1 ' ist kein gültiger Integerwert."], lines[0]["errors"]
PY

# A missing picture file stops the set-up at that file.
fresh_game 60
rm "$work/g/gfx/enemy1.dxg"
sim --frames 1 --trace "$work/t.jsonl"
check "$work/t.jsonl" <<'PY'
import json, sys
lines = [json.loads(l) for l in open(sys.argv[1])]
assert lines[0]["errors"] == ["Datei gfx\\enemy1.dxg kann nicht geöffnet werden."], lines[0]["errors"]
assert lines[0]["EnemyCount"] == 0 and lines[0]["ScreenWidth"] == 0
PY

# Started where the files are not: the first picture file fails.
mkdir -p "$work/empty"
"$GAME_DIR/skyrend-sim" --dir "$work/empty" --frames 1 --trace "$work/t.jsonl"
check "$work/t.jsonl" <<'PY'
import json, sys
lines = [json.loads(l) for l in open(sys.argv[1])]
assert lines[0]["errors"] == ["Datei gfx\\star1.dxg kann nicht geöffnet werden."], lines[0]["errors"]
PY

# Events reach the game at their step, whatever their order in the script.
fresh_game 60
printf '5 key Escape\n3 key Escape\n' > "$work/order.txt"
sim --frames 6 --input "$work/order.txt" --trace "$work/t.jsonl"
check "$work/t.jsonl" <<'PY'
import json, sys
shown = [json.loads(l)["MenuOverlayShown"] for l in open(sys.argv[1])]
assert shown == [1, 1, 1, 0, 0, 1, 1], shown
PY

# Bad arguments and an unreadable script exit with 2.
set +e
"$GAME_DIR/skyrend-sim" --frames x >/dev/null 2>&1; [ $? -eq 2 ] || { echo "bad --frames not refused"; exit 1; }
"$GAME_DIR/skyrend-sim" --modes 1024x768x32z >/dev/null 2>&1; [ $? -eq 2 ] || { echo "bad --modes not refused"; exit 1; }
"$GAME_DIR/skyrend-sim" --input "$work/none" >/dev/null 2>&1; [ $? -eq 2 ] || { echo "missing script not refused"; exit 1; }
printf '3 jump\n' > "$work/bad.txt"
"$GAME_DIR/skyrend-sim" --input "$work/bad.txt" >/dev/null 2>&1; [ $? -eq 2 ] || { echo "bad script not refused"; exit 1; }
echo "sim start-up checks passed"
