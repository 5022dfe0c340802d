#!/usr/bin/env bash
# Runs a command with a fresh Wine prefix under the build folder, a
# persistent wineserver and, when there is no display, a virtual one.
# VELOTAB_SCREEN (WIDTHxHEIGHTxDEPTH) asks for a virtual display of that size
# even when there is a display; VELOTAB_DPI sets the prefix's screen
# resolution in dots per inch (Wine's default is 96).
# Usage: scripts/with-wine.sh BUILD_DIR COMMAND [ARG...]
set -euo pipefail

build_dir=$(realpath "$1")
shift

export WINEPREFIX="$build_dir/wineprefix"
export WINEDEBUG=-all
# No Mono or Gecko prompts: the module needs neither.
export WINEDLLOVERRIDES="mscoree,mshtml="
screen=${VELOTAB_SCREEN:-240x320x24}

source "$(dirname "$0")/x-display.sh"
cleanup() {
    wineserver -k 2>/dev/null || true
    [ -n "$x_server_pid" ] && kill "$x_server_pid" 2>/dev/null || true
}
trap cleanup EXIT

if [ -z "${DISPLAY:-}" ] || [ -n "${VELOTAB_SCREEN:-}" ]; then
    if ! start_x_server 90 120 Xvfb -screen 0 "$screen" -dpi "${VELOTAB_DPI:-96}" -nolisten tcp; then
        echo "with-wine: no free display number for a virtual display" >&2
        exit 1
    fi
    export VELOTAB_HEADLESS=1
fi

# Some machines run 64-bit programs only: their kernel refuses 32-bit code,
# Wine's 32-bit loader with it. There Wine's 64-bit loader runs everything;
# 32-bit programs run only in the 32-bit pass (with-i386-emulator.sh). An emulator
# registered for 32-bit programs, this suite's or another's, would start the
# 32-bit loader too, so it counts as a machine that runs 64-bit programs only.
source "$(dirname "$0")/i386-emulator.sh"
if ! runs_32bit_natively; then
    shim="$build_dir/wine64-only"
    mkdir -p "$shim"
    for name in wine wine-stable; do
        printf '#!/bin/sh\nexec /usr/lib/wine/wine64 "$@"\n' >"$shim/$name"
        chmod +x "$shim/$name"
    done
    export PATH="$shim:$PATH"
    export WINELOADER=/usr/lib/wine/wine64
    export VELOTAB_64BIT_ONLY=1
    echo "This machine cannot run 32-bit programs natively: Wine's 64-bit loader runs everything here."
fi

rm -rf "$WINEPREFIX" "$build_dir/wineprefix-booted"
mkdir -p "$WINEPREFIX"
echo "Preparing a fresh Wine prefix in $WINEPREFIX"
# One server for the whole run, so each program starts quickly.
wineserver -p
# The first program of a new server boots the prefix itself: Wine runs
# "wineboot --init", which creates the prefix and starts the system services,
# and waits for it. A plain wineboot waits for that boot and adds nothing;
# "wineboot -i" would boot a second time and start a second set of services
# (services.exe, plugplay.exe) beside the first. Two service managers on one
# server lose the RpcSs start: every start of the desktop process then waits
# 10 s for it, and its end 10 s more, which each test program that starts the
# desktop pays.
wineboot >/dev/null 2>&1
# Without a window manager, managed windows make every hide wait for an
# answer that never comes; unmanaged windows show and hide at once.
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
# The device's dialog metrics, and the screen density of VELOTAB_DPI.
bash "$(dirname "$0")/device-prefix.sh"

# Programs that need a screen or a prefix of their own (on-screen.sh) start
# from a copy of the booted prefix. The server keeps the registry in memory
# and writes it to the prefix's files only now and then: a copy of a prefix
# whose server runs may lack what the boot registered (COM classes such as
# the imaging factory) or hold keys that a test was half-way through
# writing. So the copy is taken once, here, from a prefix whose server has
# written everything and exited, before any test runs.
wineserver -k
wineserver -w
export VELOTAB_BOOTED_PREFIX="$build_dir/wineprefix-booted"
rm -rf "$VELOTAB_BOOTED_PREFIX"
cp -a "$WINEPREFIX" "$VELOTAB_BOOTED_PREFIX"
wineserver -p
# The first program of the new server starts the system services again, and
# they keep its output open for as long as they run: a quiet program starts
# them here, so that no test's output is held open by them.
wine reg query 'HKCU\Software\Wine\X11 Driver' /v Managed >/dev/null 2>&1

"$@"
