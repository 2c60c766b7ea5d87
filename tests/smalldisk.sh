#!/bin/sh
# Runs a test on a 96 MiB tmpfs of its own, mounted in a mount namespace of
# its own, so that nothing is left mounted: root is given one as it is, any
# other user through a user namespace. Where the machine allows neither (a
# container may refuse both), the test is reported skipped.
# Usage: smalldisk.sh DIR TEST
dir=$1 test=$2
user=
[ "$(id -u)" -eq 0 ] || user=--map-root-user
propagation=private
if ! why=$(unshare --mount $user --propagation private sh -c 'mount -t tmpfs -o size=1m tmpfs "$0"' "$dir" 2>&1); then
    # In a chroot the root is no mount point, so its propagation cannot be
    # changed; where no mount is shared, a mount goes nowhere else anyway.
    if ! grep -q ' shared:' /proc/self/mountinfo \
        && why=$(unshare --mount $user --propagation unchanged sh -c 'mount -t tmpfs -o size=1m tmpfs "$0"' "$dir" 2>&1); then
        propagation=unchanged
    else
        echo "SKIP: no mount namespace with a tmpfs here: $why"
        exit 77
    fi
fi
exec unshare --mount $user --propagation $propagation \
    sh -c 'mount -t tmpfs -o size=96m tmpfs "$0" && DOVEVAD_SMALL_DISK="$0" exec "$1"' "$dir" "$test"
