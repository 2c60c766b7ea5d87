# Sourced by the tests that drive the real program as a user does: an X
# server of their own with a window manager, a fake xdg-open first on PATH
# that records what the desktop is asked to open, and helpers for xdotool.
source "$(dirname "${BASH_SOURCE[0]}")/testlib.sh"

Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
pids+=($!)
wait_until '[ -s "$work/display" ]'
export DISPLAY=":$(cat "$work/display")"
openbox >/dev/null 2>&1 &
pids+=($!)
wait_until 'xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"'

mkdir "$work/bin"
cat >"$work/bin/xdg-open" <<SCRIPT
#!/bin/sh
printf '%s\n' "\$1" >>"$work/opened"
SCRIPT
chmod 755 "$work/bin/xdg-open"
touch "$work/opened"
export PATH="$work/bin:$PATH" QT_QPA_PLATFORM=xcb
# The viewer's title holds a "–". Where characters are not UTF-8, as under
# LANG=C, Qt writes the X title in bytes that xdotool misreads, and no
# title would match; the language is chosen apart from this.
[ "$(locale charmap 2>/dev/null)" = UTF-8 ] || export LC_CTYPE=C.UTF-8
# No session bus is started behind the tests' back (D-Bus autolaunch would
# leave a dbus-launch running): a test that wants one brings its own. A run
# that never ends stops at 4 GiB, some seconds of typing.
export DBUS_SESSION_BUS_ADDRESS="${DBUS_SESSION_BUS_ADDRESS:-unix:path=$work/no-session-bus}"
limited=("$(command -v prlimit)" --fsize=$((4 << 30)))

# An ordinary user, to whom folders of others are read-only: run as nobody
# where the tests run as root, else as the user running them.
chmod 755 "$work"
chmod 666 "$work/opened"
ordinary_user=()
[ "$(id -u)" -ne 0 ] || ordinary_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
read_only_to_user() { [ "$(id -u)" -eq 0 ] || chmod a-w "$@"; }
home_of_user() { # DIR: a home folder the ordinary user may write in
    mkdir -p "$1"
    [ "$(id -u)" -ne 0 ] || chown nobody "$1"
}

# Windows come and go while xdotool looks at them, which it may not survive.
find_window() { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1 || true; }
program_args=() # what the next start passes the program
start_program() { # PROGRAM [COMMAND PREFIX...]: sets $app and $win
    "${@:2}" "${limited[@]}" "$1" "${program_args[@]}" 2>"$work/stderr" &
    app=$!
    pids+=("$app")
    wait_until 'win=$(find_window Dovevad) && [ -n "$win" ]'
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
# A window titled Dovevad other than the main window: the program's own boxes.
other_box() { { xdotool search --onlyvisible --name '^Dovevad$' 2>/dev/null || true; } | grep -vx "$win" | head -n 1 || true; }
answer_box() { # TITLE
    wait_until "[ -n \"\$(find_window '$1')\" ]"
    local box
    box=$(find_window "$1")
    xdotool windowactivate --sync "$box" key --clearmodifiers Return
    wait_until "[ -z \"\$(find_window '$1')\" ]"
}
close_program() { # closes the window as a desktop does; EXPECTED_STATUS
    wmctrl -i -c "$win"
    local status=0
    wait "$app" || status=$?
    [ "$status" -eq "$1" ] || fail "exit status $status, expected $1"
}
opened_count() { wc -l <"$work/opened"; }
url_of() { printf 'file://%s' "${1// /%20}"; }
check_log_lines() { # LOG
    [ $(( $(stat -c %s "$1") % 3 )) -eq 0 ] || fail "the log does not end on a whole line"
    local bad
    bad=$(LC_ALL=C grep -cvE $'^[A-Z]\r$' "$1" || true)
    [ "$bad" -eq 0 ] || fail "$bad lines of the log are not one letter and CR LF"
}
