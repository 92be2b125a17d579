#!/usr/bin/env bash
# Runs a Windows test program under Wine with its COM42 led to a
# pseudo-terminal on this machine, whose far end pty-far-end serves to the
# test (see tests/serial/PtyFarEnd.cpp):
#
#   scripts/wine-com-test.sh PTY-FAR-END TEST.exe [ARGUMENTS...]
#
# The Wine prefix is the test's own, beside the program (made the first
# time, about 20 s), so its server can be restarted without touching any
# other Wine run: Wine's mount manager reads the COM port table only when its
# server starts.
set -euo pipefail

far_end=$1
program=$2
shift 2

wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver
folder=$(cd "$(dirname "$program")" && pwd)
export WINEPREFIX=$folder/wine-com-prefix
export WINEDEBUG=${WINEDEBUG:--all} WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY
link=$folder/wine-com-prefix.com42
port=COM42

# Wine's own services, started outside the test's output: started by the
# test instead, they would keep ctest waiting for its output to close.
start_wine() {
  "$wineserver" -p </dev/null >/dev/null 2>&1
  "$wine" wineboot </dev/null >/dev/null 2>&1
}
stop_wine() {
  "$wineserver" -k 2>/dev/null || true
  "$wineserver" -w 2>/dev/null || true
}
trap stop_wine EXIT

mkdir -p "$WINEPREFIX"
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  "$wineserver" -p </dev/null >/dev/null 2>&1
  "$wine" wineboot --init </dev/null >/dev/null 2>&1
else
  start_wine
fi
if [ "$(readlink "$WINEPREFIX/dosdevices/${port,,}" || true)" != "$link" ]; then
  "$wine" reg add 'HKLM\Software\Wine\Ports' /v "$port" /d "$link" /f >/dev/null 2>&1
  stop_wine
  start_wine
  if [ "$(readlink "$WINEPREFIX/dosdevices/${port,,}" || true)" != "$link" ]; then
    echo "wine-com-test: Wine did not lead $port to $link" >&2
    exit 1
  fi
fi

"$far_end" "$link" -- "$wine" "$program" "$@"
