#!/usr/bin/env bash
# Runs the add-on stand-in on the DLL of a build folder: interactive with a
# display, the tour without one. The first folder whose programs this machine
# can run is taken (a 64-bit-only machine skips the 32-bit build).
#   --tour-name NAME   the tour's folder in the build folder (default: tour)
# Options of the host stand-in (velotab-host.exe --help) follow a "--".
# Usage: scripts/demo.sh [--tour-name NAME] BUILD_DIR [FALLBACK_BUILD_DIR]
#                        [-- HOST_OPTION...]
set -euo pipefail

tour_name=tour
if [ "${1:-}" = "--tour-name" ]; then
    tour_name=$2
    shift 2
fi
build_dir=$(realpath "$1")
shift
fallback=
if [ $# -gt 0 ] && [ "$1" != "--" ]; then
    fallback=$1
    shift
fi
[ "${1:-}" = "--" ] && shift
if [ -n "${VELOTAB_64BIT_ONLY:-}" ] && [ -n "$fallback" ]; then
    build_dir=$(realpath "$fallback")
fi
mode=()
[ -n "${VELOTAB_HEADLESS:-}" ] && mode=(--tour "$build_dir/$tour_name")
cd "$build_dir/bin"
wine velotab-host.exe "${mode[@]}" "$@" VelotabOptions.dll
