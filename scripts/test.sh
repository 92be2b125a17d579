#!/usr/bin/env bash
# The whole test run: the normal build, the tests that run inside Qt's own
# libraries and a 60-second soak run under valgrind memcheck, the same tests
# under AddressSanitizer and UBSan, a 60-second soak run against the
# simulated unit, the whole program built for Windows and tested under Wine,
# and a short smoke run of every fuzz harness. Fails on any failure,
# memcheck error or sanitizer report.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

bash scripts/install-deps.sh

jobs=2
fuzz_runs=${TESSARO_FUZZ_RUNS:-20000}
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

echo "== build and test"
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTESSARO_WERROR=ON >/dev/null
cmake --build build -j"$jobs"
ctest --test-dir build -j"$jobs" --output-on-failure --timeout 300

echo "== the real port, the real window and 60 s of soak under valgrind memcheck"
bash scripts/valgrind-tests.sh build

echo "== build and test under AddressSanitizer and UBSan"
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DTESSARO_WERROR=ON -DTESSARO_SANITIZE=ON >/dev/null
cmake --build build-asan -j"$jobs"
ctest --test-dir build-asan -j"$jobs" --output-on-failure --timeout 600

echo "== soak run: 60 s of a misbehaving unit, under AddressSanitizer and UBSan"
# A small quarantine: freed memory held back by the sanitizer would read as growth.
ASAN_OPTIONS="$ASAN_OPTIONS:quarantine_size_mb=1:thread_local_quarantine_size_kb=16" \
  build-asan/tools/soak/tessaro-soak --seconds 60 --seed "${TESSARO_SOAK_SEED:-1}"

echo "== the program built for Windows, tested under Wine with its packages"
bash scripts/windows-tests.sh

echo "== fuzz smoke run ($fuzz_runs runs each)"
CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTESSARO_FUZZ=ON >/dev/null
cmake --build build-fuzz -j"$jobs"
shopt -s nullglob
harnesses=(build-fuzz/fuzz/fuzz_*)
if [ ${#harnesses[@]} -eq 0 ]; then
  echo "no fuzz harness was built"
fi
for harness in "${harnesses[@]}"; do
  [ -x "$harness" ] || continue
  name=$(basename "$harness")
  corpus="$root/build-fuzz/corpus-$name"
  mkdir -p "$corpus"
  echo "-- $name"
  # New finds go into the build's corpus; the kept one under fuzz/ stays as committed.
  inputs=("$corpus" "$root/fuzz/seeds")
  [ -d "$root/fuzz/corpus/$name" ] && inputs+=("$root/fuzz/corpus/$name")
  "$harness" -runs="$fuzz_runs" -seed=1 -max_len=4096 "${inputs[@]}" 2>"build-fuzz/$name.log" \
    || { tail -n 40 "build-fuzz/$name.log"; exit 1; }
  tail -n 1 "build-fuzz/$name.log"
done
echo "all tests and fuzz smoke runs passed"
