#!/bin/sh
# Runs a test where the system's Vulkan loader cannot be opened: in a mount
# namespace of its own, the loader's file hidden behind an empty one. Root
# is given one as it is, any other user through a user namespace; where the
# machine allows neither, the test is reported skipped.
# Usage: noloader.sh LOADER TEST [ARGUMENTS...]
loader=$1
shift
user=
[ "$(id -u)" -eq 0 ] || user=--map-root-user
hide='mount --bind /dev/null "$0"'
for propagation in private unchanged; do
    if unshare --mount $user --propagation $propagation sh -c "$hide" "$loader" 2>/dev/null; then
        exec unshare --mount $user --propagation $propagation sh -c "$hide"' && exec "$@"' "$loader" "$@"
    fi
done
echo "SKIP: no mount namespace to hide $loader in"
exit 77
