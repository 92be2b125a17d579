#!/usr/bin/env bash
# Builds the program and starts it. Until the window exists it builds the
# core and reports what is ready.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j2

if [ -x build/app/tessaro-ip ]; then
  exec build/app/tessaro-ip "$@"
fi

echo
echo "Built so far (libraries in build/):"
for library in build/*/libtessaro_*.a build/*/*/libtessaro_*.a; do
  [ -e "$library" ] && echo "  $(basename "$library")"
done
if [ -x build/tools/unit-sim/tessaro-unit-sim ]; then
  echo "  tessaro-unit-sim (simulated unit): build/tools/unit-sim/tessaro-unit-sim --help"
fi
echo "The main window is not built yet; run the tests with: bash scripts/test.sh"
