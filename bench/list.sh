#!/usr/bin/env bash
# scripts/bench list: ten projects of 1 GB each (the program's own save, one icon's content grown) in
# the project folder. Prints the time the project list takes against reading the first 4 KB of each
# file, both from a cold page cache where it can be dropped; best of the rounds for each.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset host >/dev/null
cmake --build --preset host --target list_bench >/dev/null
bench=build/host/bench/list_bench
root=$(mktemp -d /tmp/plenvik-list-bench.XXXXXX)
trap 'rm -rf "$root"' EXIT
rounds=${PLENVIK_BENCH_ROUNDS:-5}
count=${PLENVIK_BENCH_PROJECTS:-10}
megabytes=${PLENVIK_BENCH_MEGABYTES:-1024}

"$bench" create "$root" "$count" "$megabytes"
cold() { sync && echo 3 2>/dev/null >/proc/sys/vm/drop_caches; }
if cold; then cache="cold cache"; else cache="warm cache"; fi
list_ms=() head_ms=()
for ((round = 0; round < rounds; ++round)); do
    [ "$cache" = "cold cache" ] && cold
    read -r ms listed < <("$bench" list "$root")
    [ "$listed" = "$count" ] || { echo "list: $listed of $count projects listed" >&2; exit 1; }
    list_ms+=("$ms")
    [ "$cache" = "cold cache" ] && cold
    head_ms+=("$("$bench" heads "$root")")
done
minimum() { printf '%s\n' "$@" | sort -g | head -n 1; }
list=$(minimum "${list_ms[@]}")
heads=$(minimum "${head_ms[@]}")
printf '%d projects of %d MB; %s; %d rounds\n' "$count" "$megabytes" "$cache" "$rounds"
printf '  list ms:        %s\n' "${list_ms[*]}"
printf '  first 4 KB ms:  %s\n' "${head_ms[*]}"
awk -v l="$list" -v h="$heads" 'BEGIN { printf "list: %.0f ms (%.1fx header-only read)\n", l, l / h }'
