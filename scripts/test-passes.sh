#!/usr/bin/env bash
# Runs every pass of the suite that this machine has, each even when an
# earlier one failed: every target on the portrait screen, the first target
# that the machine runs on the landscape screen, and, where the kernel
# refuses 32-bit programs, the 32-bit pass under the emulator. Ends with one
# line per pass that says how it ended and which tests failed, and a total;
# fails when any pass failed. Each pass's whole output is kept in
# BUILD_DIR/test-logs.
# The screens come from PORTRAIT and LANDSCAPE (WIDTHxHEIGHTxDEPTH).
# Usage: scripts/test-passes.sh BUILD_DIR PRIMARY_TARGET TARGET...
set -uo pipefail

scripts=$(dirname "$(realpath "$0")")
build_dir=$1
primary=$2
shift 2
: "${PORTRAIT:?needs the portrait screen}" "${LANDSCAPE:?needs the landscape screen}"
logs="$build_dir/test-logs"
rm -rf "$logs"
mkdir -p "$logs"

names=()
summaries=()
failed_passes=0

# The pass's outcome in one line, from CTest's closing lines, or from the
# line in which a wrapper said why the pass did not run.
summarize() {
    local log=$1 status=$2 totals failures skipped
    totals=$(grep -E -o '[0-9]+% tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" |
        tail -n 1)
    failures=$(sed -n '/The following tests FAILED:/,$p' "$log" |
        grep -E -o '[^ ]+ \((Failed|Timeout|Not Run|SEGFAULT|Exception|Child aborted)[^)]*\)' |
        tr '\n' ' ')
    skipped=$(grep -E -h -o 'The 32-bit pass is skipped: .*|This machine runs 32-bit programs itself: .*' \
        "$log" | head -n 1)
    if [ "$status" -ne 0 ]; then
        echo "FAILED (exit $status)${totals:+: $totals}${failures:+; failed: $failures}"
    elif [ -n "$totals" ]; then
        echo "passed: $totals"
    else
        echo "not run: ${skipped:-no tests}"
    fi
}

# Runs one pass: its output shows as it comes and goes into the pass's log.
pass() {
    local name=$1 log status
    shift
    log="$logs/$(echo "$name" | tr -c 'A-Za-z0-9\n' '-').log"
    "$@" 2>&1 | tee "$log"
    status=${PIPESTATUS[0]}
    names+=("$name")
    summaries+=("$(summarize "$log" "$status")")
    [ "$status" -eq 0 ] || failed_passes=$((failed_passes + 1))
}

portrait=${PORTRAIT%x*}
landscape=${LANDSCAPE%x*}
pass "portrait $portrait" env VELOTAB_SCREEN="$PORTRAIT" \
    bash "$scripts/with-wine.sh" "$build_dir" bash "$scripts/test.sh" "$build_dir" "$@"
pass "landscape $landscape" env VELOTAB_SCREEN="$LANDSCAPE" \
    bash "$scripts/with-wine.sh" "$build_dir" \
    bash "$scripts/test.sh" --first --label "landscape $landscape" "$build_dir" "$@"
pass "32-bit emulated" env VELOTAB_SCREEN="$PORTRAIT" \
    bash "$scripts/with-i386-emulator.sh" bash "$scripts/with-wine.sh" "$build_dir" \
    bash "$scripts/test.sh" --word-size --label "32-bit emulated" "$build_dir" "$primary"

echo
echo "== Every pass (whole output in $logs)"
for i in "${!names[@]}"; do
    echo "${names[$i]}: ${summaries[$i]}"
done
# The tests of every pass together, from each pass's closing CTest line.
for log in "$logs"/*.log; do
    grep -E -o '[0-9]+ tests? failed out of [0-9]+' "$log" | tail -n 1
done | awk '{failed += $1; all += $NF} END {printf "total: %d passed, %d failed\n", all - failed, failed}'

[ "$failed_passes" -eq 0 ]
