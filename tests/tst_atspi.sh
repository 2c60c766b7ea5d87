#!/usr/bin/env bash
# What a screen reader gets of the window, through AT-SPI on a session bus
# of the test's own (CTest runs this under dbus-run-session).
# Usage: tst_atspi.sh PROGRAM
source "$(dirname "$0")/x11session.sh"
/usr/libexec/at-spi-bus-launcher --launch-immediately &
pids+=($!)
mkdir "$work/app"
cp "$1" "$work/app/dovevad"
log="$work/app/Generated Chars.txt"
start_program "$work/app/dovevad" env QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
type_target AB
click_command1
answer_box 'Gefunden!'
/usr/bin/python3 "$(dirname "$0")/atspi_reads.py" "$(( $(stat -c %s "$log") / 3 ))" Stop
click_command1
/usr/bin/python3 "$(dirname "$0")/atspi_reads.py" "$(( $(stat -c %s "$log") / 3 ))" 'Type, Zizuzod, Type!'
close_program 0

# The log viewer: the current row and the chart's figures.
printf 'B\r\nA\r\nA\r\n' >"$work/log.txt"
QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$(dirname "$1")/dovevad-viewer" --ziel AA --gefunden 3 "$work/log.txt" 2>>"$work/stderr" &
pids+=($!)
/usr/bin/python3 "$(dirname "$0")/atspi_viewer.py" 'Zeichen 3: A, gefunden' 'A: 2, +1.633,33 %'
