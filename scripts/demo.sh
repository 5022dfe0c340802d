#!/usr/bin/env bash
# Runs the add-on stand-in on the DLL of a build folder: interactive with a
# display, the tour without one. The first folder whose programs this machine
# can run is taken (a 64-bit-only machine skips the 32-bit build).
#   --tour-name NAME   the tour's folder in the build folder (default: tour)
# Usage: scripts/demo.sh [--tour-name NAME] BUILD_DIR [FALLBACK_BUILD_DIR]
set -euo pipefail

tour_name=tour
if [ "${1:-}" = "--tour-name" ]; then
    tour_name=$2
    shift 2
fi
build_dir=$(realpath "$1")
if [ -n "${VELOTAB_64BIT_ONLY:-}" ] && [ -n "${2:-}" ]; then
    build_dir=$(realpath "$2")
fi
mode=()
[ -n "${VELOTAB_HEADLESS:-}" ] && mode=(--tour "$build_dir/$tour_name")
cd "$build_dir/bin"
wine velotab-host.exe "${mode[@]}" VelotabOptions.dll
