#!/usr/bin/env bash
# Installs what is missing, builds Tarnwick and runs it on the demo folder.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$(nproc)"
echo "Tarnwick is built in $(pwd)/build/Tarnwick"
