#!/usr/bin/env bash
# Installs what is missing, builds Tarnwick and runs it on the demo folder:
# the demo Price.xls becomes Octonus price tables, two discount levels
# applied, beside it in the ready application folder; then the window opens
# on that folder when there is a display to show it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$(nproc)"
app="$(pwd)/build/Tarnwick"
echo "Tarnwick is built in $app"

status=0
"$app/tarnwick-cli" --app-folder "$app" --yes convert --disc 2 \
  --disc-format 0.## || status=$?
echo "The Octonus price tables are in $app:"
for table in "$app"/*.txt; do
  echo "  $(basename "$table")"
done

if [ -x "$app/tarnwick" ] && [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  exec "$app/tarnwick"
elif [ -x "$app/tarnwick" ]; then
  echo "No display: start $app/tarnwick on a desktop to use the window."
fi
exit "$status"
