#!/usr/bin/env bash
# Measures the window program (not a test: it only prints figures).
#
#   bash bench/window_bench.sh
#
# (a) Start-up: tessaro-ip runs with TESSARO_REPORT_STARTUP=1 under a virtual
#     display, with COM1 on the simulated unit. The program reports the time
#     from entering main() until its window's first paint has been handled
#     (QApplication, the whole start-up sequence including the port, show,
#     first frame handed to the X server). The script also times the process
#     from exec to exit, which adds loading the libraries and shutting down.
#     One warm-up run is discarded; the rest are averaged.
# (b) Idle CPU: the program left alone with all four timers running and the
#     port open on the simulated unit (a quiet line), its user + system CPU
#     time (all threads, /proc/<pid>/stat) over the idle period.
# (c) One UpdateItemColours pass: the Google Benchmark programs
#     update_colours_bench (controls in memory) and
#     update_colours_window_bench (the real widgets of an offscreen window).
#
# WINBENCH_RUNS start-ups are averaged (default 5); WINBENCH_IDLE_SECONDS is
# the idle period (default 10). TESSARO_BUILD_DIR chooses the build folder
# (default build-window-bench); it is configured RelWithDebInfo with
# -DTESSARO_BENCH=ON.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
source scripts/lib/unit-sim.sh

