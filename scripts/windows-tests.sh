#!/usr/bin/env bash
# The Windows stage of the test run: builds Qt for Windows once (cached, see
# scripts/qt-windows.sh), cross-builds the whole program and every unit and
# GUI test with MinGW-w64, runs the tests under Wine, and runs the Windows
# programs and both packages under Wine against the simulated unit (a Linux
# program; Wine's COM1 is pointed at its pseudo-terminal). Fails on any
# failure. Installs what is missing (as root) and is safe to run again.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
build=build-windows
jobs=2

stage_started=$SECONDS
stage() {
  [ -n "${stage_name:-}" ] && echo "-- $stage_name: $((SECONDS - stage_started)) s"
  stage_name=$1
  stage_started=$SECONDS
  echo "-- $stage_name"
}
trap 'stage_name=${stage_name:-}; [ -n "$stage_name" ] && echo "-- $stage_name: $((SECONDS - stage_started)) s (stopped)"' ERR

bash scripts/install-deps.sh g++-mingw-w64-x86-64-posix wine64 fonts-wine googletest icoutils nsis \
  xvfb xauth xdotool x11-apps netpbm zip unzip bsdutils

stage "Qt for Windows (built once, then taken from the cache)"
qt=$(bash scripts/qt-windows.sh | tail -n 1)

stage "the simulated unit and tessaro-cli for Linux, to compare with"
# The test command's own Linux build folder, unless another is given.
host=$(realpath -m "${TESSARO_HOST_BUILD:-build}")
if [ ! -f "$host/CMakeCache.txt" ]; then
  cmake -S . -B "$host" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTESSARO_WERROR=ON >/dev/null
fi
cmake --build "$host" -j"$jobs" --target tessaro-unit-sim tessaro-cli

stage "cross build for Windows"
cmake -S . -B "$build" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
  -DCMAKE_BUILD_TYPE=Release -DTESSARO_WERROR=ON -DTESSARO_QT_WINDOWS="$qt" \
  -DTESSARO_UNIT_SIM="$host/tools/unit-sim/tessaro-unit-sim" \
  -DTESSARO_LINUX_CLI="$host/cli/tessaro-cli" >/dev/null
cmake --build "$build" -j"$jobs"

stage "tests under Wine"
# Wine quiet, without a display and with a prefix of its own; no offer to
# fetch Mono or Gecko, which nothing here needs. The GUI tests draw offscreen.
export WINEPREFIX="$root/$build/wine-prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
export QT_QPA_PLATFORM=offscreen LC_ALL=C.UTF-8
unset DISPLAY WAYLAND_DISPLAY
# One Wine server for the unit tests, with Wine's own services started
# before ctest: started by the first test instead, they would keep its output
# open and ctest would wait for them for ever. The end-to-end tests use
# prefixes of their own.
wineserver=/usr/lib/wine/wineserver
trap '"$wineserver" -k 2>/dev/null || true' EXIT
mkdir -p "$WINEPREFIX"
"$wineserver" -p </dev/null >/dev/null 2>&1
/usr/lib/wine/wine64 wineboot --init </dev/null >/dev/null 2>&1
ctest --test-dir "$build" -j"$jobs" --output-on-failure --timeout 900
stage "done"
