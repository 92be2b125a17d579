#!/usr/bin/env bash
# Builds the program, starts it under a virtual display and saves a picture
# of its main window as docs/screenshot.png (or the file given).
#
#   bash scripts/screenshot.sh [FILE] [-- extra tessaro-ip arguments]
#
# It opens on the ESPA 4.4.4 settings of a demonstration defaults file;
# extra arguments such as "--tab 0" or "/DEBUG" change what is shown, and
# "--window settings", "--window about" or "--window guide --page 2" picture
# that window instead of the main window. When
# the simulated unit is built too, the program opens its port on it.
# TESSARO_BUILD_DIR chooses the build folder (default: build).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
source scripts/lib/unit-sim.sh

output="$root/docs/screenshot.png"
if [ $# -gt 0 ] && [ "$1" != "--" ]; then
  output=$(realpath -m "$1")
  shift
fi
[ "${1:-}" = "--" ] && shift

bash scripts/install-deps.sh
build=${TESSARO_BUILD_DIR:-build}
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --target tessaro-ip -j2
targets=$(cmake --build "$build" --target help)
if grep -q 'tessaro-unit-sim' <<<"$targets"; then
  cmake --build "$build" --target tessaro-unit-sim -j2
fi

unit_sim_work_folder

# A program folder of its own: logging on, no cover-opening guide.
program="$work/program"
mkdir -p "$program"
printf '0        Compoort ->0\r\n1      Logfile ->1\r\n2       SetPath ->\r\n3       UnitType ->3\r\n4       Taal ->0\r\n5       Case ->1\r\n' \
  >"$program/TessaroIP.set"

# Demonstration defaults: item number, then value.
demo=(0 1  5 4  7 25  10 3  11 1  12 0  13 1  14 0  15 0  17 0  18 0  19 1  20 5  21 2  22 0  23 30
      31 192  32 168  33 1  34 50  35 0  36 4  37 192  38 168  39 1  40 1  41 8)
declare -A value
for ((i = 0; i < ${#demo[@]}; i += 2)); do value[${demo[i]}]=${demo[i + 1]}; done
for item in $(seq 0 249); do
  fallback=0
  ((item >= 150)) && fallback=""  # text items: empty
  printf '%s    ->%s\r\n' "$item" "${value[$item]:-$fallback}"
done >"$program/default.set"

simulator="$build/tools/unit-sim/tessaro-unit-sim"
if [ -x "$simulator" ]; then
  unit_sim_start "$simulator" --status-every 1 --quit-after 60 || true  # the picture is taken anyway
  export TESSARO_COM1="$work/unit"
fi

mkdir -p "$(dirname "$output")"
TESSARO_PROGRAM_FOLDER="$program" xvfb-run -a -s "-screen 0 1280x1024x24" \
  "$build/app/tessaro-ip" --screenshot "$output" --tab 1 --settings-tab 2 "$@"
echo "wrote $output"
