// Huffman tables: the optimal table for a set of symbol counts, with code lengths limited to 16 bits
// (the procedure of T.81 Annex K.2), and the codes that a DHT table defines (Annex C).
#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace plenvik {

// A table as the DHT segment carries it.
struct HuffmanSpec {
    std::array<std::uint8_t, 16> counts{};  // counts[i]: number of codes of length i + 1
    std::vector<std::uint8_t> symbols;      // in order of increasing code length
};

// How often each of the 256 symbols occurs in one table's share of the scan.
using SymbolCounts = std::array<std::uint32_t, 256>;

// The optimal table for the counts; symbols that never occur get no code. No code is longer than 16
// bits and none consists of 1-bits only. At least one count must be non-zero.
HuffmanSpec buildOptimalHuffman(const SymbolCounts& counts);

// Code and length per symbol (length 0: no code).
struct HuffmanCodes {
    std::array<std::uint16_t, 256> code{};
    std::array<std::uint8_t, 256> length{};
};

// The codes a DHT table defines. Raises "Bad Huffman Table" when its lengths do not form a valid
// prefix code (too many codes for a length, a code of 1-bits only, a symbol twice, no symbol at all),
// or when a DC table holds a symbol above 15.
HuffmanCodes huffmanCodes(const HuffmanSpec& table, bool dcTable);

}  // namespace plenvik
