#!/usr/bin/env python3
"""The line formats other programs read from our tools, checked for shape.

  formats.py trace TRACE.jsonl   every line of a skyrend-sim trace: its keys in
                                 their order, their types and the rows' shapes
  formats.py info < INFO.txt     every line of `dxgtool info`

Values are not judged, only the shape a reader of the format relies on.
Prints "N passed, N failed" and exits 1 when any line is off.
"""
import json
import re
import sys

I, R, B = "int", "real", "bool"
# The trace's keys in the order the simulator writes them.
TRACE_SCALARS = [
    ("step", I), ("ticked", B), ("clock", I), ("TickRate", I),
    ("CameraX", R), ("CameraY", R), ("FarCameraX", R), ("FarCameraY", R),
    ("ShipHeading", R), ("ShipTurnSpeed", R), ("ShipSpeed", R),
    ("Energy", I), ("EnergyShown", I), ("PlayerFireCooldown", I), ("ExhaustCooldown", I),
    ("NearStarTick", I), ("FarStarTick", I), ("RadarTick", I), ("RadarSweepFrame", I),
    ("ExhaustTick", I), ("EnemyShotTick", I), ("PlayerShotTick", I),
    ("MenuOverlayShown", I), ("MenuPage", I), ("OptionsChoice", I), ("ResolutionIndex", I),
    ("EnemyCount", I), ("ScreenWidth", I), ("ScreenHeight", I),
    ("DisplayWidth", I), ("DisplayHeight", I), ("CueDeviceIndex", I),
]
TRACE_ROWS = [
    ("cues", [I, I]),
    ("text", [I, I, "str"]),
    ("errors", None),  # a list of strings
    ("exhaust", [R, R, I, I]),
    ("playerShots", [R, R, I, I]),
    ("enemyShots", [R, R, I, I, I]),
    ("enemies", [R, R, R, R, R, I, I]),
    ("explosions", [R, R, I, I]),
    ("bonus", [I, I, I]),
]
TRACE_KEYS = [k for k, _ in TRACE_SCALARS] + [k for k, _ in TRACE_ROWS]


def of_type(value, kind):
    if kind == B:
        return isinstance(value, bool)
    if kind == "str":
        return isinstance(value, str)
    if isinstance(value, bool):
        return False
    return isinstance(value, int) if kind == I else isinstance(value, (int, float))


def trace_line_problems(step, line):
    if list(line) != TRACE_KEYS:
        return [f"keys {list(line)} are not {TRACE_KEYS}"]
    problems = [f"{k} is not {t}: {line[k]!r}" for k, t in TRACE_SCALARS if not of_type(line[k], t)]
    for key, shape in TRACE_ROWS:
        rows = line[key]
        if not isinstance(rows, list):
            problems.append(f"{key} is not a list")
            continue
        for row in rows:
            ok = of_type(row, "str") if shape is None else (
                isinstance(row, list) and len(row) == len(shape) and all(map(of_type, row, shape)))
            if not ok:
                problems.append(f"{key} has the row {row!r}")
                break
    if line["step"] != step:
        problems.append(f"step {line['step']!r} on line {step + 1}")
    if isinstance(line["bonus"], list) and len(line["bonus"]) != 100:
        problems.append(f"bonus lists {len(line['bonus'])} entries, not 100")
    return problems


def check_trace(path):
    results = []
    with open(path, encoding="utf-8") as f:
        for n, text in enumerate(f):
            try:
                results.append(trace_line_problems(n, json.loads(text)))
            except ValueError as e:
                results.append([f"not JSON: {e}"])
    return results


INFO_HEAD = re.compile(r'(TPictureCollectionComponent|TWaveCollectionComponent) items=\d+')
NUM = r"-?\d+"
INFO_ITEM = {
    "TPictureCollectionComponent": re.compile(
        rf'\d+ name=".*" class=\S+ width={NUM} height={NUM} patternWidth={NUM} patternHeight={NUM} '
        rf'skipWidth={NUM} skipHeight={NUM} patterns=\d+ transparent=[01] '
        r'transparentColor=0x[0-9A-F]{8} systemMemory=[01]'),
    "TWaveCollectionComponent": re.compile(
        r'\d+ name=".*" looped=[01] maxPlayingCount=\d+ formatTag=\d+ channels=\d+ '
        r'samplesPerSec=\d+ bitsPerSample=\d+ dataBytes=\d+'),
}


def check_info(lines):
    results, item, expected = [], None, 0
    for line in lines:
        head = INFO_HEAD.fullmatch(line)
        if head:
            if expected:
                results.append([f"{expected} items missing before {line!r}"])
            item, expected = INFO_ITEM[head.group(1)], int(line.split("=")[1])
            results.append([])
            continue
        ok = item is not None and expected > 0 and item.fullmatch(line)
        expected -= 1
        results.append([] if ok else [f"not an item line here: {line!r}"])
    if expected > 0:
        results.append([f"{expected} items missing at the end"])
    return results or [["no output"]]


def main():
    if sys.argv[1:2] == ["trace"] and len(sys.argv) == 3:
        results = check_trace(sys.argv[2])
    elif sys.argv[1:] == ["info"]:
        results = check_info([l.rstrip("\n") for l in sys.stdin if l.strip()])
    else:
        sys.exit(__doc__)
    bad = [(n, p) for n, p in enumerate(results, 1) if p]
    for n, problems in bad[:5]:
        print(f"line {n}: " + "; ".join(problems[:5]))
    print(f"{len(results) - len(bad)} passed, {len(bad)} failed")
    sys.exit(1 if bad else 0)


if __name__ == "__main__":
    main()
