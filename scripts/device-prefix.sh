#!/usr/bin/env bash
# Gives a Wine prefix the device's dialog metrics: the pages' templates ask
# for Tahoma 8 pt, which gives dialog base units of 6 x 13 pixels at 96 dots
# per inch on the device and 12 x 26 on its VGA screen at 192. Cantarell
# (Debian's fonts-cantarell) has those metrics at both densities, so the
# prefix takes it for Tahoma; Wine's own Tahoma, where Wine finds it, gives
# 12 x 25 at 192. With VELOTAB_DPI the prefix also takes that screen density.
# Run with WINEPREFIX set, as any program that drives the DLL in a prefix of
# its own can.
# Usage: WINEPREFIX=... [VELOTAB_DPI=N] scripts/device-prefix.sh
set -euo pipefail

: "${WINEPREFIX:?needs the Wine prefix to prepare}"
font_dir=/usr/share/fonts/opentype/cantarell
if [ ! -e "$font_dir/Cantarell-Regular.otf" ]; then
    echo "device-prefix: Cantarell is missing (package fonts-cantarell)" >&2
    exit 1
fi

# The font files in the prefix's own font folder, so that Wine finds them
# whatever fonts the machine offers it.
fonts="$WINEPREFIX/drive_c/windows/Fonts"
mkdir -p "$fonts"
cp "$font_dir/Cantarell-Regular.otf" "$font_dir/Cantarell-Bold.otf" "$fonts/"

registry=(
    'Windows Registry Editor Version 5.00' ''
    '[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]' '"Tahoma"="Cantarell"' '')
# The two places that Wine reads the screen density from, at each program's
# start.
if [ -n "${VELOTAB_DPI:-}" ]; then
    hex=$(printf '%08x' "$VELOTAB_DPI")
    registry+=('[HKEY_CURRENT_USER\Control Panel\Desktop]' "\"LogPixels\"=dword:$hex" ''
        '[HKEY_LOCAL_MACHINE\System\CurrentControlSet\Hardware Profiles\Current\Software\Fonts]'
        "\"LogPixels\"=dword:$hex" '')
fi
file=$(mktemp --suffix=.reg)
trap 'rm -f "$file"' EXIT
printf '%s\r\n' "${registry[@]}" >"$file"
if ! wine reg import "Z:$file" >/dev/null 2>&1; then
    echo "device-prefix: cannot write the prefix's registry" >&2
    exit 1
fi
