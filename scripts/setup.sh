#!/usr/bin/env bash
# Installs the Debian packages that the build, the tests and the demo need,
# when any is missing, without the packages that they only recommend. Uses
# sudo when not run as root.
set -euo pipefail

# fonts-cantarell gives the prefixes the device's dialog metrics
# (device-prefix.sh); xserver-xephyr shows the demo on a device-sized screen.
# qemu-user runs the 32-bit pass where the kernel refuses 32-bit programs.
# Never qemu-user-binfmt, which it recommends: that registers the emulator
# for good, for every program of the machine, where the pass registers it
# for its own run only.
packages=(cmake make g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix
          wine wine32:i386 wine64 fonts-wine fonts-cantarell xvfb xauth xserver-xephyr
          googletest qemu-user)

missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
        missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

as_root=()
[ "$(id -u)" -eq 0 ] || as_root=(sudo)

echo "Installing: ${missing[*]}"
if ! dpkg --print-foreign-architectures | grep -qx i386; then
    "${as_root[@]}" dpkg --add-architecture i386
fi
"${as_root[@]}" apt-get update -q
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive \
    apt-get install -y -q --no-install-recommends "${missing[@]}"
