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
rounds=${PLENVIK_BENCH_ROUNDS:-5}

"$bench" create "$root" 10 100
files=("$root"/C/Users/tester/Desktop/*)
megabytes=$(du -cm "${files[@]}" | tail -n 1 | cut -f 1)
# Both read the files from the disk when the page cache can be dropped (as root), else both from the
# cache (warmed by a first cat run); the line says which. This machine's page-cache copies are now and
# then several times slower for a while (seen for cat and the save alike), so cat and the save take
# turns and each figure is the best of its rounds: noise only ever adds time.
cold() { sync && echo 3 2>/dev/null >/proc/sys/vm/drop_caches; }
if cold; then cache="cold cache"; else cache="warm cache"; cat "${files[@]}" >/dev/null; fi
cat_rates=() save_rates=() peaks=()
for ((round = 0; round < rounds; ++round)); do
    [ "$cache" = "cold cache" ] && cold
    start=$(date +%s.%N)
    cat "${files[@]}" >/dev/null
    end=$(date +%s.%N)
    cat_rates+=("$(awk -v m="$megabytes" -v a="$start" -v b="$end" 'BEGIN { print m * 1.048576 / (b - a) }')")

    rm -f "$root"/C/Projekte/*.Plenvk
    [ "$cache" = "cold cache" ] && cold
    read -r rate peak embedded < <("$bench" save "$root")
    save_rates+=("$rate")
    peaks+=("$peak")
done
maximum() { printf '%s\n' "$@" | sort -g | tail -n 1; }
cat_rate=$(maximum "${cat_rates[@]}")
rate=$(maximum "${save_rates[@]}")
peak=$(maximum "${peaks[@]}")
printf 'embedded %.0f MB; %s; %d rounds\n' "$embedded" "$cache" "$rounds"
printf '  cat MB/s:  %s\n' "${cat_rates[*]}"
printf '  save MB/s: %s\n' "${save_rates[*]}"
awk -v r="$rate" -v c="$cat_rate" -v p="$peak" -v e="$embedded" \
    'BEGIN { printf "save: %.0f MB/s (%.2fx cat), %.1f MB peak RSS (%.3fx embedded files)\n", r, r / c, p, p / e }'
