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
xephyr_pid=
cleanup() {
    [ -n "$xephyr_pid" ] && kill "$xephyr_pid" 2>/dev/null || true
}
trap cleanup EXIT

# Another server may take the same display number at the same moment: a
# display counts as ours only once our server is up and still running.
for number in $(seq 200 230); do
    [ -e "/tmp/.X11-unix/X$number" ] || [ -e "/tmp/.X$number-lock" ] && continue
    Xephyr ":$number" -screen "$screen" -dpi "${VELOTAB_DPI:-96}" -title "Velotab device $size" \
        -nolisten tcp -br -resizeable >/dev/null 2>&1 &
    xephyr_pid=$!
    for _ in $(seq 50); do
        [ -e "/tmp/.X11-unix/X$number" ] && break
        kill -0 "$xephyr_pid" 2>/dev/null || break
        sleep 0.1
    done
    if kill -0 "$xephyr_pid" 2>/dev/null && [ -e "/tmp/.X11-unix/X$number" ]; then
        export DISPLAY=":$number"
        break
    fi
    xephyr_pid=
done
if [ -z "$xephyr_pid" ]; then
    echo "device-screen: cannot start a nested X server (package xserver-xephyr)" >&2
    exit 1
fi
echo "The device's $size screen is the window \"Velotab device $size\"."
"$@"
