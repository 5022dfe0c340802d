#!/usr/bin/env bash
# Runs the benchmark on the DLL of a build folder: the options sheet against
# a bare sheet of the same templates, timed in the same process. The first
# folder whose programs this machine can run is taken (a 64-bit-only machine
# skips the 32-bit build). A nonempty BENCH_PAGES adds each page's own time.
# Usage: scripts/bench.sh RUNS BUILD_DIR [FALLBACK_BUILD_DIR]
set -euo pipefail

runs=$1
build_dir=$(realpath "$2")
if [ -n "${VELOTAB_64BIT_ONLY:-}" ] && [ -n "${3:-}" ]; then
    build_dir=$(realpath "$3")
fi
cd "$build_dir/bin"
pages=()
[ -n "${BENCH_PAGES:-}" ] && pages=(--pages)
wine velotab-bench.exe --runs "$runs" "${pages[@]}" VelotabOptions.dll
