#!/usr/bin/env bash
# Sourced by with-wine.sh, on-screen.sh and device-screen.sh: starts an X
# server on the first free display number of a range. Another run may take
# the same number at the same moment; its server then ends at once, so a
# display counts as ours only once its server is up and still running, and
# the next number is tried otherwise.
# Usage: source scripts/x-display.sh
#        start_x_server FIRST LAST SERVER [ARG...]
#   runs "SERVER :N ARG..."; on success exports DISPLAY and leaves the
#   server's process in x_server_pid, else fails with x_server_pid empty.

x_server_pid=

start_x_server() {
    local first=$1 last=$2 server=$3 number
    shift 3
    for number in $(seq "$first" "$last"); do
        [ -e "/tmp/.X11-unix/X$number" ] || [ -e "/tmp/.X$number-lock" ] && continue
        "$server" ":$number" "$@" >/dev/null 2>&1 &
        x_server_pid=$!
        for _ in $(seq 100); do
            [ -e "/tmp/.X11-unix/X$number" ] && break
            kill -0 "$x_server_pid" 2>/dev/null || break
            sleep 0.1
        done
        if kill -0 "$x_server_pid" 2>/dev/null && [ -e "/tmp/.X11-unix/X$number" ]; then
            export DISPLAY=":$number"
            return 0
        fi
        kill "$x_server_pid" 2>/dev/null || true
        x_server_pid=
    done
    return 1
}
