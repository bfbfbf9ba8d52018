#!/usr/bin/env bash
# fuzz.sh SECONDS — builds the fuzz targets (clang, libFuzzer, ASan + UBSan)
# in build-fuzz/ and runs every target for SECONDS over a copy of its corpus
# in fuzz/corpus/<target>/, two targets at a time. Prints each target's
# executions; exits non-zero when a target crashes (its input is kept in
# build-fuzz/crashes/ and the end of its log is printed).
#
# The checked-in corpus is not changed. To keep what a longer run learns:
#   build-fuzz/fuzz/fuzz_NAME -merge=1 fuzz/corpus/NAME NEW_INPUTS_DIR
set -uo pipefail
cd "$(dirname "$0")"

seconds=${1:-}
if ! [[ "$seconds" =~ ^[0-9]+$ ]] || [ "$seconds" -eq 0 ]; then
  echo "usage: ./fuzz.sh SECONDS   (how long each target runs)" >&2
  exit 2
fi

CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DSKYREND_FUZZ=ON -DSKYREND_TESTS=OFF -DSKYREND_BENCH=OFF >/dev/null || exit 1
targets=$(cd build-fuzz && ninja -t targets all | sed -n 's/^fuzz_\([a-z_0-9]*\): .*/\1/p' | sort -u)
[ -n "$targets" ] || { echo "no fuzz targets" >&2; exit 1; }
cmake --build build-fuzz -j "$(nproc)" --target $(printf 'fuzz_%s ' $targets) || exit 1

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p build-fuzz/crashes

# Runs one target; its log and exit status land in $work.
run() {
  local name=$1 corpus="$work/$1.corpus"
  mkdir -p "$corpus"
  [ -d "fuzz/corpus/$name" ] && cp fuzz/corpus/"$name"/* "$corpus"/ 2>/dev/null
  build-fuzz/fuzz/fuzz_"$name" -max_total_time="$seconds" -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix="build-fuzz/crashes/$name-" "$corpus" >"$work/$name.log" 2>&1
  echo $? >"$work/$name.status"
}

running=0
for name in $targets; do
  run "$name" &
  running=$((running + 1))
  if [ "$running" -ge 2 ]; then
    wait -n
    running=$((running - 1))
  fi
done
wait

status=0
for name in $targets; do
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$work/$name.log")
  if [ "$(cat "$work/$name.status")" != 0 ]; then
    status=1
    echo "fuzz_$name: FAILED"
    tail -n 60 "$work/$name.log"
  else
    echo "fuzz_$name: ${runs:-?} executions in ${seconds}s"
  fi
done
exit $status
