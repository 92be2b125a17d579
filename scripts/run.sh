#!/usr/bin/env bash
# Builds everything and runs the program against a simulated unit.
#
# With a display: starts tessaro-unit-sim on a pseudo-terminal, points COM1
# at it and opens the window; press "Read all settings from Unit" on the
# Unit tab to see the unit's values arrive. Without a display: says so, reads
# all settings from the simulated unit with tessaro-cli and saves a picture
# of the window made under a virtual display.
#
#   bash scripts/run.sh [program arguments such as /DEBUG]
#
# TESSARO_PROGRAM_FOLDER chooses the program folder (settings, defaults, log);
# by default it is build/app, the folder of the executable.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
source scripts/lib/unit-sim.sh

bash scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j2 --target tessaro-ip tessaro-unit-sim
targets=$(cmake --build build --target help)
if grep -q 'tessaro-cli' <<<"$targets"; then
  cmake --build build -j2 --target tessaro-cli
fi

unit_sim_work_folder
# The simulated unit prints a status line every few seconds while its
# diagnostic level (item 0) is above 0.
unit_sim_start build/tools/unit-sim/tessaro-unit-sim --set 0=1 --status-every 5 || exit 1
export TESSARO_COM1="$work/unit"
echo "Simulated unit on $(readlink "$work/unit"), reached as COM1 (TESSARO_COM1=$TESSARO_COM1)"

if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  build/app/tessaro-ip "$@"
  exit 0
fi

echo "No display found (DISPLAY is not set), so the window cannot open here."
if [ -x build/cli/tessaro-cli ]; then
  echo "Reading all settings from the simulated unit with tessaro-cli instead:"
  echo
  build/cli/tessaro-cli --port 1 read-all || true
  echo
fi
picture="$root/build/screenshot.png"
echo "Taking a picture of the window under a virtual display: $picture"
xvfb-run -a -s "-screen 0 1280x1024x24" build/app/tessaro-ip --screenshot "$picture" "$@"
echo "Done. On a machine with a display this command opens the window."