runs=${WINBENCH_RUNS:-5}
idle_seconds=${WINBENCH_IDLE_SECONDS:-10}
build=${TESSARO_BUILD_DIR:-build-window-bench}
case "$build" in /*) ;; *) build="$root/$build" ;; esac

# Everything below the virtual display: the script runs itself again there.
measure() {
  local app="$build/app/tessaro-ip"
  local simulator="$build/tools/unit-sim/tessaro-unit-sim"
  # Not local: the clean-up runs when the script ends.
  unit_sim_work_folder
  idle_pid=""
  trap 'stop_process "$idle_pid"; unit_sim_cleanup' EXIT

  # A program folder of its own: COM1, logging on, no cover-opening guide,
  # and a defaults file.
  local program="$work/program"
  mkdir -p "$program"
  printf '0        Compoort ->0\r\n1      Logfile ->1\r\n2       SetPath ->\r\n3       UnitType ->3\r\n4       Taal ->0\r\n5       Case ->1\r\n' \
    >"$program/TessaroIP.set"
  local item
  for item in $(seq 0 249); do
    if ((item < 150)); then printf '%s    ->1\r\n' "$item"; else printf '%s    ->\r\n' "$item"; fi
  done >"$program/default.set"
  export TESSARO_PROGRAM_FOLDER="$program"

  unit_sim_start "$simulator" --status-every 0 --quit-after 900 || exit 1
  export TESSARO_COM1="$work/unit"

  # (a) start-up
  echo "== (a) start-up to the first frame ($runs runs after one warm-up, Xvfb, COM1 on the simulated unit)"
  local run report first_ms wall_ms
  local first_sum=0 wall_sum=0 first_list="" wall_list=""
  for run in $(seq 0 "$runs"); do
    local started ended
    started=$(date +%s%N)
    report=$(TESSARO_REPORT_STARTUP=1 timeout 30 "$app" 2>/dev/null || true)
    ended=$(date +%s%N)
    first_ms=$(sed -n 's/^first frame after \([0-9.]*\) ms$/\1/p' <<<"$report")
    if [ -z "$first_ms" ]; then
      echo "run $run: no report from the program" >&2
      exit 1
    fi
    wall_ms=$(awk -v a="$started" -v b="$ended" 'BEGIN { printf "%.1f", (b - a) / 1e6 }')
    ((run == 0)) && continue
    first_list+=" $first_ms"
    wall_list+=" $wall_ms"
    first_sum=$(awk -v s="$first_sum" -v x="$first_ms" 'BEGIN { print s + x }')
    wall_sum=$(awk -v s="$wall_sum" -v x="$wall_ms" 'BEGIN { print s + x }')
  done
  if grep -q "opened with" "$program"/Log/*.log 2>/dev/null; then
    echo "   port: opened on the simulated unit"
  else
    echo "   port: NOT opened (see the program's log)"
  fi
  awk -v s="$first_sum" -v n="$runs" -v l="$first_list" \
    'BEGIN { printf "   main() to first frame handled: %.1f ms average (runs:%s)\n", s / n, l }'
  awk -v s="$wall_sum" -v n="$runs" -v l="$wall_list" \
    'BEGIN { printf "   process exec to exit:          %.1f ms average (runs:%s)\n", s / n, l }'

  # (b) idle CPU
  echo "== (b) CPU while idle for ${idle_seconds} s (all timers running, port open on the simulated unit)"
  "$app" >"$work/idle.log" 2>&1 &
  idle_pid=$!
  sleep 3  # start-up and the one-shot refresh are over by then
  if ! kill -0 "$idle_pid" 2>/dev/null; then
    echo "the program ended early:" >&2
    cat "$work/idle.log" >&2
    exit 1
  fi
  local ticks_per_second before after
  ticks_per_second=$(getconf CLK_TCK)
  cpu_ticks() {  # utime + stime of every thread of the process, in clock ticks
    local stat rest
    read -r stat <"/proc/$1/stat"
    rest=${stat##*) }
    # shellcheck disable=SC2086
    set -- $rest
    echo $((${12} + ${13}))
  }
  cpu_ns() {  # time on a CPU of every thread still running, in ns (finer)
    cat "/proc/$1"/task/*/schedstat 2>/dev/null | awk '{ sum += $1 } END { printf "%.0f", sum }'
  }
  wake_ups() {
    cat "/proc/$1"/task/*/status 2>/dev/null | awk '/^voluntary_ctxt_switches/ { sum += $2 } END { print sum + 0 }'
  }
  local wall_before wall_after ns_before ns_after switches_before switches_after
  switches_before=$(wake_ups "$idle_pid")
  before=$(cpu_ticks "$idle_pid")
  ns_before=$(cpu_ns "$idle_pid")
  wall_before=$(date +%s%N)
  sleep "$idle_seconds"
  after=$(cpu_ticks "$idle_pid")
  ns_after=$(cpu_ns "$idle_pid")
  switches_after=$(wake_ups "$idle_pid")
  wall_after=$(date +%s%N)
  awk -v t="$((after - before))" -v hz="$ticks_per_second" -v a="$wall_before" -v b="$wall_after" \
    'BEGIN { cpu = t / hz; wall = (b - a) / 1e9;
             printf "   user + system time: %.2f s over %.1f s = %.2f %% of one core (resolution %.0f ms)\n",
                    cpu, wall, 100 * cpu / wall, 1000 / hz }'
  if [ -n "$ns_before" ] && [ "$ns_before" != "0" ]; then
    awk -v n="$ns_before" -v m="$ns_after" -v a="$wall_before" -v b="$wall_after" \
      'BEGIN { cpu = (m - n) / 1e9; wall = (b - a) / 1e9;
               printf "   scheduler run time: %.3f s = %.2f %% of one core, %.2f ms per second\n",
                      cpu, 100 * cpu / wall, 1000 * cpu / wall }'
  fi
  awk -v n="$switches_before" -v m="$switches_after" -v s="$idle_seconds" \
    'BEGIN { printf "   wake-ups (voluntary context switches, all threads): %.0f per second\n", (m - n) / s }'
  kill "$idle_pid"
  wait "$idle_pid" 2>/dev/null || true
  idle_pid=""
}

if [ "${1:-}" = "--measure" ]; then
  measure
  exit 0
fi

bash scripts/install-deps.sh
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTESSARO_BENCH=ON -DTESSARO_TESTS=OFF >/dev/null
cmake --build "$build" -j2 --target tessaro-ip tessaro-unit-sim update_colours_bench update_colours_window_bench

export TESSARO_BUILD_DIR="$build" WINBENCH_RUNS="$runs" WINBENCH_IDLE_SECONDS="$idle_seconds"
xvfb-run -a -s "-screen 0 1280x1024x24" bash "$root/bench/window_bench.sh" --measure

echo "== (c) one UpdateItemColours pass"
"$build/bench/update_colours_bench" 2>/dev/null
QT_QPA_PLATFORM=offscreen "$build/bench/update_colours_window_bench" 2>/dev/null
