#!/usr/bin/env bash
# test.sh — installs what is missing, builds, and runs every test: the unit
# and integration tests, golden simulator traces and the real-window tests
# (main build), the same tests under AddressSanitizer and UBSan, a short
# run of every fuzz target and a one-minute long-session run of the
# simulator and the real game (./soak.sh 1, which fails when memory grows).
# Ends with CTest's summary of the main build.
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

step "Fuzz targets (short runs over fuzz/corpus/)"
./fuzz.sh "${FUZZ_SECONDS:-20}" || status=1

# Alone, between the test runs: it runs the real game for a minute and must
# not load the timing-sensitive real-window tests. The Release tests come
# last, so the run ends with CTest's summary.
step "Long sessions, one minute each (./soak.sh 1)"
./soak.sh 1 || status=1

step "Tests (Release)"
ctest --test-dir build -j "$jobs" --output-on-failure
ctest_status=$?
[ $ctest_status -ne 0 ] && status=$ctest_status

exit $status
