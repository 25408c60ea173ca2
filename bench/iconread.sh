#!/usr/bin/env bash
# Reading 1000 desktop icons across the process boundary under Wine: the per-label way (each label its
# own process opening and two remote blocks) against ours (one opening, one block per inventory), in the
# same run against the same test shell; then the folder-view route against that shell's folder view
# built in the benchmark's own process (Wine marshals no item ID lists between processes). Best of 3
# runs each; all must read the same icons. Target: ours at least 3x faster than the per-label way.
set -euo pipefail
source "$(dirname "$0")/../scripts/lib.sh"
cd "$PLENVIK_ROOT"

"$PLENVIK_ROOT/scripts/setup" >/dev/null
cmake --preset win64 >/dev/null
cmake --build --preset win64 --target iconread_win testshell -- -j2 >/dev/null

start_xvfb
trap 'stop_wine; stop_xvfb' EXIT
start_wine
scripts/wine-run build/win64/iconread_win.exe 1000 3 | tr -d '\r'
