#!/usr/bin/env bash
# Runs every fuzz target for the seconds given over its seed corpus. What a
# run finds new stays in the build folder; a finding fails, with its input
# saved there.
# Usage: run.sh FUZZ_BUILD SECONDS
set -uo pipefail
build=$(cd "$1" && pwd) seconds=$2
seeds=$(cd "$(dirname "$0")" && pwd)/corpus
status=0
for target in bereinigen abgleich wartezeit befehlszeile aufzeichnung; do
    found="$build/fuzz-corpus/$target" log="$build/fuzz-$target.log"
    mkdir -p "$found"
    # The command lines' --help and complaints go nowhere.
    if "$build/tests/fuzz/fuzz_$target" -max_total_time="$seconds" -max_len=8192 -close_fd_mask=3 \
        -print_final_stats=1 -artifact_prefix="$build/fuzz-$target-" "$found" "$seeds/$target" >"$log" 2>&1; then
        echo "fuzz_$target: $(sed -n 's/^stat::number_of_executed_units: *//p' "$log") inputs in ${seconds} s, no finding"
    else
        echo "fuzz_$target: a finding, see $log"
        tail -n 40 "$log"
        status=1
    fi
done
exit $status
