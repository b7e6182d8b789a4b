#!/usr/bin/env bash
# Installs what is missing, builds Tarnwick and runs it on the demo folder.
# With a display it opens the window in the ready application folder, its
# folder list on the demo price lists. Without one it says so and lets
# tarnwick-cli turn the demo Price.xls into Octonus price tables, two
# discount levels applied, beside it in the ready application folder.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$(nproc)"
app="$(pwd)/build/Tarnwick"
echo "Tarnwick is built in $app"

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  echo "Opening the Tarnwick window; its folder list starts in $app/Demo."
  echo "Read Price File and Convert work on $app/Price.xls; double-click a"
  echo "demo folder (CSV, DBF) to list its price lists for the import buttons."
  cd "$app/Demo"
  exec "$app/tarnwick"
fi

echo "No display (\$DISPLAY and \$WAYLAND_DISPLAY are empty), so no window:"
echo "converting the demo Price.xls with tarnwick-cli instead."

status=0
"$app/tarnwick-cli" --app-folder "$app" --yes convert --disc 2 \
  --disc-format 0.## || status=$?
echo "The Octonus price tables are in $app:"
for table in "$app"/*.txt; do
  echo "  $(basename "$table")"
done
exit "$status"
