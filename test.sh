#!/usr/bin/env bash
# test.sh — installs what is missing, builds, and runs every test: the unit
# and integration tests, golden simulator traces and the real-window tests
# (main build), the same tests under AddressSanitizer and UBSan, and a short
# run of every fuzz target. Ends with CTest's summary of the main build.
set -uo pipefail
cd "$(dirname "$0")"
root=$(pwd)
jobs=$(nproc)

scripts/deps.sh || exit 1

status=0
step() { echo; echo "== $*"; }

step "Build (Release)"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null || exit 1
cmake --build build -j "$jobs" || exit 1

step "Sanitizer build (ASan + UBSan)"
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSKYREND_SANITIZE=ON \
  -DSKYREND_BENCH=OFF >/dev/null || exit 1
cmake --build build-asan -j "$jobs" || exit 1
step "Tests under the sanitizers"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  LSAN_OPTIONS=suppressions="$root/tests/lsan.supp" ctest --test-dir build-asan -j "$jobs" -E '^script_' --output-on-failure || status=1

step "Fuzz targets (short runs)"
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DSKYREND_FUZZ=ON -DSKYREND_TESTS=OFF -DSKYREND_BENCH=OFF >/dev/null || exit 1
fuzzers=$(cd build-fuzz && ninja -t targets all | sed -n 's/^\(fuzz_[a-z_0-9]*\): .*/\1/p' | sort -u)
if [ -n "$fuzzers" ]; then
  cmake --build build-fuzz -j "$jobs" --target $fuzzers || exit 1
  for f in $fuzzers; do
    corpus=$(mktemp -d)
    cp build/game/gfx/*.dxg build/game/sfx/*.dxw "$corpus"/ 2>/dev/null || true
    [ -d "fuzz/seeds/${f#fuzz_}" ] && cp fuzz/seeds/"${f#fuzz_}"/* "$corpus"/ 2>/dev/null
    echo "-- $f"
    log=$(mktemp)
    if ! build-fuzz/fuzz/"$f" -max_total_time="${FUZZ_SECONDS:-20}" -rss_limit_mb=2048 \
         -max_len=1048576 -print_final_stats=1 "$corpus" >"$log" 2>&1; then
      status=1
      tail -n 60 "$log"
    else
      grep -E '^(stat::number_of_executed_units|#[0-9]+.*DONE)' "$log" || tail -n 3 "$log"
    fi
    rm -f "$log"
    rm -rf "$corpus"
  done
fi

step "Tests (Release)"
ctest --test-dir build -j "$jobs" --output-on-failure
ctest_status=$?
[ $ctest_status -ne 0 ] && status=$ctest_status
exit $status
