#!/usr/bin/env bash
# Memcheck over what runs inside Qt's own libraries, which the sanitizer build
# cannot see: the real serial adapter on a pseudo-terminal, the real window,
# and a soak run. Uses an optimised build with debug information (not the
# sanitizer one); fails on any invalid access, use of an undefined value or
# definite leak.
#
#   bash scripts/valgrind-tests.sh [BUILD_FOLDER]    # default: build
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
soak_seconds=${TESSARO_VALGRIND_SOAK_SECONDS:-60}
logs="$build/valgrind"
export QT_QPA_PLATFORM=offscreen

# Test program (below the build folder) and the tests of it to run: a gtest
# filter, one line each. Each runs through the Qt serial adapter; the last
# also through the real window.
tests=(
  "tests/serial/tests_serial_pty      *Pty*:QtSerialPort.*"
  "tests/e2e/tests_protocol_e2e       *"
  "tests/ui-e2e/tests_ui_e2e          *"
)

failure=99
memcheck=(valgrind --tool=memcheck --error-exitcode="$failure" --num-callers=40
  --leak-check=full --show-leak-kinds=definite --errors-for-leak-kinds=definite
  --suppressions=scripts/valgrind/qt.supp)

mkdir -p "$logs"
rm -f "$logs"/*.log

# Runs under memcheck; on failure shows the report. A run that hangs is ended.
run() {
  local name=$1
  shift
  local log="$logs/$name.log"
  local status=0
  local started=$SECONDS
  timeout --kill-after=10 600 "${memcheck[@]}" --log-file="$log" "$@" >"$logs/$name.out" 2>&1 || status=$?
  if [ "$status" -ne 0 ]; then
    tail -n 30 "$logs/$name.out"
    if [ "$status" -eq "$failure" ]; then
      echo "-- $name: memcheck found errors ($log):"
      grep -v -e 'unhandled ioctl' -e 'This could cause spurious' -e 'README_MISSING_SYSCALL' "$log" | head -n 120
    else
      echo "-- $name: failed with status $status"
    fi
    return 1
  fi
  echo "-- $name: clean ($((SECONDS - started)) s)"
}

for entry in "${tests[@]}"; do
  read -r program filter <<<"$entry"
  name=$(basename "$program")
  run "$name" "$build/$program" --gtest_filter="$filter"
  # A filter that matches nothing would pass without testing anything.
  grep -q '^\[  PASSED  \] [1-9]' "$logs/$name.out" || { echo "-- $name: no test matched $filter"; exit 1; }
done

# Freed blocks memcheck holds back would read as growth to the soak's memory
# check: hold back as little as the sanitizer run does.
run tessaro-soak --freelist-vol=1000000 \
  "$build/tools/soak/tessaro-soak" --seconds "$soak_seconds" --seed "${TESSARO_SOAK_SEED:-1}"
tail -n 3 "$logs/tessaro-soak.out"
