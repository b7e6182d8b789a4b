#!/usr/bin/env bash
# Builds Tarnwick and makes its Debian package, build/tarnwick_<version>_amd64.deb
# (installs what is missing first). Install it with
#   sudo apt install ./build/tarnwick_1.1.0_amd64.deb
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$(nproc)"
(cd build && cpack -G DEB)
ls build/tarnwick_*.deb
