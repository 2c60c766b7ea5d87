#!/usr/bin/env bash
# The real program in an X server of its own, driven as a user drives it:
# a fake xdg-open first on PATH records what the desktop is asked to open.
# Usage: tst_e2e.sh PROGRAM SCREENSHOT_DIR
set -euo pipefail

program=$1
screenshots=$2
work=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }
ok() { echo "ok - $*"; }
wait_until() { # CONDITION [SECONDS]
    local tries=$(( ${2:-20} * 10 ))
    for ((i = 0; i < tries; i++)); do
        eval "$1" && return 0
        sleep 0.1
    done
    fail "timed out waiting for: $1"
}

# An X server on a free display, and a window manager to close windows politely.
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
pids+=($!)
wait_until '[ -s "$work/display" ]'
export DISPLAY=":$(cat "$work/display")"
openbox >/dev/null 2>&1 &
pids+=($!)
wait_until 'xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"'

mkdir "$work/bin" "$work/app"
cp "$program" "$work/app/dovevad"
cat >"$work/bin/xdg-open" <<SCRIPT
#!/bin/sh
printf '%s\n' "\$1" >>"$work/opened"
SCRIPT
chmod +x "$work/bin/xdg-open"
touch "$work/opened"
export PATH="$work/bin:$PATH" QT_QPA_PLATFORM=xcb
log="$work/app/Generated Chars.txt"

start_program() {
    "$work/app/dovevad" 2>"$work/stderr" &
    app=$!
    pids+=("$app")
    win=$(xdotool search --sync --onlyvisible --name '^Dovevad$' | head -n 1)
}
click() { xdotool mousemove --window "$win" "$1" "$2" click 1; sleep 0.2; }
click_text1() { click 345 34; }
click_command1() { click 345 124; }
click_command2() { click 664 128; }
type_target() {
    click_text1
    xdotool key --clearmodifiers ctrl+a
    xdotool type --delay 20 "$1"
    xdotool key Tab
}
find_window() { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1; }
answer_box() { # TITLE
    wait_until "[ -n \"\$(find_window '$1')\" ]"
    local box
    box=$(find_window "$1")
    xdotool windowactivate --sync "$box" key --clearmodifiers Return
    wait_until "[ -z \"\$(find_window '$1')\" ]"
}
size() { stat -c %s "$log"; }
opened_count() { wc -l <"$work/opened"; }
check_log_lines() {
    [ $(( $(size) % 3 )) -eq 0 ] || fail "the log does not end on a whole line"
    local bad
    bad=$(LC_ALL=C grep -cvE $'^[A-Z]\r$' "$log" || true)
    [ "$bad" -eq 0 ] || fail "$bad lines of the log are not one letter and CR LF"
}

start_program
geometry=$(xdotool getwindowgeometry "$win" | sed -n 's/.*Geometry: //p')
[ "$geometry" = "690x152" ] || fail "window size $geometry"
xprop -id "$win" _NET_WM_STATE | grep -q _NET_WM_STATE_SKIP_TASKBAR || fail "shown in the task bar"
xprop -id "$win" WM_NORMAL_HINTS | grep -q "minimum size: 690 by 152" || fail "resizable"
import -window "$win" "$screenshots/dovevad-window.png"
ok "window of 690 by 152, fixed size, not in the task bar; screenshot in $screenshots"

type_target 'ab 3c.d!'
click_command1
answer_box 'Gefunden!'
check_log_lines
letters=$(tr -d '\r\n' <"$log")
[ "${letters: -4}" = ABCD ] || fail "the log ends in ${letters: -4}"
[ "$(grep -o ABCD <<<"$letters" | wc -l)" -eq 1 ] || fail "the target occurs before the end"
[ "$(cat "$work/opened")" = "file://${log// /%20}" ] || fail "the viewer was asked for: $(cat "$work/opened")"
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
check_log_lines
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
wmctrl -i -c "$win"
status=0
wait "$app" || status=$?
[ "$status" -eq 0 ] || fail "exit status $status after closing during a run"
[ ! -e "$log" ] || fail "the log is left after closing"
[ "$(opened_count)" -eq 3 ] || fail "the viewer was asked after closing"
ok "closing during a run removes the log and ends with status 0"

mkdir "$log" # a folder in the log's way
start_program
click_command1
answer_box 'Dovevad – Fehler'
status=0
wait "$app" || status=$?
[ "$status" -eq 1 ] || fail "exit status $status after a failed start"
grep -q "Datei: $log" "$work/stderr" || fail "the error does not name the log"
ok "a folder in the log's way is reported, then the program ends with status 1"
