#!/usr/bin/env bash
# run.sh — installs what is missing, builds the game and starts it from its
# game folder (build/game). Run again, it only starts the game.
set -euo pipefail
cd "$(dirname "$0")"

if [ ! -x build/game/skyrend ] || [ ! -f build/game/sfx/weapons.dxw ]; then
  scripts/deps.sh --run-only
  cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release
  cmake --build build --target skyrend game_assets skyrend-sim dxgtool
fi
cd build/game
exec ./skyrend "$@"
