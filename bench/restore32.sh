#!/usr/bin/env bash
# The 32-bit Plenvik.exe under Wine saves a desktop holding one 1 GB file (MEGABYTES: first argument,
# 1000 by default), and after the file was deleted RESTORE brings it back, byte for byte. Prints the
# restore run's throughput against cat of the restored file and the program's peak working set against
# the embedded file's size. Needs a machine that runs 32-bit programs.
set -euo pipefail
source "$(dirname "$0")/../scripts/lib.sh"
cd "$PLENVIK_ROOT"
megabytes=${1:-1000}
if ! wine32_works; then
    echo "restore32: this machine runs no 32-bit programs, nothing measured" >&2
    exit 1
fi

"$PLENVIK_ROOT/scripts/setup" >/dev/null
cmake --preset win32 >/dev/null
cmake --build --preset win32 --target restorebig_win -- -j2 >/dev/null

start_xvfb
trap 'stop_wine; stop_xvfb' EXIT
start_wine
make_user_folders_real
read -r rate peak restored < <(scripts/wine-run build/win32/restorebig_win.exe "$megabytes" | tr -d '\r')
restoredFile="$WINEPREFIX/drive_c/users/$(id -un)/Desktop/Große Datei.bin"
start=$(date +%s.%N)
cat "$restoredFile" >/dev/null
end=$(date +%s.%N)
rm -f "$restoredFile"
cat_rate=$(awk -v m="$restored" -v a="$start" -v b="$end" 'BEGIN { print m / (b - a) }')
printf '  cat MB/s: %.0f\n' "$cat_rate"
awk -v r="$rate" -v c="$cat_rate" -v p="$peak" -v e="$restored" \
    'BEGIN { printf "restore32: %.0f MB/s (%.2fx cat), %.1f MB peak working set (%.3fx embedded file)\n", r, r / c, p, p / e }'
