#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# ./build.sh run   installs what is missing, builds and starts the tutor
# ./build.sh test  installs what is missing, builds and runs every test
set -euo pipefail
cd "$(dirname "$0")"

PACKAGES=(
  g++ cmake ninja-build pkg-config
  qt6-base-dev libqt6opengl6-dev qt6-multimedia-dev qt6-qpa-plugins libqt6svg6
  libx11-dev fonts-liberation
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb x11-xkb-utils xauth xdotool libxdamage-dev libxtst-dev
  poppler-utils
)

missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
fi

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build

case "${1:-run}" in
  run)  exec build/bin/qxtutor ;;
  test) QT_QPA_PLATFORM=offscreen ctest --test-dir build --output-on-failure -j2 --timeout 300 ;;
  *)    echo "usage: $0 run|test" >&2; exit 2 ;;
esac
