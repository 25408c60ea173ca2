#include "jpeg/CoefficientBlocks.h"

#include <algorithm>
#include <bit>

#include "jpeg/ForwardDct.h"
#include "jpeg/Quantizer.h"

namespace plenvik {
namespace {

// The 8x8 samples whose top-left corner is (x0, y0), edges repeated.
void fetchBlock(const SamplePlane& plane, int x0, int y0, float block[64]) {
    if (x0 + 8 <= plane.width() && y0 + 8 <= plane.height()) {
        for (int row = 0; row < 8; ++row) std::copy_n(plane.row(y0 + row) + x0, 8, block + row * 8);
        return;
    }
    for (int row = 0; row < 8; ++row) {
        const float* line = plane.row(std::min(y0 + row, plane.height() - 1));
        for (int col = 0; col < 8; ++col) block[row * 8 + col] = line[std::min(x0 + col, plane.width() - 1)];
    }
}

}  // namespace

CoefficientBlocks transformBlocks(const FrameLayout& layout, const std::vector<const SamplePlane*>& planes,
                                  const std::array<QuantizationTable, 2>& tables) {
    const Quantizer quantizers[2] = {Quantizer(tables[0]), Quantizer(tables[1])};
    const bool single = layout.components.size() == 1;

    CoefficientBlocks out;
    for (std::size_t c = 0; c < layout.components.size(); ++c) {
        const int blocks = single ? 1 : layout.components[c].h * layout.components[c].v;
        out.mcuComponents.insert(out.mcuComponents.end(), static_cast<std::size_t>(blocks), static_cast<std::uint8_t>(c));
    }
    const std::size_t total = static_cast<std::size_t>(layout.mcusAcross) * layout.mcusDown * out.mcuComponents.size();
    out.dc.reserve(total);
    out.nonZeroAc.reserve(total);
    out.ac.reserve(total * 8);

    float block[64];
    std::int16_t zigzag[64];
    for (int my = 0; my < layout.mcusDown; ++my) {
        for (int mx = 0; mx < layout.mcusAcross; ++mx) {
            for (std::size_t c = 0; c < layout.components.size(); ++c) {
                const ComponentSpec& component = layout.components[c];
                const int h = single ? 1 : component.h, v = single ? 1 : component.v;
                for (int by = 0; by < v; ++by) {
                    for (int bx = 0; bx < h; ++bx) {
                        fetchBlock(*planes[c], (mx * h + bx) * 8, (my * v + by) * 8, block);
                        forwardDct(block);
                        const std::uint64_t mask = quantizers[component.quantTable].quantize(block, zigzag) & ~std::uint64_t{1};
                        out.dc.push_back(zigzag[0]);
                        out.nonZeroAc.push_back(mask);
                        for (std::uint64_t rest = mask; rest != 0; rest &= rest - 1) out.ac.push_back(zigzag[std::countr_zero(rest)]);
                    }
                }
            }
        }
    }
    return out;
}

}  // namespace plenvik
