# Encode time of JpegWriter per megapixel against cjpeg (quality 80, 4:4:4, optimal Huffman tables).
set -euo pipefail
cmake --preset host >/dev/null
cmake --build --preset host --target jpeg_bench -- -j2 >/dev/null
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
build/host/bench/jpeg_bench "$work" "${1:-7}"
