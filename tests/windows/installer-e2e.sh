#!/usr/bin/env bash
# The installer: made by cpack's NSIS generator, installed silently (/S) in
# a fresh Wine prefix. The installed tessaro-cli.exe reads all from the
# simulated unit; the program folder under Program Files cannot be written
# by the user, so the program keeps its files in %APPDATA%\Tessaro-IP. The
# uninstaller (/S) then takes away everything but those files.
#
# Wine makes every user an administrator, and root may write anywhere, so
# Wine runs as the user nobody here, and the installed folder is handed to
# root between installing and uninstalling, as an administrator's install
# is on Windows.
#
#   installer-e2e.sh WINDOWS_BUILD UNIT_SIM
set -euo pipefail
build=$(realpath "$1")
unit_sim=$(realpath "$2")
source "$(dirname "$0")/wine-lib.sh"
unset WINEPATH

wine_work installer
cpack -G NSIS --config "$build/CPackConfig.cmake" -B "$work/package" >"$work/cpack.log" 2>&1 \
  || fail "cpack -G NSIS: $(tail -n 20 "$work/cpack.log")"
installer=$(ls "$work"/package/*.exe)
echo "installer: $(basename "$installer"), $(stat -c %s "$installer") bytes"

user=65534
mkdir -p "$work/prefix" "$work/home"
cp "$installer" "$work/setup.exe"
chown -R "$user:$user" "$work/prefix" "$work/home" "$work/setup.exe"
run_as=(setpriv --reuid="$user" --regid="$user" --clear-groups env HOME="$work/home")
wine_prefix "$work/prefix"
user_name=$(ls "$WINEPREFIX/drive_c/users" | grep -vx Public)

wine_run "$work/setup.exe" /S </dev/null >"$work/install.log" 2>&1 || fail "install: $(tail -n 20 "$work/install.log")"
wineserver_run -w
installed="$WINEPREFIX/drive_c/Program Files/Tessaro-IP"
for file in tessaro-ip.exe tessaro-cli.exe Uninstall.exe Qt6Widgets.dll platforms/qwindows.dll; do
  [ -f "$installed/$file" ] || fail "not installed: $file (in $(ls "$installed" 2>&1))"
done
shortcut=$(find "$WINEPREFIX/drive_c" -path "*Start Menu*" -name "Tessaro-IP.lnk" -print -quit)
[ -n "$shortcut" ] || fail "no Start-menu entry"
# The entry shows the icon of the program it starts.
wrestool -l --type=14 "$installed/tessaro-ip.exe" | grep -q . || fail "tessaro-ip.exe carries no icon"
wine_run reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Tessaro-IP' /v UninstallString \
  </dev/null >/dev/null 2>&1 || fail "not in the list of installed programs"
echo "ok: installed silently, with a Start-menu entry (${shortcut#"$WINEPREFIX/drive_c/"})"

# Installed by an administrator: the user may not write the program folder.
chown -R root:root "$installed"
chmod -R go-w "$installed"
before=$(cd "$installed" && find . | sort)

sim_start unit --status-every 0 --set 21=2 --set 10=4
chmod 666 "$pts"
wine_com1 "$pts"
(cd "$work/home" && wine_run 'C:\Program Files\Tessaro-IP\tessaro-cli.exe' read-all \
  </dev/null >"$work/read-all.out" 2>"$work/read-all.err") \
  || fail "the installed tessaro-cli.exe read-all: $(cat "$work/read-all.err")"
sim_stop
grep -q '^ *21 .*2' "$work/read-all.out" || fail "no item 21 in: $(head -n 20 "$work/read-all.out")"
echo "ok: the installed tessaro-cli.exe read all from the unit"

appdata="$WINEPREFIX/drive_c/users/$user_name/AppData/Roaming/Tessaro-IP"
[ -d "$appdata" ] || fail "no program folder in AppData"
[ "$(cd "$installed" && find . | sort)" = "$before" ] || fail "the program wrote into its installed folder"
user_files=$(cd "$appdata" && find . -mindepth 1 | sort)
[ -n "$user_files" ] || fail "nothing kept in $appdata"
echo "ok: the installed program keeps its files in %APPDATA%\\Tessaro-IP: $(tr '\n' ' ' <<<"$user_files")"

# An administrator uninstalls.
chown -R "$user:$user" "$installed"
wine_run 'C:\Program Files\Tessaro-IP\Uninstall.exe' /S </dev/null >"$work/uninstall.log" 2>&1 \
  || fail "uninstall: $(tail -n 20 "$work/uninstall.log")"
# The uninstaller runs on from a copy of itself; the server ends after it.
wineserver_run -w
[ ! -e "$installed" ] || fail "left in Program Files: $(cd "$installed" && find . -mindepth 1)"
[ ! -e "$shortcut" ] || fail "the Start-menu entry is left"
# Wine's own record of the menu files it made on the host stays; it is
# Wine's, not the installer's.
registry() { awk '/^\[/ { wine = ($0 ~ /^\[Software\\\\Wine\\\\MenuFiles\]/) } !wine' "$WINEPREFIX"/*.reg; }
leftover=$(registry | grep -i -B1 tessaro || true)
[ -z "$leftover" ] || fail "registry entries left: $leftover"
others=$(cd "$WINEPREFIX/drive_c" && find . -iname "*tessaro*" ! -path "./users/$user_name/AppData/Roaming/Tessaro-IP*")
[ -z "$others" ] || fail "left after uninstalling: $others"
[ "$(cd "$appdata" && find . -mindepth 1 | sort)" = "$user_files" ] || fail "the user's files were touched"
echo "ok: uninstalled silently; only the user's files in AppData are left"
