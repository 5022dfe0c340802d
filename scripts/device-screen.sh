#!/usr/bin/env bash
# Runs a command on a screen of the device's size in a window of its own: a
# nested X server (Xephyr) on the display that there is, so that a person at
# a desktop sees and taps what the device shows. Without a display the
# command runs as it is.
# Usage: scripts/device-screen.sh SCREEN COMMAND [ARG...]   (SCREEN as 240x320x24)
set -euo pipefail

screen=$1
shift
if [ -z "${DISPLAY:-}" ]; then
    exec "$@"
fi

size=${screen%x*}
source "$(dirname "$0")/x-display.sh"
cleanup() {
    [ -n "$x_server_pid" ] && kill "$x_server_pid" 2>/dev/null || true
}
trap cleanup EXIT

if ! start_x_server 200 230 Xephyr -screen "$screen" -dpi "${VELOTAB_DPI:-96}" \
    -title "Velotab device $size" -nolisten tcp -br -resizeable; then
    echo "device-screen: cannot start a nested X server (package xserver-xephyr)" >&2
    exit 1
fi
echo "The device's $size screen is the window \"Velotab device $size\"."
"$@"
