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
wait_until 'xprop -id "$win" _NET_WM_STATE | grep -q _NET_WM_STATE_SKIP_TASKBAR' 5
xprop -id "$win" WM_NORMAL_HINTS | grep -q "minimum size: 690 by 152" || fail "resizable"
import -window "$win" "$screenshots/dovevad-window.png"
ok "window of 690 by 152, fixed size, not in the task bar; screenshot in $screenshots"

# The keyboard alone: typed keys reach the target at once, and the window
# is active again after each box, so that a run can be stopped.
active_is_window() { wait_until '[ "$(xdotool getactivewindow 2>/dev/null)" = "$win" ]' 5; }
keys() { xdotool key --clearmodifiers "$@"; sleep 0.2; }
return_in_box() { # TITLE: the box has the focus by itself
    wait_until "[ -n \"\$(find_window '$1')\" ] && [ \"\$(xdotool getactivewindow 2>/dev/null)\" = \"\$(find_window '$1')\" ]" 5
    keys Return
    wait_until "[ -z \"\$(find_window '$1')\" ]"
}
active_is_window
keys ctrl+a
xdotool type --delay 20 'AB'
keys Tab space
return_in_box 'Gefunden!'
active_is_window
letters=$(tr -d '\r\n' <"$log")
[ "${letters: -2}" = AB ] || fail "typed keys did not reach the target: the log ends in ${letters: -2}"
keys space shift+Tab ctrl+a
xdotool type --delay 20 'ZEICHENFOLGE'
keys Tab space Tab space
return_in_box 'Hilfe'
active_is_window
wait_until '[ "$(size)" -gt 0 ]'
keys shift+Tab space
wait_until '[ "$(opened_count)" -eq 2 ]'
xprop -id "$win" _NET_WM_STATE | grep -q _NET_WM_STATE_SKIP_TASKBAR || fail "in the task bar after the boxes"
keys alt+F4
status=0
wait "$app" || status=$?
[ "$status" -eq 0 ] || fail "exit status $status after Alt+F4"
> "$work/opened"
ok "keyboard alone: target typed, found, help during a run, stopped and closed; focus back after each box"

start_program "$work/app/dovevad"
type_target 'ab 3c.d!'
click_command1
answer_box 'Gefunden!'
check_log_lines "$log"
letters=$(tr -d '\r\n' <"$log")
[ "${letters: -4}" = ABCD ] || fail "the log ends in ${letters: -4}"
[ "$(grep -o ABCD <<<"$letters" | wc -l)" -eq 1 ] || fail "the target occurs before the end"
[ "$(cat "$work/opened")" = "$(url_of "$log")" ] || fail "the viewer was asked for: $(cat "$work/opened")"
sleep 0.3
[ -z "$(other_box)" ] || fail "a box although the viewer started"
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

# Beside the program, its own viewer takes a large log, and stays open after
# the program ends; a small log still goes to the desktop's viewer.
viewer_title='Generated Chars\.txt – .* Zeichen.* – Dovevad-Logbetrachter'
cp "$(dirname "$program")/dovevad-viewer" "$work/app/"
> "$work/opened"
start_program "$work/app/dovevad"
type_target ZEICHENFOLGE
click_command1
sleep 0.3
click_command1
wait_until '[ -n "$(find_window "$viewer_title")" ]'
viewer=$(find_window "$viewer_title")
pids+=("$(xdotool getwindowpid "$viewer")")
grouped() { sed ':a;s/\B[0-9]\{3\}\>/.&/;ta' <<<"$(( $(size) / 3 ))"; } # German digit groups
grouped=$(grouped)
[ "$(xdotool getwindowname "$viewer")" = "Generated Chars.txt – $grouped Zeichen – Dovevad-Logbetrachter" ] \
    || fail "the viewer's title: $(xdotool getwindowname "$viewer")"
