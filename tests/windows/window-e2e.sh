#!/usr/bin/env bash
# tessaro-ip.exe under Wine on a virtual display with Qt's windows platform
# plugin and the windowsvista style: it opens COM1 (the simulated unit) and
# reads all settings when the user presses Ctrl+R; its log shows every item
# read and the batch's success. Pictures of the window in English and German,
# at 100 % and 150 % (96 and 144 dots per inch), go to the build's
# wine/window/ folder.
#
#   window-e2e.sh WINDOWS_BUILD UNIT_SIM
set -euo pipefail
build=$(realpath "$1")
unit_sim=$(realpath "$2")
source "$(dirname "$0")/wine-lib.sh"
unset QT_QPA_PLATFORM
program_exe="$build/app/tessaro-ip.exe"

wine_work window
wine_prefix "$work/prefix"

# Bounds on waits that end as soon as what they wait for is there.
limit=180
wait_for() {
  local what=$1
  shift
  for _ in $(seq $((limit * 5))); do
    "$@" && return 0
    sleep 0.2
  done
  fail "waited $limit s for $what"
}

log_has() { LC_ALL=C grep -q -- "$2" "$1"/Log/*.log 2>/dev/null; }
# Lines after the last item's: the batch has ended.
batch_ended() { [ "$(LC_ALL=C grep -A1 -- 'Item: 154' "$1"/Log/*.log 2>/dev/null | wc -l)" -ge 2 ]; }

# One run: NAME, language (0 English, 2 German), dots per inch, success line.
picture() {
  local name=$1 language=$2 dpi=$3 succeeded=$4
  local folder="$work/$name" size=1280x1024
  [ "$dpi" -gt 96 ] && size=1920x1440
  mkdir -p "$folder"
  printf '0        Compoort ->0\r\n1      Logfile ->1\r\n2       SetPath ->\r\n3       UnitType ->3\r\n4       Taal ->%s\r\n5       Case ->1\r\n' \
    "$language" >"$folder/TessaroIP.set"
  wine_run reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f </dev/null >/dev/null 2>&1
  wineserver_run -w
  sim_start "unit-$name" --status-every 0 --set 21=2 --set 10=4 --set 23=100 --set 31=10
  wine_com1 "$pts"

  # A display of our own, without xvfb-run's authority file, so that xdotool
  # and xwd reach it as Wine does.
  local screen
  screen=$(mktemp -d)
  Xvfb -displayfd 5 -screen 0 "${size}x24" -nolisten tcp 5>"$screen/display" >"$work/$name-xvfb.log" 2>&1 &
  local xvfb=$!
  other_pids+=("$xvfb")
  wait_for "the virtual display" test -s "$screen/display"
  export DISPLAY
  DISPLAY=:$(cat "$screen/display")
  # A desktop of Wine's own draws the window frames as Windows does; a wine
  # server left from another display would hide the window.
  TESSARO_PROGRAM_FOLDER="$(windows_path "$folder")" "$wine" explorer /desktop=shot,"$size" "$program_exe" \
    </dev/null >"$work/$name-wine.log" 2>&1 &
  local session=$!
  wait_for "the window program to open COM1" log_has "$folder" "Com: 1"
  local desktop
  desktop=$(xdotool search --sync --name "shot" | head -n 1)
  sleep 2  # the window's first paint: a matter of the picture only
  xdotool windowfocus --sync "$desktop" key ctrl+r
  wait_for "read all to end" batch_ended "$folder"
  sleep 2
  xwd -root -silent | xwdtopnm 2>/dev/null | pnmtopng >"$work/$name-unit.png"
  # The settings the unit sent, on the Settings tab two to the left.
  xdotool key ctrl+shift+Tab ctrl+shift+Tab
  sleep 2
  xwd -root -silent | xwdtopnm 2>/dev/null | pnmtopng >"$work/$name-settings.png"
  unset DISPLAY
  wineserver_run -k
  wait "$session" || true
  kill "$xvfb" 2>/dev/null || true
  wait "$xvfb" 2>/dev/null || true
  rm -rf "$screen"
  sim_stop

  log_has "$folder" "$succeeded" || fail "$name: no \"$succeeded\" in the log: $(tail -n 5 "$folder"/Log/*.log)"
  local items
  items=$(LC_ALL=C grep -c -- '\[Item: ' "$folder"/Log/*.log)
  [ "$items" -gt 0 ] || fail "$name: no item read"
  if LC_ALL=C grep -- '\[Item: ' "$folder"/Log/*.log | LC_ALL=C grep -qv 'OK.$'; then
    fail "$name: an item not read right: $(LC_ALL=C grep -- '\[Item: ' "$folder"/Log/*.log | LC_ALL=C grep -v 'OK.$' | head -n 3)"
  fi
  echo "ok: $name: COM1 opened, all $items settings read on Ctrl+R; pictures $name-unit.png, $name-settings.png"
}

picture english-100 0 96 "Reading of all settings successfull"
picture german-100 2 96 "Lesen von alle Einstellungen in Ordnung"
picture english-150 0 144 "Reading of all settings successfull"
picture german-150 2 144 "Lesen von alle Einstellungen in Ordnung"
