#!/usr/bin/env bash
# Runs the add-on stand-in on the DLL of one build folder: interactive with a
# display, the tour without one.
set -euo pipefail

build_dir=$(realpath "$1")
mode=()
[ -n "${VELOTAB_HEADLESS:-}" ] && mode=(--tour "$build_dir/tour")
cd "$build_dir/bin"
wine velotab-host.exe "${mode[@]}" VelotabOptions.dll
