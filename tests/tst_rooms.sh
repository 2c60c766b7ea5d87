#!/usr/bin/env bash
# The house's arrows, kept by the build: a file of platform/ or viewer/ that
# included the run's header would not find it, while the rooms that link the
# run find it and compile it.
# Usage: tst_rooms.sh COMPILER PLATFORM_DIRS VIEWER_DIRS GENERATOR_DIRS APP_DIRS
#   (each a ;-list of the room's include folders, as its library sees them)
source "$(dirname "$0")/testlib.sh"
compiler=$1

# Compiles one line as a file of the room whose include folders are given.
compiles() { # DIRS LINE
    local flags=() dir folders
    IFS=";" read -ra folders <<<"$1"
    for dir in "${folders[@]}"; do [ -n "$dir" ] && flags+=(-I "$dir"); done
    echo "$2" >"$work/probe.cpp"
    "$compiler" -std=c++20 -fPIC -fsyntax-only "${flags[@]}" "$work/probe.cpp" >"$work/probe.log" 2>&1
}

for room in platform:"$2" viewer:"$3"; do
    name=${room%%:*} roomdirs=${room#*:}
    ! compiles "$roomdirs" '#include "generator.h"' || fail "$name reaches the run's generator.h"
    grep -q 'generator.h: No such file' "$work/probe.log" || fail "$name: not the include that failed: $(cat "$work/probe.log")"
    compiles "$roomdirs" '#include "aufzeichnung.h"' || fail "$name does not reach the platform: $(cat "$work/probe.log")"
done
! compiles "$2" '#include "logdatei.h"' || fail "platform reaches the viewer"
! compiles "$4" '#include "logdatei.h"' || fail "generator reaches the viewer"
! compiles "$4" '#include "form1.h"' || fail "generator reaches the window"
compiles "$4" '#include "generator.h"' || fail "generator's own header does not compile: $(cat "$work/probe.log")"
compiles "$5" '#include "form1.h"' || fail "the window does not compile: $(cat "$work/probe.log")"
ok "platform and viewer reach no room above them; generator neither the viewer nor the window"
