#!/usr/bin/env bash
# scripts/deps.sh — installs the Debian packages the project needs, skipping
# what is already there (apt-get, through sudo when not root).
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config python3
  libsdl2-dev libsdl2-ttf-dev libsdl2-gfx-dev libopenal-dev libopenal-data
  libcairo2-dev libjpeg62-turbo-dev libpng-dev libfontconfig-dev fonts-dejavu-core
  libgtest-dev libgmock-dev libbenchmark-dev clang libclang-rt-14-dev
  xvfb xserver-xephyr xdotool imagemagick x11-utils sox libx11-dev
  dpkg-dev file lintian desktop-file-utils appstream locales
  libxxhash-dev libavcodec-dev libavformat-dev libswscale-dev libswresample-dev ffmpeg
)
if [ "${1:-}" = "--run-only" ]; then
  packages=(build-essential cmake ninja-build pkg-config libsdl2-dev libsdl2-ttf-dev
            libopenal-dev libcairo2-dev libjpeg62-turbo-dev libpng-dev libfontconfig-dev
            fonts-dejavu-core libgtest-dev libbenchmark-dev libsdl2-gfx-dev
            libx11-dev libxxhash-dev libavcodec-dev libavformat-dev libswscale-dev libswresample-dev)
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