sleep 0.5
import -window "$viewer" "$screenshots/dovevad-viewer-stopped.png"
[ "$(opened_count)" -eq 0 ] || fail "the desktop was asked for a large log"
front() { # over the viewers, which open where the window is
    timeout 5 xdotool windowactivate --sync "$win" || true
    active_is_window
    sleep 0.2
}
found=0
for attempt in 1 2 3; do
    front
    type_target ABCDE # about 12 million letters, seldom fewer than 100.000
    click_command1
    answer_box 'Gefunden!'
    [ "$(size)" -gt 300000 ] && found=1 && break
    front
    click_command1
done
[ "$found" -eq 1 ] || fail "no large log in three found runs"
grouped=$(grouped)
found_title="Generated Chars\.txt – $grouped Zeichen – Dovevad-Logbetrachter"
wait_until '[ -n "$(find_window "$found_title")" ]'
sleep 0.5
import -window "$(find_window "$found_title")" "$screenshots/dovevad-viewer-found.png"
front
click_command1
wait_until 'xdotool search --name "(durch eine andere Datei ersetzt)" >/dev/null' # the first viewer sees its log go
small=$(( $(opened_count) + 1 ))
front
type_target AB
click_command1
answer_box 'Gefunden!'
click_command1
wait_until '[ "$(opened_count)" -eq "$small" ]'
close_program 0
wait_until '[ -n "$(find_window "$viewer_title")" ]'
ok "a stopped and a found run's large logs open the program's viewer, which outlives it; a small one the desktop's"
for window in $(xdotool search --name "$viewer_title"); do wmctrl -i -c "$window"; done
wait_until '[ -z "$(find_window "$viewer_title")" ]'

# Recording alone: no log, and the record opens in the program's viewer,
# whose selected rows copy.
"${limited[@]}" "$work/app/dovevad" --kompakt 2>"$work/stderr" &
app=$!
pids+=("$app")
wait_until 'win=$(find_window Dovevad) && [ -n "$win" ]'
type_target ABCD
click_command1
answer_box 'Gefunden!'
record_title='Generated Chars\.dovrec – .* Zeichen – Dovevad-Logbetrachter'
wait_until '[ -n "$(find_window "$record_title")" ]'
[ ! -e "$log" ] && [ -s "${log%.txt}.dovrec" ] || fail "a run with --kompakt wrote a log, or no record"
viewer=$(find_window "$record_title")
pids+=("$(xdotool getwindowpid "$viewer")")
timeout 5 xdotool windowactivate --sync "$viewer" key --clearmodifiers ctrl+c
wait_until '[ "$(xclip -o -selection clipboard 2>/dev/null)" = D ]'
xdotool key --clearmodifiers shift+Up shift+Up shift+Up ctrl+c
wait_until '[ "$(xclip -o -selection clipboard 2>/dev/null)" = "$(printf "A\nB\nC\nD")" ]'
wmctrl -i -c "$viewer"
front
click_command1
close_program 0
[ ! -e "${log%.txt}.dovrec" ] || fail "the record is left after closing"
ok "with --kompakt the found run's record opens in the program's viewer, where selected rows copy; closing removes it"
rm "$work/app/dovevad-viewer"
> "$work/opened"

# A second program on the same log shows a box and ends; the first goes on.
start_program "$work/app/dovevad"
first=$app first_win=$win
"$work/app/dovevad" 2>"$work/stderr2" &
second=$!
pids+=("$second")
wait_until '[ -n "$(other_box)" ]'
box=$(other_box)
xdotool windowactivate --sync "$box" key --clearmodifiers Return
wait_until '! kill -0 "$second" 2>/dev/null' 10
status=0
wait "$second" || status=$?
[ "$status" -eq 0 ] || fail "exit status $status of the second program"
type_target AB
click_command1
answer_box 'Gefunden!'
[ "$(tail -n 1 "$work/opened")" = "$(url_of "$log")" ] || fail "the first program was disturbed"
kill -KILL "$first"
wait "$first" || true
[ -e "$log.lock" ] || fail "a crashed program left no lock"
start_program "$work/app/dovevad"
ok "a second program on the same log ends with status 0; a crashed one's lock is taken over"

