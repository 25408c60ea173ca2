#include "jpeg/ForwardDct.h"

#include <cmath>

namespace plenvik {
namespace {

// cos(4 pi / 16), cos(6 pi / 16), cos(2 pi / 16) - cos(6 pi / 16), cos(2 pi / 16) + cos(6 pi / 16)
constexpr float kC4 = 0.707106781f;
constexpr float kC6 = 0.382683433f;
constexpr float kC2MinusC6 = 0.541196100f;
constexpr float kC2PlusC6 = 1.306562965f;

// One 8-point transform on the values at p[0], p[step], ..., p[7 * step].
inline void transform8(float* p, int step) {
    const float s07 = p[0] + p[7 * step], d07 = p[0] - p[7 * step];
    const float s16 = p[step] + p[6 * step], d16 = p[step] - p[6 * step];
    const float s25 = p[2 * step] + p[5 * step], d25 = p[2 * step] - p[5 * step];
    const float s34 = p[3 * step] + p[4 * step], d34 = p[3 * step] - p[4 * step];

    // Even half: a 4-point DCT of the sums.
    const float e0 = s07 + s34, e3 = s07 - s34;
    const float e1 = s16 + s25, e2 = s16 - s25;
    p[0] = e0 + e1;
    p[4 * step] = e0 - e1;
    const float rotated = (e2 + e3) * kC4;
    p[2 * step] = e3 + rotated;
    p[6 * step] = e3 - rotated;

    // Odd half: the differences, with the rotation by 6 pi / 16 shared between two outputs.
    const float o0 = d34 + d25, o1 = d25 + d16, o2 = d16 + d07;
    const float shared = (o0 - o2) * kC6;
    const float z2 = kC2MinusC6 * o0 + shared;
    const float z4 = kC2PlusC6 * o2 + shared;
    const float z3 = o1 * kC4;
    const float z11 = d07 + z3, z13 = d07 - z3;
    p[5 * step] = z13 + z2;
    p[3 * step] = z13 - z2;
    p[1 * step] = z11 + z4;
    p[7 * step] = z11 - z4;
}

}  // namespace

void forwardDct(float block[64]) {
    for (int row = 0; row < 8; ++row) transform8(block + row * 8, 1);
    for (int col = 0; col < 8; ++col) transform8(block + col, 8);
}

double dctScale(int k) {
    // Written out rather than computed: the C libraries of the builds round cos() differently, and the
    // picture's bytes must be the same from every build.
    static constexpr double kScale[8] = {0x1.6a09e667f3bccp-2, 0x1.0503ed17cba53p-2, 0x1.1517a7bdb3895p-2, 0x1.33e37a1e0173ep-2,
                                         0x1.6a09e667f3bccp-2, 0x1.ccc9aefb18d57p-2, 0x1.4e7ae9144f0fbp-1, 0x1.480d9d073b426p+0};
    return k >= 0 && k < 8 ? kScale[k] : 0.0;
}

}  // namespace plenvik
