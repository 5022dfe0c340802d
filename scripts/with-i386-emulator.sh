#!/usr/bin/env bash
# Runs a command with 32-bit programs emulated, on a machine whose kernel
# refuses them. The command runs in a user and mount namespace of its own,
# with a binfmt_misc of its own in which qemu-i386 is registered: the entry
# reaches the command's processes and nothing else on the machine, and goes
# when the command ends. Says so in one line. Does nothing, with a line that
# says why, where the kernel runs 32-bit programs itself or where no such
# entry can be made.
# Usage: scripts/with-i386-emulator.sh COMMAND [ARG...]
set -euo pipefail

source "$(dirname "$0")/i386-emulator.sh"

skip() {
    echo "The 32-bit pass is skipped: $1."
    exit 0
}

if [ -z "${VELOTAB_I386_NAMESPACE:-}" ]; then
    if runs_32bit_natively; then
        echo "This machine runs 32-bit programs itself: no emulated 32-bit pass."
        exit 0
    fi
    why=$(i386_emulator_unavailable)
    [ -z "$why" ] || skip "$why"
    unshare --user --map-root-user --mount true 2>/dev/null ||
        skip "this machine makes no user namespace (unshare --user)"
    VELOTAB_I386_NAMESPACE=1 exec unshare --user --map-root-user --mount bash "$0" "$@"
fi

register_i386_emulator || skip "$i386_refusal"
trap remove_i386_emulator EXIT
echo "32-bit programs run under $i386_emulator in this pass only" \
    "(binfmt_misc entry $i386_entry, in a user namespace of the pass's own)."
"$@"
