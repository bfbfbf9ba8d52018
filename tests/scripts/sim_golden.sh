#!/usr/bin/env bash
# Golden simulator runs: every scenario in tests/golden/ (NAME.args holds the
# simulator's arguments and the two cfg values, NAME.input the input script)
# is run and its trace compared line by line with NAME.golden, where there is
# one, which keeps one SHA-256 per trace line. NAME.frames pins the picture
# presented at a few steps of the run: one line `STEP SHA-256` a step, the
# hash of the decoded 8-bit RGB pixels ("none" when the step presented
# nothing). UPDATE_GOLDEN=1 rewrites the goldens and the hashes of the steps
# listed.
set -euo pipefail
: "${GAME_DIR:?}" "${SOURCE_DIR:?}"
golden="$SOURCE_DIR/tests/golden"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0

pixels_hash() {
  if [ -f "$1" ]; then convert "$1" -depth 8 rgb:- | sha256sum | cut -d' ' -f1; else echo none; fi
}

for args in "$golden"/*.args; do
  name=$(basename "$args" .args)
  rm -rf "$work/g"
  cp -r "$GAME_DIR" "$work/g"
  # First line: aufloesung.cfg and schiffe.cfg; second line: simulator arguments.
  read -r profile ships < <(sed -n 1p "$args")
  printf '%s\r\n' "$profile" > "$work/g/aufloesung.cfg"
  printf '%s\r\n' "$ships" > "$work/g/schiffe.cfg"
  extra=$(sed -n 2p "$args")
  input=()
  [ -f "$golden/$name.input" ] && input=(--input "$golden/$name.input")
  frames="$golden/$name.frames"
  steps=()
  [ -f "$frames" ] && mapfile -t steps < <(cut -d' ' -f1 "$frames")
  shots=()
  for step in "${steps[@]}"; do shots+=(--shot "$step:$work/$name-$step.png"); done
  # shellcheck disable=SC2086
  "$GAME_DIR/skyrend-sim" --dir "$work/g" "${input[@]}" --trace "$work/$name.jsonl" "${shots[@]}" $extra
  if [ ${#steps[@]} -gt 0 ]; then
    for step in "${steps[@]}"; do echo "$step $(pixels_hash "$work/$name-$step.png")"; done > "$work/$name.frames"
    if [ "${UPDATE_GOLDEN:-0}" = 1 ]; then
      cp "$work/$name.frames" "$frames"
      echo "$frames: written, ${#steps[@]} pictures"
    elif ! diff "$frames" "$work/$name.frames" > "$work/$name.diff"; then
      echo "$frames: the pictures differ (< pinned, > now):"
      cat "$work/$name.diff"
      failed=1
    else
      echo "$frames: ${#steps[@]} pictures match"
    fi
  fi
  python3 "$SOURCE_DIR/tests/tools/formats.py" trace "$work/$name.jsonl" > /dev/null
  [ -f "$golden/$name.golden" ] || continue
  python3 - "$work/$name.jsonl" "$golden/$name.golden" "${UPDATE_GOLDEN:-0}" <<'PY' || failed=1
import hashlib, json, sys
trace, goldfile, update = sys.argv[1], sys.argv[2], sys.argv[3] == "1"
lines = open(trace, "rb").read().splitlines()
digests = [hashlib.sha256(l).hexdigest() for l in lines]
if update:
    open(goldfile, "w").write("".join(f"{i} {d}\n" for i, d in enumerate(digests)))
    print(f"{goldfile}: written, {len(digests)} lines")
    sys.exit(0)
want = [l.split()[1] for l in open(goldfile)]
if len(want) != len(digests):
    print(f"{goldfile}: {len(digests)} lines, golden has {len(want)}")
    sys.exit(1)
for i, (got, exp) in enumerate(zip(digests, want)):
    if got != exp:
        step = json.loads(lines[i])
        print(f"{goldfile}: step {i} differs; its trace line starts: {lines[i][:400]!r}")
        sys.exit(1)
print(f"{goldfile}: {len(want)} steps match")
PY
done
exit $failed
