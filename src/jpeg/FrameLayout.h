// The frame's components and their sampling factors, and the geometry of the interleaved scan that
// follows from them: the minimum coded unit (MCU) and how many blocks each component has.
#pragma once

#include <array>
#include <vector>

namespace plenvik {

struct ComponentSpec {
    int id = 1;            // 1 Y, 2 Cb, 3 Cr
    int h = 1, v = 1;      // sampling factors 1 ... 4
    int quantTable = 0;    // 0 for the first component, 1 for the others
    int huffmanTable = 0;  // DC and AC table, likewise
};

// The sampling factors as SetSamplingFrequencies takes them: H1, V1, H2, V2, H3, V3.
using SamplingFactors = std::array<int, 6>;

// Raises "Invalid Sampling Value" for a factor outside 1 ... 4 (other than the all-zero grey case of
// components 2 and 3) and for factors whose MCU would hold more than the 10 blocks a baseline
// decoder accepts.
void validateSamplingFactors(const SamplingFactors& factors);

struct FrameLayout {
    int width = 0, height = 0;
    std::vector<ComponentSpec> components;  // 1 (grey) or 3
    int hMax = 1, vMax = 1;
    int mcusAcross = 0, mcusDown = 0;

    // One MCU's blocks, in scan order: for each component its v rows of h blocks.
    int blocksPerMcu() const;
    // The component's sample grid before padding: ceil(width * h / hMax) by ceil(height * v / vMax).
    int componentWidth(const ComponentSpec& c) const { return (width * c.h + hMax - 1) / hMax; }
    int componentHeight(const ComponentSpec& c) const { return (height * c.v + vMax - 1) / vMax; }
};

// factors must have passed validateSamplingFactors.
FrameLayout makeFrameLayout(int width, int height, const SamplingFactors& factors);

}  // namespace plenvik
