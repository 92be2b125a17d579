# shellcheck shell=bash
# Sourced by the Windows end-to-end tests: a Wine prefix of the test's own,
# COM1 pointed at the simulated unit's pseudo-terminal, and checks.
#
#   wine_work NAME                 # $work: a fresh folder in the build's wine/ folder
#   wine_prefix FOLDER             # a new prefix there, as $WINEPREFIX
#   wine_com1 DEVICE               # Wine's COM1 is DEVICE from the next start on
#   sim_start NAME ARGS...         # a simulated unit, its log in $work/NAME.log, $pts set
#   windows_path PATH              # the Windows name of a host path (drive Z:)
#   fail MESSAGE                   # says why and ends the test
#
# The exit trap ends the units, other programs the test started and its own
# wine server, nothing else.

wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver
export WINEDEBUG=${WINEDEBUG:--all}
# No offer to fetch Mono or Gecko, which nothing here needs; no display
# unless a test sets one.
export WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY
# Wine reads the command line and file names in the host's character set.
export LC_ALL=C.UTF-8

sim_pids=()
# Other programs a test starts (a virtual display), ended with the units.
other_pids=()
prefixes=()
# Wine runs as the user named here (a command prefix), else as ourselves.
run_as=()

wine_run() { "${run_as[@]}" "$wine" "$@"; }
wineserver_run() { "${run_as[@]}" "$wineserver" "$@"; }

wine_cleanup() {
  for pid in "${sim_pids[@]}" "${other_pids[@]}"; do
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  done
  for prefix in "${prefixes[@]}"; do
    WINEPREFIX="$prefix" wineserver_run -k 2>/dev/null || true
  done
}

fail() {
  echo "FAILED: $*" >&2
  exit 1
}

# The build folder's wine/NAME, emptied; kept after the run for a look.
wine_work() {
  work="$build/wine/$1"
  wine_cleanup_folder "$work"
  mkdir -p "$work"
  trap wine_cleanup EXIT
}

wine_cleanup_folder() {
  [ -d "$1" ] || return 0
  # A prefix left by an earlier run may still have its server.
  if [ -d "$1/prefix" ]; then
    local owner
    owner=$(stat -c %u "$1/prefix")
    WINEPREFIX="$1/prefix" setpriv --reuid="$owner" --regid="$(stat -c %g "$1/prefix")" --clear-groups \
      "$wineserver" -k 2>/dev/null || true
  fi
  chmod -R u+w "$1" 2>/dev/null || true
  rm -rf "$1"
}

wine_prefix() {
  export WINEPREFIX=$1
  prefixes+=("$WINEPREFIX")
  mkdir -p "$WINEPREFIX"
  wine_run wineboot --init </dev/null >"$work/wineboot.log" 2>&1 || fail "wineboot: $(tail -n 5 "$work/wineboot.log")"
  wineserver_run -w
}

# Wine's mount manager makes dosdevices/com1 from this value when the server
# starts; a link made by hand is replaced by /dev/ttyS0.
wine_com1() {
  wine_run reg add 'HKLM\Software\Wine\Ports' /v COM1 /t REG_SZ /d "$1" /f </dev/null >/dev/null 2>&1 \
    || fail "cannot point COM1 at $1"
  wineserver_run -w
}

windows_path() {
  local path
  path=$(realpath -m "$1")
  echo "Z:${path//\//\\}"
}

# Starts the simulated unit (a Linux program) and waits for its
# pseudo-terminal, which it names on its first line.
sim_start() {
  local name=$1
  shift
  "$unit_sim" "$@" >"$work/$name.log" 2>&1 &
  sim_pids+=($!)
  for _ in $(seq 100); do
    pts=$(sed -n 's/^PTY //p' "$work/$name.log" | head -n 1)
    [ -n "$pts" ] && return 0
    sleep 0.05
  done
  fail "the simulated unit did not start: $(cat "$work/$name.log")"
}

# Ends the last unit started and waits for its log to be complete.
sim_stop() {
  local pid=${sim_pids[-1]}
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
}

# The request frames a unit received, one per line.
sim_requests() { grep '^RX' "$work/$1.log" || true; }
