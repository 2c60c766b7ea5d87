# Sourced by the shell tests: a work folder that goes with the test, the
# processes it started ended with it, and the helpers every test uses.
set -euo pipefail

work=$(mktemp -d)
# The ordinary user below must reach the work folder; a private TMPDIR (as
# libpam-tmpdir sets) is closed to others, /tmp never is.
if [ "$(id -u)" -eq 0 ] && ! setpriv --reuid=nobody --regid=nogroup --clear-groups test -x "$(dirname "$work")"; then
    rmdir "$work"
    work=$(mktemp -d -p /tmp)
fi
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    chmod -R u+w "$work"
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
