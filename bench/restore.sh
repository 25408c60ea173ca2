#!/usr/bin/env bash
# scripts/bench restore: a project with ten embedded 100 MB files (made by the program's own save on the
# simulated platform) is shown and restored into an empty desktop. Prints the throughput against cat of
# the restored files and the peak memory of the process that restored them.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset host >/dev/null
cmake --build --preset host --target restore_bench >/dev/null
bench=build/host/bench/restore_bench
root=$(mktemp -d /tmp/plenvik-restore-bench.XXXXXX)
trap 'rm -rf "$root"' EXIT
rounds=${PLENVIK_BENCH_ROUNDS:-3}

"$bench" create "$root" 10 100
desktop="$root/C/Users/tester/Desktop"
cp "$desktop/Datei 0.bin" "$root/original.bin"
# Both from a cold cache, as a restore after a reboot meets the project file: before each restore the
# project file's pages are dropped, before each cat the restored files' (dd iflag=nocache count=0 drops a
# file's clean pages; the restore has synced what it wrote). Each figure is the best of its rounds:
# noise only ever adds time.
drop_cached() { local f; for f in "$@"; do dd if="$f" iflag=nocache count=0 status=none; done; }
# cold_read_rate MB FILE...: drops the files' pages, reads them with cat and prints MB per second.
cold_read_rate() {
    local megabytes=$1 start end
    shift
    drop_cached "$@"
    start=$(date +%s.%N)
    cat "$@" >/dev/null
    end=$(date +%s.%N)
    awk -v m="$megabytes" -v a="$start" -v b="$end" 'BEGIN { print m / (b - a) }'
}
projects=("$root/C/Projekte"/*.Plenvk)
cat_rates=() restore_rates=() peaks=() project_rates=()
for ((round = 0; round < rounds; ++round)); do
    drop_cached "${projects[@]}"
    read -r rate peak restored < <("$bench" restore "$root")
    restore_rates+=("$rate")
    peaks+=("$peak")
    cmp -s "$root/original.bin" "$desktop/Datei 0.bin" || { echo "restore: Datei 0.bin differs from the original" >&2; exit 1; }
    files=("$desktop"/*)
    cat_rates+=("$(cold_read_rate "$restored" "${files[@]}")")
    # What no restore can beat: reading its project file once, from the same cold cache (in MB
    # restored per second, the restore's unit).
    project_rates+=("$(cold_read_rate "$restored" "${projects[@]}")")
done
maximum() { printf '%s\n' "$@" | sort -g | tail -n 1; }
cat_rate=$(maximum "${cat_rates[@]}")
rate=$(maximum "${restore_rates[@]}")
project_rate=$(maximum "${project_rates[@]}")
peak=$(maximum "${peaks[@]}")
printf 'restored %.0f MB; %d rounds\n' "$restored" "$rounds"
printf '  cat MB/s:     %s\n' "${cat_rates[*]}"
printf '  restore MB/s: %s\n' "${restore_rates[*]}"
printf '  project file read alone, MB restored/s: %s (%.2fx cat: the most any restore could reach)\n' \
    "${project_rates[*]}" "$(awk -v p="$project_rate" -v c="$cat_rate" 'BEGIN { print p / c }')"
awk -v r="$rate" -v c="$cat_rate" -v p="$peak" -v e="$restored" \
    'BEGIN { printf "restore: %.0f MB/s (%.2fx cat), %.1f MB peak RSS (%.3fx embedded files)\n", r, r / c, p, p / e }'
