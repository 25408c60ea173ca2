#include "jpeg/FrameLayout.h"

#include <algorithm>

#include "jpeg/JpegError.h"

namespace plenvik {
namespace {

constexpr int kMaxBlocksPerMcu = 10;

bool isGrey(const SamplingFactors& f) { return f[2] == 0 && f[3] == 0 && f[4] == 0 && f[5] == 0; }

}  // namespace

void validateSamplingFactors(const SamplingFactors& factors) {
    const int used = isGrey(factors) ? 2 : 6;
    for (int i = 0; i < used; ++i)
        if (factors[i] < 1 || factors[i] > 4) raiseJpegError(kInvalidSamplingValue);
    // A single-component scan codes block by block whatever the factors; an interleaved one is limited.
    if (used == 6 && factors[0] * factors[1] + factors[2] * factors[3] + factors[4] * factors[5] > kMaxBlocksPerMcu)
        raiseJpegError(kInvalidSamplingValue);
}

int FrameLayout::blocksPerMcu() const {
    if (components.size() == 1) return 1;
    int blocks = 0;
    for (const auto& c : components) blocks += c.h * c.v;
    return blocks;
}

FrameLayout makeFrameLayout(int width, int height, const SamplingFactors& factors) {
    FrameLayout layout;
    layout.width = width;
    layout.height = height;
    if (isGrey(factors)) {
        // A grey picture is always coded at full resolution.
        layout.components.push_back(ComponentSpec{1, 1, 1, 0, 0});
    } else {
        for (int i = 0; i < 3; ++i) {
            const int table = i == 0 ? 0 : 1;
            layout.components.push_back(ComponentSpec{i + 1, factors[2 * i], factors[2 * i + 1], table, table});
        }
    }
    for (const auto& c : layout.components) {
        layout.hMax = std::max(layout.hMax, c.h);
        layout.vMax = std::max(layout.vMax, c.v);
    }
    layout.mcusAcross = (width + 8 * layout.hMax - 1) / (8 * layout.hMax);
    layout.mcusDown = (height + 8 * layout.vMax - 1) / (8 * layout.vMax);
    return layout;
}

}  // namespace plenvik
