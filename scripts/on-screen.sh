#!/usr/bin/env bash
# Runs a test program on a screen of another size or density than the
# suite's, such as the device's landscape 320 x 240 or its VGA 480 x 640 at
# 192 dots per inch: on an Xvfb display of its own and with a private copy of
# the run's booted Wine prefix (with-wine.sh), since Wine takes the screen
# size and density once for all the programs of a prefix. The copy is of the
# prefix as the boot left it, never of the run's live one, whose server may
# not have written its registry yet and whose keys other tests are changing.
# Any skipped test fails the run, so that a test that needs this screen
# cannot pass by not running.
#   --dpi N   the screen's density in dots per inch (default: the prefix's)
# Usage: scripts/on-screen.sh [--dpi N] SCREEN PROGRAM [ARG...]
#   (SCREEN as 320x240x24)
set -euo pipefail

dpi=
if [ "${1:-}" = "--dpi" ]; then
    dpi=$2
    shift 2
fi
screen=$1
shift
: "${VELOTAB_BOOTED_PREFIX:?needs the booted prefix of the run: run it under with-wine.sh}"

work=$(mktemp -d)
source "$(dirname "$0")/x-display.sh"
cleanup() {
    WINEPREFIX="$work/prefix" wineserver -k 2>/dev/null || true
    [ -n "$x_server_pid" ] && kill "$x_server_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

if ! start_x_server 130 190 Xvfb -screen 0 "$screen" ${dpi:+-dpi "$dpi"} -nolisten tcp; then
    echo "on-screen: no display for $screen" >&2
    exit 1
fi

cp -a "$VELOTAB_BOOTED_PREFIX" "$work/prefix"
export WINEPREFIX="$work/prefix"

# The booted prefix has the device's dialog metrics at the run's density; a
# screen of another density needs it in the copy's registry, written under a
# server that stays up for the program.
wineserver -p
if [ -n "$dpi" ] && ! VELOTAB_DPI=$dpi bash "$(dirname "$0")/device-prefix.sh"; then
    echo "on-screen: cannot prepare the prefix for the $screen screen" >&2
    exit 1
fi

status=0
wine "$@" >"$work/output" 2>&1 || status=$?
cat "$work/output"
if grep -q '^\[  SKIPPED \]' "$work/output"; then
    echo "on-screen: tests were skipped on the $screen screen" >&2
    exit 1
fi
exit "$status"
