#!/usr/bin/env bash
# The simulator's mixed sound: held fire plays the shot every 10 frames, and
# each shot in the mix starts where its cue was played, at the shot's level.
source "${SOURCE_DIR:?}/tests/tools/sim_work.sh"
fresh_game 0
printf '1 key Escape\n1 hold Space\n' > "$work/fire.txt"
sim --frames 100 --input "$work/fire.txt" --trace "$work/t.jsonl" --audio "$work/mix.wav"
"$GAME_DIR/dxgtool" export "$work/g/sfx/weapons.dxw" 0 "$work/shot.wav"
python3 - "$work/t.jsonl" "$work/mix.wav" "$work/shot.wav" <<'PY'
import json, struct, sys, wave

trace = [json.loads(l) for l in open(sys.argv[1])]
cue_steps = [t["step"] for t in trace for c in t["cues"] if c[1] == 0]
assert cue_steps == list(range(1, 101, 10)), cue_steps
assert [c[0] for t in trace for c in t["cues"]] == [0, 1, 2, 3, 4, 5, 6, 7, 0, 1]

mix = wave.open(sys.argv[2])
assert (mix.getnchannels(), mix.getsampwidth(), mix.getframerate()) == (2, 2, 44100)
frames = mix.getnframes()
assert frames == 100 * 33 * 44100 // 1000, frames  # the total follows the clock
left = struct.unpack(f"<{frames * 2}h", mix.readframes(frames))[0::2]

shot = wave.open(sys.argv[3])
rate = shot.getframerate()
shot_samples = struct.unpack(f"<{shot.getnframes()}h", shot.readframes(shot.getnframes()))
shot_peak = max(abs(s) for s in shot_samples)

def rms(a, b):
    seg = left[a:b]
    return (sum(s * s for s in seg) / max(len(seg), 1)) ** 0.5

# Every 10 ms window: loud while a shot sounds, silent between shots.
win = 441
levels = [rms(i, i + win) for i in range(0, frames - win, win)]
onsets = [i * 10 for i in range(1, len(levels)) if levels[i] > 300 and levels[i - 1] < 30]
print("onsets (ms):", onsets)
expected = [33 * s for s in cue_steps]
assert len(onsets) == len(expected), (onsets, expected)
for got, want in zip(onsets, expected):
    assert want - 10 <= got <= want + 40, (got, want)
# The shot's own length: ~0.26 s of sound, then silence before the next.
length_ms = 1000 * len(shot_samples) / rate
assert 150 < length_ms < 330, length_ms
mix_peak = max(abs(s) for s in left)
assert 0.3 * shot_peak < mix_peak < 1.2 * shot_peak, (mix_peak, shot_peak)
print("audio checks passed")
PY
