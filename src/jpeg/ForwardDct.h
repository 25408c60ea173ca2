// The forward DCT of an 8x8 block in floating point, by the fast separable algorithm of Arai, Agui
// and Nakajima. Its outputs are the true DCT coefficients divided by dctScale(u) * dctScale(v); the
// quantiser folds these factors into its divisors, which saves the multiplications here.
#pragma once

namespace plenvik {

// In place; block is row-major, level-shifted samples in, scaled coefficients out.
void forwardDct(float block[64]);

// The per-axis output factor of forwardDct: 1 / (2 sqrt 2) for k = 0, 1 / (4 cos(k pi / 16)) otherwise.
double dctScale(int k);

}  // namespace plenvik
