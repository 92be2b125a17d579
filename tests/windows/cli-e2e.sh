#!/usr/bin/env bash
# tessaro-cli.exe under Wine against the simulated unit on Wine's COM1: it
# reads all, writes all and makes a test call, and the unit receives the
# same bytes as from the Linux build; the saved settings file is the same
# file. Texts reach a console as UTF-8; Ctrl-C ends monitor in order.
#
#   cli-e2e.sh WINDOWS_BUILD UNIT_SIM LINUX_CLI
set -euo pipefail
build=$(realpath "$1")
unit_sim=$(realpath "$2")
linux_cli=$(realpath "$3")
source "$(dirname "$0")/wine-lib.sh"
windows_cli="$build/cli/tessaro-cli.exe"

wine_work cli
wine_prefix "$work/prefix"
# Each program's folder is its program folder and working folder, so file
# names in the arguments are the same for both.
mkdir -p "$work/windows" "$work/linux"
# Logging on, so that the logs can be compared too.
for side in windows linux; do
  printf '0        Compoort ->0\r\n1      Logfile ->1\r\n2       SetPath ->\r\n3       UnitType ->3\r\n4       Taal ->0\r\n5       Case ->1\r\n' \
    >"$work/$side/TessaroIP.set"
done

unit_args=(--hex --status-every 0 --set 21=2 --set 10=4 --set 31=10 --set 23=100 --set 41=3 --set 18=65)

# Seconds since a time taken from EPOCHREALTIME, to the millisecond.
since() { awk -v from="$1" -v to="$EPOCHREALTIME" 'BEGIN { printf "%.3f", to - from }'; }

# Wine's own start, for the figures below: the program only prints its usage.
started=$EPOCHREALTIME
mkdir -p "$work/help"
(cd "$work/help" && TESSARO_PROGRAM_FOLDER=$(windows_path .) "$wine" "$windows_cli" --help </dev/null >/dev/null 2>&1) \
  || fail "tessaro-cli.exe --help"
echo "tessaro-cli.exe --help: $(since "$started") s (Wine's start)"

# One run of each program against a unit of its own; $1 names the step.
both() {
  local step=$1
  shift
  sim_start "windows-$step" "${unit_args[@]}"
  wine_com1 "$pts"
  local started=$EPOCHREALTIME
  (cd "$work/windows" && TESSARO_PROGRAM_FOLDER=$(windows_path .) "$wine" "$windows_cli" "$@" \
    </dev/null >"$work/windows-$step.out" 2>"$work/windows-$step.err") \
    || fail "tessaro-cli.exe $*: $(cat "$work/windows-$step.err")"
  echo "tessaro-cli.exe $step: $(since "$started") s (Wine's start included)"
  sim_stop

  sim_start "linux-$step" "${unit_args[@]}"
  started=$EPOCHREALTIME
  (cd "$work/linux" && TESSARO_PROGRAM_FOLDER=. TESSARO_COM1="$pts" "$linux_cli" "$@" \
    </dev/null >"$work/linux-$step.out" 2>"$work/linux-$step.err") \
    || fail "tessaro-cli $*: $(cat "$work/linux-$step.err")"
  echo "tessaro-cli $step: $(since "$started") s"
  sim_stop

  [ -n "$(sim_requests "windows-$step")" ] || fail "$step: the unit received nothing from tessaro-cli.exe"
  diff <(sim_requests "windows-$step") <(sim_requests "linux-$step") >"$work/$step.diff" \
    || fail "$step: the unit received other bytes from Windows than from Linux (see $work/$step.diff)"
  # Standard output is in text mode on Windows: its lines end in CR LF.
  diff <(tr -d '\r' <"$work/windows-$step.out") "$work/linux-$step.out" >"$work/$step-out.diff" \
    || fail "$step: other output on Windows than on Linux (see $work/$step-out.diff)"
  echo "ok: $step, the same $(sim_requests "windows-$step" | wc -l) request frames as from Linux"
}

both read-all read-all --save unit.cfg
cmp "$work/windows/unit.cfg" "$work/linux/unit.cfg" || fail "the saved settings files differ"
grep -q $'^21 .*->2\r$' "$work/windows/unit.cfg" || fail "unit.cfg lacks the unit's value of item 21"
echo "ok: the saved settings file is the same file on both"

both write-all write-all unit.cfg
both test-call test-call 1234 --message "Zürich Straße" --bleep 3
LC_ALL=C grep -aq "Z.*rich" "$work/windows-test-call.log" || fail "the unit saw no call with the message"

# The logs hold the same bytes (Windows-1252, CR LF) but for the times and
# where the backup went, which names the program folder and the time.
untimed() { cut -c 9- "$1"/Log/*.log | sed 's/\(Backup of .* saved as \).*\r$/\1.../'; }
cmp <(untimed "$work/windows") <(untimed "$work/linux") || fail "the logs differ beyond their times"
# Both kept the same unit's settings before writing.
cmp "$work"/windows/Backup/*.cfg "$work"/linux/Backup/*.cfg || fail "the backups differ"
cmp "$work/windows/TessaroIP.set" "$work/linux/TessaroIP.set" || fail "the program settings files differ"
echo "ok: the logs and program settings files are the same bytes"

# A console: Wine gives a program started on a terminal a console of its own.
# A UTF-8 text shown in the console code page would come out garbled.
(cd "$work/windows" && TESSARO_PROGRAM_FOLDER=$(windows_path .) \
  script -qec "$wine $windows_cli --lang de show unit.cfg" /dev/null </dev/null >"$work/console.out" 2>&1) \
  || fail "tessaro-cli.exe in a console: $(tail -n 5 "$work/console.out")"
grep -q "ä\|ö\|ü\|ß" "$work/console.out" || fail "no German letters in the console's output (see $work/console.out)"
if grep -q "Ã" "$work/console.out"; then fail "UTF-8 shown in another code page (see $work/console.out)"; fi
echo "ok: German texts appear right in a console"

# Ctrl-C in the console (Wine turns SIGINT into it) ends monitor in order:
# exit status 0 and the port closed, like on Linux.
sim_start monitor "${unit_args[@]}"
wine_com1 "$pts"
(cd "$work/windows" && TESSARO_PROGRAM_FOLDER=$(windows_path .) \
  exec "$wine" "$windows_cli" monitor </dev/null >"$work/monitor.out" 2>"$work/monitor.err") &
monitor=$!
sleep 3
kill -INT "$monitor"
status=0
wait "$monitor" || status=$?
sim_stop
[ "$status" -eq 0 ] || fail "monitor ended with $status after Ctrl-C: $(cat "$work/monitor.err")"
echo "ok: Ctrl-C ends monitor with status 0"
