#!/usr/bin/env bash
# Base64 throughput: our codec against the system's base64 tool on the same 64 MiB of random bytes.
# Our figures are in-memory (best of 3); the tool's are whole runs (best of 3) reading the file from the
# page cache and writing to /dev/null, process start included. MB = 10^6 bytes of binary data, in both
# directions. The outputs are checked against each other; the tool pads with "=", we do not.
set -euo pipefail
source "$(dirname "$0")/../scripts/lib.sh"
cd "$PLENVIK_ROOT"

cmake --preset host >/dev/null
cmake --build --preset host --target base64_bench -- -j2 >/dev/null

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
size=$((64 * 1024 * 1024))
head -c "$size" /dev/urandom >"$work/data"

# Ours: times, and writes its encoded text and decoded bytes.
ours=$(build/host/bench/base64_bench "$work/data" "$work/ours.b64" "$work/ours.bin" 3)
echo "$ours" | sed 's/^/ours: /; s/$/ MB\/s/'
our_enc=$(echo "$ours" | awk '$1 == "encode" {print $2}')
our_dec=$(echo "$ours" | awk '$1 == "decode" {print $2}')

now() { date +%s%N; }
best_of_3() {  # prints the best wall time in nanoseconds of the command
    local best=0 i t0 t1
    for i in 1 2 3; do
        t0=$(now); "$@" >/dev/null; t1=$(now)
        if [ "$best" -eq 0 ] || [ $((t1 - t0)) -lt "$best" ]; then best=$((t1 - t0)); fi
    done
    echo "$best"
}
base64 -w0 "$work/data" >"$work/tool.b64"
base64 -d "$work/tool.b64" >"$work/tool.bin"
tool_enc_ns=$(best_of_3 base64 -w0 "$work/data")
tool_dec_ns=$(best_of_3 base64 -d "$work/tool.b64")

# The outputs agree: the same text up to the tool's padding, and both decoders give the input back.
cmp -s "$work/tool.bin" "$work/data" || { echo "base64 -d did not give the input back" >&2; exit 1; }
cmp -s "$work/ours.bin" "$work/data" || { echo "our decoder did not give the input back" >&2; exit 1; }
tr -d '=' <"$work/tool.b64" | cmp -s - "$work/ours.b64" || { echo "our text differs from base64 -w0" >&2; exit 1; }
echo "outputs agree: encoded text equals base64 -w0 without its padding, both decoders return the input"

awk -v size="$size" -v oe="$our_enc" -v od="$our_dec" -v te="$tool_enc_ns" -v td="$tool_dec_ns" 'BEGIN {
    tool_enc = size / 1e6 / (te / 1e9); tool_dec = size / 1e6 / (td / 1e9)
    printf "base64 tool: %.0f MB/s encode, %.0f MB/s decode\n", tool_enc, tool_dec
    printf "base64: %.0f MB/s encode, %.0f MB/s decode (%.1fx base64 encode, %.1fx base64 decode)\n",
           oe, od, oe / tool_enc, od / tool_dec
}'
