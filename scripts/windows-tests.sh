#!/usr/bin/env bash
# Cross-builds the toolkit-free libraries and their unit tests for 64-bit
# Windows with MinGW-w64 and runs the test programs under Wine; fails on any
# failure. Qt for Windows is not to be had here, so the windows, the Qt serial
# adapter and the programs are not built (see the README). Installs what is
# missing the first time (as root) and is safe to run again.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
build=build-windows

bash scripts/install-deps.sh g++-mingw-w64-x86-64-posix wine64 googletest

cmake -S . -B "$build" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
  -DCMAKE_BUILD_TYPE=Release -DTESSARO_WERROR=ON >/dev/null
cmake --build "$build" -j2

# Wine quiet, without a display and with a prefix of its own; no offer to
# fetch Mono or Gecko, which nothing here needs.
export WINEPREFIX="$root/$build/wine-prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY
# One Wine server for the whole run, with Wine's own services started before
# ctest: started by the first test instead, they would keep its output open
# and ctest would wait for them for ever.
wineserver=/usr/lib/wine/wineserver
trap '"$wineserver" -k 2>/dev/null || true' EXIT
mkdir -p "$WINEPREFIX"
"$wineserver" -p </dev/null >/dev/null 2>&1
/usr/lib/wine/wine64 wineboot --init </dev/null >/dev/null 2>&1
ctest --test-dir "$build" -j2 --output-on-failure --timeout 300
