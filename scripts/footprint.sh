#!/usr/bin/env bash
# Prints what each part of the DLL costs, from the link map of a build
# folder: bytes of code, data, unwind tables and resources per library, and
# per source file ("source: ...") for the code built from this repository;
# then the DLL's size on disk.
# Usage: scripts/footprint.sh BUILD_DIR
set -euo pipefail

build_dir=$1
map="$build_dir/VelotabOptions.map"
dll="$build_dir/bin/VelotabOptions.dll"
if [ ! -f "$map" ] || [ ! -f "$dll" ]; then
    echo "footprint: no DLL or link map in $build_dir; build it first" >&2
    exit 1
fi

awk '
function hex(text,    value, i) {
    value = 0
    for (i = 3; i <= length(text); ++i)
        value = value * 16 + index("0123456789abcdef", tolower(substr(text, i, 1))) - 1
    return value
}

# The memory map starts after this line; what comes before lists archive
# members and discarded sections.
/^Linker script and memory map/ { inMap = 1; next }
!inMap { next }

# An output section, such as ".text 0x... 0x...", starts at column 0.
/^\.[A-Za-z_$]/ { section = $1; next }

# An input section: " .name ADDRESS SIZE FILE", or its name alone on one
# line and " ADDRESS SIZE FILE" on the next.
/^ \.[^ ]+$/ { pending = 1; next }
{
    if (pending && NF == 3 && $1 ~ /^0x/) { size = $2; file = $3 }
    else if ($1 ~ /^\./ && NF == 4 && $2 ~ /^0x/) { size = $3; file = $4 }
    else { pending = 0; next }
    pending = 0
    bytes = hex(size)
    if (!bytes) next
    if (section == ".text") kind = "code"
    else if (section ~ /^\.(rdata|data|bss|CRT|tls)$/) kind = "data"
    else if (section ~ /^\.(eh_fram|eh_frame|pdata|xdata)$/) kind = "unwind"
    else if (section == ".rsrc") kind = "resources"
    else next
    part = file
    if (part ~ /objects\.a\(/) {
        sub(/.*objects\.a\(/, "source: ", part); sub(/\)$/, "", part)
    } else if (part ~ /\.a\(/) {
        sub(/\(.*/, "", part); sub(/.*\//, "", part)
    } else {
        sub(/.*\//, "", part)
    }
    cost[part, kind] += bytes
    parts[part] = 1
    total[kind] += bytes
}
END {
    printf "%-40s %8s %8s %8s %9s %8s\n", "part", "code", "data", "unwind", "resources", "total"
    n = 0
    for (p in parts) {
        sum = cost[p, "code"] + cost[p, "data"] + cost[p, "unwind"] + cost[p, "resources"]
        line[++n] = sprintf("%08d %-40s %8d %8d %8d %9d %8d", sum, p, cost[p, "code"],
                            cost[p, "data"], cost[p, "unwind"], cost[p, "resources"], sum)
    }
    # Largest first.
    for (i = 2; i <= n; ++i)
        for (j = i; j > 1 && line[j] > line[j - 1]; --j) {
            t = line[j]; line[j] = line[j - 1]; line[j - 1] = t
        }
    for (i = 1; i <= n; ++i) print substr(line[i], 10)
    printf "%-40s %8d %8d %8d %9d %8d\n", "all parts", total["code"], total["data"],
           total["unwind"], total["resources"],
           total["code"] + total["data"] + total["unwind"] + total["resources"]
}' "$map"
echo "VelotabOptions.dll on disk: $(stat -c %s "$dll") bytes" \
    "(with headers, import and relocation tables, and section alignment)"
