#!/usr/bin/env bash
# The real program, run from a folder of its own, driven as a user drives it.
# Usage: tst_e2e.sh PROGRAM SCREENSHOT_DIR
program=$1
screenshots=$2
source "$(dirname "$0")/x11session.sh"

mkdir "$work/app"
cp "$program" "$work/app/dovevad"
log="$work/app/Generated Chars.txt"
size() { stat -c %s "$log"; }

start_program "$work/app/dovevad"
geometry=$(xdotool getwindowgeometry "$win" | sed -n 's/.*Geometry: //p')
[ "$geometry" = "690x152" ] || fail "window size $geometry"
xprop -id "$win" _NET_WM_STATE | grep -q _NET_WM_STATE_SKIP_TASKBAR || fail "shown in the task bar"
xprop -id "$win" WM_NORMAL_HINTS | grep -q "minimum size: 690 by 152" || fail "resizable"
import -window "$win" "$screenshots/dovevad-window.png"
ok "window of 690 by 152, fixed size, not in the task bar; screenshot in $screenshots"

type_target 'ab 3c.d!'
click_command1
answer_box 'Gefunden!'
check_log_lines "$log"
letters=$(tr -d '\r\n' <"$log")
[ "${letters: -4}" = ABCD ] || fail "the log ends in ${letters: -4}"
[ "$(grep -o ABCD <<<"$letters" | wc -l)" -eq 1 ] || fail "the target occurs before the end"
[ "$(cat "$work/opened")" = "$(url_of "$log")" ] || fail "the viewer was asked for: $(cat "$work/opened")"
ok "cleaned target found after $(( $(size) / 3 )) letters, log handed to the viewer"
click_command1 # back to idle

type_target 'ZEICHENFOLGE'
click_command1
sleep 0.5
click_command1
wait_until '[ "$(opened_count)" -eq 2 ]'
stopped=$(size)
sleep 0.5
[ "$(size)" -eq "$stopped" ] || fail "the log grew after the stop"
[ "$stopped" -gt 0 ] || fail "the stopped run wrote nothing"
check_log_lines "$log"
ok "12-letter run stopped after $(( stopped / 3 )) letters; the log grows no more"

click_command1
sleep 0.3
click_command2
wait_until '[ -n "$(find_window Hilfe)" ]'
paused=$(size)
sleep 0.5
[ "$(size)" -eq "$paused" ] || fail "the run went on behind the help box"
answer_box 'Hilfe'
wait_until '[ "$(size)" -gt "$paused" ]' 5
click_command1
wait_until '[ "$(opened_count)" -eq 3 ]'
ok "the help box pauses the run, which goes on after it"

click_command1
sleep 0.3
close_program 0
[ ! -e "$log" ] || fail "the log is left after closing"
[ "$(opened_count)" -eq 3 ] || fail "the viewer was asked after closing"
ok "closing during a run removes the log and ends with status 0"

mkdir "$log" # a folder in the log's way
start_program "$work/app/dovevad"
click_command1
answer_box 'Dovevad – Fehler'
status=0
wait "$app" || status=$?
[ "$status" -eq 1 ] || fail "exit status $status after a failed start"
grep -q "Datei: $log" "$work/stderr" || fail "the error does not name the log"
ok "a folder in the log's way is reported, then the program ends with status 1"
