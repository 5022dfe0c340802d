#!/usr/bin/env bash
# Sourced by with-wine.sh and with-i386-emulator.sh: where the kernel refuses
# 32-bit programs, the user-mode emulator qemu-i386 (package qemu-user) runs
# them once binfmt_misc hands it 32-bit x86 ELF files. Every 32-bit process,
# Wine's 32-bit loader and what it starts, then runs emulated.
# Usage: source scripts/i386-emulator.sh

binfmt_dir=/proc/sys/fs/binfmt_misc
i386_emulator=/usr/bin/qemu-i386
i386_entry=velotab-i386
# The ELF header of a 32-bit little-endian x86 program: class 1, data 1,
# version 1, machine 3; the mask lets the type be an executable (2) or a
# shared object (3) and ignores the ABI bytes.
i386_magic='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
i386_mask='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'
i386_refusal=

# Prints the name of every enabled binfmt_misc entry, this suite's or any
# other's, that hands 32-bit x86 ELF programs to an interpreter. While one
# is there, a 32-bit program that starts says nothing of the kernel.
i386_handlers() {
    local entry magic
    grep -qsx enabled "$binfmt_dir/status" || return 0
    for entry in "$binfmt_dir"/*; do
        case "${entry##*/}" in register | status) continue ;; esac
        grep -qsx enabled "$entry" || continue
        magic=$(sed -n 's/^magic //p' "$entry")
        # "ELF", class 1 (32-bit), and machine 3 in bytes 18 and 19.
        if [[ $magic == 7f454c4601* && ${magic:36:4} == 0300 ]]; then
            echo "${entry##*/}"
        fi
    done
}

# Succeeds when the kernel itself runs 32-bit programs: Wine's 32-bit loader
# starts, and no emulator registration could have started it.
runs_32bit_natively() {
    [ -z "$(i386_handlers)" ] && /usr/lib/wine/wine --version >/dev/null 2>&1
}

# Prints why this machine cannot emulate 32-bit programs; nothing when it can.
i386_emulator_unavailable() {
    if ! grep -qw binfmt_misc /proc/filesystems; then
        echo "the kernel offers no binfmt_misc"
    elif [ ! -x "$i386_emulator" ]; then
        echo "$i386_emulator is missing (package qemu-user)"
    fi
}

# Mounts a binfmt_misc of this user namespace's own and registers the
# emulator there, for this namespace's processes alone. When the kernel does
# not let it, fails with the reason in i386_refusal.
register_i386_emulator() {
    if ! mount -t binfmt_misc binfmt_misc "$binfmt_dir" 2>/dev/null; then
        i386_refusal="this kernel keeps binfmt_misc out of user namespaces (Linux 6.7 lets it in)"
        return 1
    fi
    if ! printf ':%s:M::%s:%s:%s:F' "$i386_entry" "$i386_magic" "$i386_mask" \
        "$i386_emulator" 2>/dev/null >"$binfmt_dir/register"; then
        i386_refusal="binfmt_misc refused the entry $i386_entry"
        return 1
    fi
}

# Removes the entry that register_i386_emulator made, if it is there.
remove_i386_emulator() {
    if [ -e "$binfmt_dir/$i386_entry" ]; then
        echo -1 >"$binfmt_dir/$i386_entry"
    fi
}
