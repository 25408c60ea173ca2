// Huffman coding of the scan: the DC difference to the previous block of the same component and the
// run-length coded AC coefficients. Run twice over the same blocks: once to count the symbols for the
// optimal tables, once to write the bits.
#pragma once

#include <array>
#include <vector>

#include "jpeg/BitWriter.h"
#include "jpeg/CoefficientBlocks.h"
#include "jpeg/FrameLayout.h"
#include "jpeg/HuffmanTable.h"

namespace plenvik {

struct ScanStatistics {
    std::array<SymbolCounts, 2> dc{};  // per Huffman table
    std::array<SymbolCounts, 2> ac{};
};

// The counts of every DC and AC symbol of the scan, per Huffman table.
ScanStatistics countSymbols(const FrameLayout& layout, const CoefficientBlocks& blocks);

// The size of the scan in bits once coded with these tables (before byte stuffing and padding).
std::uint64_t codedBits(const ScanStatistics& stats, const std::array<HuffmanCodes, 2>& dc, const std::array<HuffmanCodes, 2>& ac,
                        std::uint64_t magnitudeBits);

// The number of magnitude bits that follow the Huffman codes; independent of the tables.
std::uint64_t magnitudeBits(const ScanStatistics& stats);

void writeScan(const FrameLayout& layout, const CoefficientBlocks& blocks, const std::array<HuffmanCodes, 2>& dc,
               const std::array<HuffmanCodes, 2>& ac, BitWriter& out);

}  // namespace plenvik
