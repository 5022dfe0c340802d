#!/usr/bin/env bash
# Runs the suites of the build folders given as one CTest run, so that one
# summary covers every target.
#   --first        runs only the first of the targets that this machine can run
#   --label TEXT   starts every line of the run's output with "[TEXT] ", so
#                  that a second run of the suite reads apart from the first
#   --word-size    runs only the tests of what differs between a 32-bit and a
#                  64-bit build (tests/word_size), all of them: the 32-bit
#                  pass, where 32-bit programs run emulated
#                  (with-i386-emulator.sh)
# Usage: scripts/test.sh [--first] [--label TEXT] [--word-size] TOP_DIR BUILD_SUBDIR...
set -euo pipefail

first=
label=
word_size=
while [ $# -gt 0 ]; do
    case "$1" in
        --first) first=1; shift ;;
        --label) label=$2; shift 2 ;;
        --word-size) word_size=1; shift ;;
        *) break ;;
    esac
done

top_dir=$1
shift
if [ -n "${VELOTAB_64BIT_ONLY:-}" ] && [ -z "$word_size" ]; then
    runnable=()
    for target in "$@"; do
        case "$target" in
            i686)
                echo "$target: built; its suite needs a machine that runs 32-bit programs" \
                    "(the 32-bit pass runs part of it emulated)"
                ;;
            *) runnable+=("$target") ;;
        esac
    done
    set -- "${runnable[@]}"
fi
[ -n "$first" ] && set -- "$1"
# The tests of the word size repeat, in one program, cases that each suite
# runs one by one: the suite leaves that program out.
selection=(-LE '^regrouped$')
if [ -n "$word_size" ]; then
    set -- "${@/%//tests/word_size}"
    # Verbose, so that the output tells how many cases each program ran.
    selection=(-L '^word_size$' -V)
fi
{
    echo "# Joins the suites of every target into one run."
    printf 'subdirs('
    printf '"%s" ' "$@"
    echo ')'
} >"$top_dir/CTestTestfile.cmake"

# Now and then a Wine program ends at its start without a word (seen once in
# ten passes: a test that took 0.03 s and printed nothing). A test that fails
# runs once more, and only a failure that repeats fails the run; both
# attempts show in the output.
selection+=(--repeat until-pass:2)
screen=${VELOTAB_SCREEN:+ ${VELOTAB_SCREEN%x*}}
echo "== The suite of $* on the display$screen${label:+, marked [$label]}"
if [ -z "$label" ]; then
    ctest --test-dir "$top_dir" --output-on-failure -j 2 --timeout 120 "${selection[@]}"
else
    # The soak counts handles and heap blocks over 400 sheets; the screen
    # changes nothing of that, so it runs in the first pass only.
    ctest --test-dir "$top_dir" --output-on-failure -j 2 --timeout 120 "${selection[@]}" \
        -E '\.Hardening\.Soak$' 2>&1 | sed -u "s/^/[$label] /"
fi
