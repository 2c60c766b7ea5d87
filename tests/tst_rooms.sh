#!/usr/bin/env bash
# The house's arrows, kept by the build: a file of one room that included a
# header of a room it may not reach would not find it, while the rooms that
# link it find it and compile it; neither the core nor the run finds a
# widget's header.
# Usage: tst_rooms.sh COMPILER CORE_DIRS DESKTOP_DIRS GENERATOR_DIRS VIEWER_DIRS APP_DIRS GPU_DIRS
#   (each a ;-list of the room's include folders, as its library sees them)
source "$(dirname "$0")/testlib.sh"
compiler=$1
declare -A dirs=([core]=$2 [desktop]=$3 [generator]=$4 [viewer]=$5 [app]=$6 [gpu]=$7)

# Compiles one line as a file of the room.
compiles() { # ROOM LINE
    local flags=() dir folders
    IFS=";" read -ra folders <<<"${dirs[$1]}"
    for dir in "${folders[@]}"; do [ -n "$dir" ] && flags+=(-I "$dir"); done
    echo "$2" >"$work/probe.cpp"
    "$compiler" -std=c++20 -fPIC -fsyntax-only "${flags[@]}" "$work/probe.cpp" >"$work/probe.log" 2>&1
}
reaches() { compiles "$1" "#include \"$2\"" || fail "$1 does not reach $2: $(cat "$work/probe.log")"; }
# Not found at all: not some other fault of the probe.
refuses() { # ROOM HEADER
    ! compiles "$1" "#include $2" || fail "$1 reaches $2"
    grep -q 'No such file' "$work/probe.log" || fail "$1: not the include that failed: $(cat "$work/probe.log")"
}

# One header of each room: the core's record, the desktop's boxes, the
# card's search, the run, the viewer's file, the window.
for room in core desktop gpu generator viewer app; do reaches "$room" aufzeichnung.h; done
for room in core gpu generator; do
    refuses "$room" '"msgbox.h"'
    refuses "$room" '<QWidget>'
    refuses "$room" '<QGuiApplication>'
done
refuses core '"generator.h"'
refuses core '"logdatei.h"'
refuses core '"kartensuche.h"'
reaches gpu kartensuche.h
refuses gpu '"generator.h"'
reaches generator kartensuche.h
refuses viewer '"kartensuche.h"'
refuses desktop '"generator.h"'
refuses desktop '"logdatei.h"'
reaches generator generator.h
refuses generator '"logdatei.h"'
refuses generator '"form1.h"'
reaches viewer msgbox.h
reaches viewer logdatei.h
refuses viewer '"generator.h"'
refuses viewer '"form1.h"'
reaches app form1.h
refuses app '"logdatei.h"'
ok "the core reaches no room and no widget, the card only the core, the run the core and the card, the desktop nothing above it, the viewer nothing of the run"