# Ended from outside, idle or during a run, it ends as a close does.
for signal in TERM HUP INT; do
    [ "$signal" = TERM ] || { click_command1; sleep 0.3; }
    [ -e "$log" ] || fail "no log before SIG$signal"
    kill -s "$signal" "$app"
    status=0
    wait "$app" || status=$?
    [ "$status" -eq 0 ] || fail "exit status $status after SIG$signal"
    [ ! -e "$log" ] && [ ! -e "$log.lock" ] || fail "SIG$signal left the log or its lock"
    start_program "$work/app/dovevad"
    type_target A
    click_command1
    answer_box 'Gefunden!'
done
ok "SIGTERM when idle, SIGHUP and SIGINT during a run: status 0, log and lock removed"
close_program 0

# The X server going away during a run, as at the end of a session.
Xvfb -displayfd 3 -screen 0 800x600x24 -nolisten tcp 3>"$work/display2" 2>/dev/null &
lost_x=$!
pids+=("$lost_x")
wait_until '[ -s "$work/display2" ]'
DISPLAY=":$(cat "$work/display2")" "${limited[@]}" "$work/app/dovevad" 2>"$work/stderr" &
app=$!
pids+=("$app")
wait_until 'win=$(DISPLAY=":$(cat "$work/display2")" find_window Dovevad) && [ -n "$win" ]'
DISPLAY=":$(cat "$work/display2")" xdotool mousemove --window "$win" 345 124 click 1
wait_until '[ -s "$log" ]'
kill "$lost_x"
wait "$app" || true
[ ! -e "$log" ] && [ ! -e "$log.lock" ] || fail "the lost X server left the log or its lock"
ok "losing the X server during a run removes the log"

# No viewer, or one that fails: the run ends as ever, and a box says so.
mkdir "$work/none" "$work/failing"
printf '#!/bin/sh\necho "xdg-open: no method available" >&2\nexit 3\n' >"$work/failing/xdg-open"
chmod 755 "$work/failing/xdg-open"
for viewer in none failing; do
    start_program "$work/app/dovevad" env "PATH=$work/$viewer"
    for target in AB BA; do
        type_target "$target"
        click_command1
        answer_box 'Gefunden!'
        wait_until '[ -n "$(other_box)" ]'
        xdotool windowactivate --sync "$(other_box)" key --clearmodifiers Return
        wait_until '[ -z "$(other_box)" ]'
        click_command1
        check_log_lines "$log"
    done
    close_program 0
done
ok "with no xdg-open, or a failing one, a box tells so after each run and the window stays usable"

# Where neither the program's folder nor the user's data folder takes the
# log, the error box names it; nothing is written anywhere.
mkdir "$work/readonly" "$work/readonly/home"
cp "$work/app/dovevad" "$work/readonly/"
read_only_to_user "$work/readonly" "$work/readonly/home"
touch "$work/before"
start_program "$work/readonly/dovevad" env "HOME=$work/readonly/home" "${ordinary_user[@]}"
click_command1
answer_box 'Dovevad – Fehler'
status=0
wait "$app" || status=$?
[ "$status" -eq 1 ] || fail "exit status $status with a read-only folder"
written=$(find "$work" -newer "$work/before" -type f ! -name stderr ! -name opened)
[ -z "$written" ] || fail "written despite the error: $written"
ok "read-only folders: the error box, status 1, nothing written"

mkdir "$log" # a folder in the log's way
start_program "$work/app/dovevad"
click_command1
answer_box 'Dovevad – Fehler'
status=0
wait "$app" || status=$?
[ "$status" -eq 1 ] || fail "exit status $status after a failed start"
grep -q "Datei: $log" "$work/stderr" || fail "the error does not name the log"
ok "a folder in the log's way is reported, then the program ends with status 1"
