#!/usr/bin/env bash
# Runs the suites of the build folders given as one CTest run, so that one
# summary covers every target.
# Usage: scripts/test.sh TOP_DIR BUILD_SUBDIR...
set -euo pipefail

top_dir=$1
shift
if [ -n "${VELOTAB_64BIT_ONLY:-}" ]; then
    runnable=()
    for target in "$@"; do
        case "$target" in
            i686) echo "$target: built; its suite needs a machine that runs 32-bit programs" ;;
            *) runnable+=("$target") ;;
        esac
    done
    set -- "${runnable[@]}"
fi
{
    echo "# Joins the suites of every target into one run."
    printf 'subdirs('
    printf '"%s" ' "$@"
    echo ')'
} >"$top_dir/CTestTestfile.cmake"
ctest --test-dir "$top_dir" --output-on-failure -j 2 --timeout 120
