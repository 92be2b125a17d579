# shellcheck shell=bash
# Sourced by the scripts that run the program against the simulated unit.
#
#   unit_sim_work_folder                 # $work: a fresh folder, removed on exit
#   unit_sim_start SIMULATOR [ARGS...]   # the unit on the link $work/unit
#
# The exit trap (unit_sim_cleanup) stops the unit and removes the folder.

# Ends one background process of ours, if it is still there.
stop_process() {
  [ -n "$1" ] || return 0
  kill "$1" 2>/dev/null || true
  wait "$1" 2>/dev/null || true
}

unit_sim_cleanup() {
  stop_process "$simulator_pid"
  rm -rf "$work"
}

unit_sim_work_folder() {
  work=$(mktemp -d)
  simulator_pid=""
  trap unit_sim_cleanup EXIT
}

# Starts the unit with its output in $work/simulator.log and waits up to five
# seconds for its link; when none comes, says so with the unit's output and
# fails.
unit_sim_start() {
  local simulator=$1
  shift
  "$simulator" --link "$work/unit" "$@" >"$work/simulator.log" 2>&1 &
  simulator_pid=$!
  for _ in $(seq 100); do
    [ -e "$work/unit" ] && return 0
    sleep 0.05
  done
  echo "the simulated unit did not start:" >&2
  cat "$work/simulator.log" >&2
  return 1
}
