#!/usr/bin/env bash
# Runs the add-on stand-in's tour of the options sheet (every page shown in
# turn, then accepted, through the exports called by ordinal) with the DLL
# of one build folder and then of another, and fails unless both print the
# same sheet result and the same .reg export of the settings key. The two
# builds differ in their word size, so what one writes differently from the
# other is a fault of pointer-sized values, record layouts or calling
# conventions.
# Usage: scripts/compare-builds.sh SCREEN BIN_DIR REFERENCE_BIN_DIR   (under with-wine.sh;
#        SCREEN as 240x320x24)
set -euo pipefail

scripts=$(dirname "$(realpath "$0")")
screen=$1
shift
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Tours the sheet with the DLL of a bin folder, on a display and in a copy of
# the run's booted Wine prefix of its own (on-screen.sh), so that both tours
# start from the same settings, whatever the tests beside them write into
# the run's prefix (the shell's button keys among them), and meet no other
# program's windows. What the host prints from
# the sheet's result on goes to the named file.
tour() {
    local output=$work/$2
    (cd "$1" && bash "$scripts/on-screen.sh" "$screen" velotab-host.exe --tour "$work/$2-tour" \
        VelotabOptions.dll) | tr -d '\r' | sed -n '/^page [0-9]*, sheet result /,$p' >"$output"
    if [ ! -s "$output" ]; then
        echo "compare-builds: the host in $1 printed no sheet result" >&2
        exit 1
    fi
    echo "$1: $(head -n 1 "$output")"
}

tour "$2" reference
tour "$1" compared
if ! diff -u "$work/reference" "$work/compared"; then
    echo "compare-builds: $1 wrote other settings than $2" >&2
    exit 1
fi
echo "Both wrote the same settings: $(grep -c '^"' "$work/compared") values"
