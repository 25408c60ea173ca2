// The quantised DCT coefficients of the whole picture, block by block in the order the scan codes
// them. They are computed once and read twice: to count the Huffman symbols and to write them. Only
// the non-zero AC coefficients are kept, which at usual qualities is a small part of them.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "jpeg/ColorSampler.h"
#include "jpeg/FrameLayout.h"
#include "jpeg/QuantizationTables.h"

namespace plenvik {

struct CoefficientBlocks {
    std::vector<std::int16_t> dc;             // per block
    std::vector<std::uint64_t> nonZeroAc;     // per block: bit k (1 ... 63) set when AC coefficient k is not 0
    std::vector<std::int16_t> ac;             // the non-zero AC coefficients of all blocks, in zig-zag order
    std::vector<std::uint8_t> mcuComponents;  // one MCU's blocks: the index of each block's component

    std::size_t blockCount() const { return dc.size(); }
};

// planes: one per component of the layout, already at the component's resolution. Blocks that reach
// past a plane's right or bottom edge repeat its last column or row.
CoefficientBlocks transformBlocks(const FrameLayout& layout, const std::vector<const SamplePlane*>& planes,
                                  const std::array<QuantizationTable, 2>& tables);

}  // namespace plenvik
