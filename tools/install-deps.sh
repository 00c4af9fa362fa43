#!/usr/bin/env bash
# Installs what building, testing and running Kestrivon needs on Debian, skipping what is there.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config clang libclang-rt-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  libsdl2-dev libsdl2-mixer-dev libfreetype-dev libpng-dev fonts-liberation
  libavformat-dev libavcodec-dev libswscale-dev libswresample-dev libavutil-dev
  # The tests play the installed game on a virtual display.
  xvfb xdotool x11-apps
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
