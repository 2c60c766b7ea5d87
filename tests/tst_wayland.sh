#!/usr/bin/env bash
# The program in a Wayland session: weston inside an X server of the test's
# own (its X backend gives it a keyboard), with XWayland beside it.
# Usage: tst_wayland.sh PROGRAM
source "$(dirname "$0")/testlib.sh"

mkdir "$work/app" "$work/run"
chmod 700 "$work/run"
cp "$1" "$work/app/dovevad"
log="$work/app/Generated Chars.txt"
export XDG_RUNTIME_DIR="$work/run" DBUS_SESSION_BUS_ADDRESS="unix:path=$work/no-session-bus"
unset QT_QPA_PLATFORM

Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
pids+=($!)
wait_until '[ -s "$work/display" ]'
host=":$(cat "$work/display")"
start_weston() {
    DISPLAY=$host weston --backend=x11-backend.so --use-pixman --xwayland --socket=wayland-test \
        --idle-time=0 --width=900 --height=600 >"$work/weston.log" 2>&1 &
    weston=$!
    pids+=("$weston")
    wait_until 'grep -q "xserver listening on display" "$work/weston.log"'
    xwayland=$(sed -n 's/.*xserver listening on display \(:[0-9]*\).*/\1/p' "$work/weston.log")
}
start_weston
export WAYLAND_DISPLAY=wayland-test

# With X beside Wayland, the program runs on X, where its hints hold.
DISPLAY=$xwayland QT_DEBUG_PLUGINS=1 prlimit --fsize=$((1 << 30)) "$work/app/dovevad" 2>"$work/stderr" &
app=$!
pids+=("$app")
wait_until '[ -n "$(DISPLAY=$xwayland xdotool search --name "^Dovevad\$" 2>/dev/null || true)" ]'
grep -q 'libqxcb.so" loaded library' "$work/stderr" || fail "not on xcb: $(grep 'loaded library' "$work/stderr")"
kill -TERM "$app"
status=0
wait "$app" || status=$?
[ "$status" -eq 0 ] || fail "status $status after SIGTERM on XWayland"
ok "with DISPLAY and WAYLAND_DISPLAY set, the program runs on xcb, its window on the XWayland display"

# On Wayland itself: a run started from the keyboard; the end of the
# program, and the compositor going away, remove the log.
run_on_wayland() {
    env -u DISPLAY QT_QPA_PLATFORM=wayland prlimit --fsize=$((1 << 30)) "$work/app/dovevad" 2>"$work/stderr" &
    app=$!
    pids+=("$app")
    wait_until '[ -e "$log.lock" ]'
    # Keys sent before the window has the keyboard are lost: try again.
    for try in 1 2 3 4 5; do
        sleep 1
        DISPLAY=$host xdotool key Tab space
        for ((i = 0; i < 20; i++)); do [ -s "$log" ] && break 2; sleep 0.1; done
    done
    [ -s "$log" ] || fail "no run started on Wayland"
}
run_on_wayland
kill -TERM "$app"
status=0
wait "$app" || status=$?
[ "$status" -eq 0 ] && [ ! -e "$log" ] && [ ! -e "$log.lock" ] || fail "SIGTERM on Wayland: status $status, $(ls "$work/app")"
run_on_wayland
kill "$weston"
status=0
wait "$app" || status=$?
[ "$status" -eq 0 ] && [ ! -e "$log" ] && [ ! -e "$log.lock" ] || fail "compositor gone: status $status, $(ls "$work/app")"
ok "on Wayland a run ends with the program, and with the compositor, leaving no log"
