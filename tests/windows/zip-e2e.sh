#!/usr/bin/env bash
# The portable zip: made by cpack, it holds the two programs, the Qt DLLs and
# plugins they load and the MinGW-w64 runtime, stripped, and nothing else.
# Unpacked into a fresh Wine prefix with no search path, tessaro-cli.exe
# reads all from the simulated unit (a missing DLL fails it) and keeps its
# files beside itself, the folder being writable.
#
#   zip-e2e.sh WINDOWS_BUILD UNIT_SIM
set -euo pipefail
build=$(realpath "$1")
unit_sim=$(realpath "$2")
source "$(dirname "$0")/wine-lib.sh"
unset WINEPATH

wine_work zip
cpack -G ZIP --config "$build/CPackConfig.cmake" -B "$work/package" >"$work/cpack.log" 2>&1 \
  || fail "cpack -G ZIP: $(tail -n 20 "$work/cpack.log")"
zip=$(ls "$work"/package/*.zip)
echo "zip: $(basename "$zip"), $(stat -c %s "$zip") bytes"

wine_prefix "$work/prefix"
unzip -q "$zip" -d "$WINEPREFIX/drive_c"
folder="$WINEPREFIX/drive_c/$(basename "$zip" .zip)"
expected=$(printf '%s\n' Qt6Core.dll Qt6Gui.dll Qt6Widgets.dll libgcc_s_seh-1.dll libstdc++-6.dll \
  libwinpthread-1.dll platforms/qwindows.dll styles/qwindowsvistastyle.dll tessaro-cli.exe tessaro-ip.exe | LC_ALL=C sort)
present=$(cd "$folder" && find . -type f | sed 's|^\./||' | LC_ALL=C sort)
[ "$present" = "$expected" ] || fail "the zip holds other files: $(diff <(echo "$expected") <(echo "$present"))"
for binary in "$folder"/*.exe "$folder"/*.dll "$folder"/*/*.dll; do
  x86_64-w64-mingw32-nm "$binary" 2>&1 | grep -q "no symbols" || fail "not stripped: ${binary#"$folder"/}"
done
echo "ok: the zip holds the programs, Qt, its two plugins and the runtime, all stripped"

sim_start unit --status-every 0 --set 21=2 --set 10=4
wine_com1 "$pts"
(cd "$work" && "$wine" "$folder/tessaro-cli.exe" read-all </dev/null >"$work/read-all.out" 2>"$work/read-all.err") \
  || fail "the unpacked tessaro-cli.exe read-all: $(cat "$work/read-all.err")"
grep -q '^ *21 .*2' "$work/read-all.out" || fail "no item 21 in: $(head -n 20 "$work/read-all.out")"
echo "ok: the unpacked tessaro-cli.exe read all from the unit ($(wc -l <"$work/read-all.out") lines)"

# A writable program folder is the program folder: nothing in AppData.
appdata=$(ls -d "$WINEPREFIX"/drive_c/users/*/AppData/Roaming)
[ ! -e "$appdata/Tessaro-IP" ] || fail "files went to AppData: $(ls -R "$appdata/Tessaro-IP")"
[ -d "$folder/Log" ] || fail "no Log folder beside the program: $(ls "$folder")"
echo "ok: an unpacked copy keeps its files in its own folder"

# The window program finds its platform plugin and style in the zip: it
# opens under a virtual display and pictures its window.
xvfb-run -a -s "-screen 0 1280x1024x24" "$wine" "$folder/tessaro-ip.exe" --screenshot "$(windows_path "$work/window.png")" \
  </dev/null >"$work/window.log" 2>&1 || fail "the unpacked tessaro-ip.exe: $(tail -n 20 "$work/window.log")"
[ -s "$work/window.png" ] || fail "the unpacked tessaro-ip.exe made no picture: $(tail -n 20 "$work/window.log")"
echo "ok: the unpacked tessaro-ip.exe opened its window"
