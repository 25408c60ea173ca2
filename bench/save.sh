#!/usr/bin/env bash
# scripts/bench save: a desktop with ten 100 MB files saved on the simulated platform (size limit
# 1000000 KiB). Prints the throughput against reading the same files with cat, and the peak memory.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset host >/dev/null
cmake --build --preset host --target save_bench >/dev/null
bench=build/host/bench/save_bench
root=$(mktemp -d /tmp/plenvik-save-bench.XXXXXX)
trap 'rm -rf "$root"' EXIT

"$bench" create "$root" 10 100
files=("$root"/C/Users/tester/Desktop/*)
megabytes=$(du -cm "${files[@]}" | tail -n 1 | cut -f 1)
# Both read the files from the page cache: the cat run first warms it.
cat "${files[@]}" >/dev/null
start=$(date +%s.%N)
cat "${files[@]}" >/dev/null
end=$(date +%s.%N)
cat_rate=$(awk -v m="$megabytes" -v a="$start" -v b="$end" 'BEGIN { print m * 1.048576 / (b - a) }')

read -r rate peak embedded < <("$bench" save "$root")
printf 'embedded %.0f MB; cat reads %.0f MB/s\n' "$embedded" "$cat_rate"
awk -v r="$rate" -v c="$cat_rate" -v p="$peak" -v e="$embedded" \
    'BEGIN { printf "save: %.0f MB/s (%.2fx cat), %.1f MB peak RSS (%.3fx embedded files)\n", r, r / c, p, p / e }'
