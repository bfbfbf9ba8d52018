#!/usr/bin/env bash
# bench.sh — builds and runs the benchmarks (Release); extra arguments go to
# Google Benchmark, e.g. ./bench.sh --benchmark_filter=FrameStep
set -euo pipefail
cd "$(dirname "$0")"
scripts/deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build --target skyrend-bench game_assets
cd build/game
exec ../bench/skyrend-bench "$@"
