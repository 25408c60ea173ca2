#!/usr/bin/env bash
# scripts/bench show: a project of 100,000 icons (each a small file with its content) is shown on the
# simulated platform in a child process. Prints the time against cat of the project file and the
# child's peak memory against the project file's size; best of the rounds. The target is at most
# 64 MB plus about 1 KB per icon.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset host >/dev/null
cmake --build --preset host --target show_bench >/dev/null
bench=build/host/bench/show_bench
root=$(mktemp -d /tmp/plenvik-show-bench.XXXXXX)
trap 'rm -rf "$root"' EXIT
rounds=${PLENVIK_BENCH_ROUNDS:-3}
icons=${PLENVIK_BENCH_ICONS:-100000}

"$bench" create "$root" "$icons"
project=$(find "$root" -name 'Viele Symbole.Plenvk')
file_mb=$(awk -v b="$(stat -c %s "$project")" 'BEGIN { print b / 1e6 }')
show_ms=() peaks=() cat_ms=()
for ((round = 0; round < rounds; ++round)); do
    read -r ms peak shown < <("$bench" show "$root" "$icons")
    [ "$shown" = "$icons" ] || { echo "show: $shown of $icons icons shown" >&2; exit 1; }
    show_ms+=("$ms")
    peaks+=("$peak")
    start=$(date +%s%N)
    cat "$project" >/dev/null
    cat_ms+=("$(( ($(date +%s%N) - start) / 1000000 ))")
done
minimum() { printf '%s\n' "$@" | sort -g | head -n 1; }
ms=$(minimum "${show_ms[@]}")
peak=$(minimum "${peaks[@]}")
cat_time=$(minimum "${cat_ms[@]}")
[ "$cat_time" -gt 0 ] || cat_time=1
printf '%d icons, project file %.1f MB; target: peak at most %.0f MB\n' "$icons" "$file_mb" "$(awk -v n="$icons" 'BEGIN { print 64 + n / 1000 }')"
printf '  show ms: %s\n  peak MB: %s\n' "${show_ms[*]}" "${peaks[*]}"
awk -v t="$ms" -v c="$cat_time" -v p="$peak" -v f="$file_mb" \
    'BEGIN { printf "show: %.0f ms (%.0fx cat), %.1f MB peak RSS (%.2fx project file)\n", t, t / c, p, p / f }'
