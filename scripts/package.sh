#!/usr/bin/env bash
# scripts/package.sh [BUILD_DIR] — builds the game (Release) and its Debian
# package with CPack; prints the package's path as its last line.
#
# Dependencies are worked out from the binaries (dpkg-shlibdeps), so the
# package installs on the machine kind it was built on:
#   sudo apt-get install ./build/skyrend_VERSION_amd64.deb
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}

command -v dpkg-shlibdeps >/dev/null || scripts/deps.sh
[ -f "$build/CMakeCache.txt" ] || cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" --target skyrend skyrend-sim dxgtool make-assets game_assets packaging_files >/dev/null
(cd "$build" && cpack -G DEB >/dev/null) || { echo "package.sh: cpack failed (see $build/_CPack_Packages)" >&2; exit 1; }
deb=$(ls -t "$build"/skyrend_*_*.deb | head -n 1)
readlink -f "$deb"
