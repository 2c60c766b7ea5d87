#!/bin/sh
# Runs a test on a 96 MiB tmpfs of its own, mounted in a mount namespace of
# its own, so that nothing is left mounted: root is given one as it is, any
# other user through a user namespace. Where the machine allows neither (a
# container may refuse both), the test is reported skipped.
# Usage: smalldisk.sh DIR TEST
dir=$1 test=$2
set -- unshare --mount --propagation private
[ "$(id -u)" -eq 0 ] || set -- "$@" --map-root-user
if ! why=$("$@" sh -c 'mount -t tmpfs -o size=1m tmpfs "$0"' "$dir" 2>&1); then
    echo "SKIP: no mount namespace with a tmpfs here: $why"
    exit 77
fi
exec "$@" sh -c 'mount -t tmpfs -o size=96m tmpfs "$0" && DOVEVAD_SMALL_DISK="$0" exec "$1"' "$dir" "$test"
