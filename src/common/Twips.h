// Twips (1/1440 inch) and pixels at a screen resolution. 1440/dpi is a whole number only at 96 and 120
// dpi; at 175 % (168 dpi) a pixel is 8.57 twips, so the conversion multiplies first and rounds to the
// nearest pixel (halves away from zero) instead of dividing by a rounded factor.
#pragma once

namespace plenvik {

inline constexpr int kTwipsPerInch = 1440;

constexpr long long roundedQuotient(long long numerator, long long denominator) {
    const long long half = denominator / 2;
    return numerator >= 0 ? (numerator + half) / denominator : -((-numerator + half) / denominator);
}

constexpr int twipsToPixels(long twips, int dotsPerInch) {
    return static_cast<int>(roundedQuotient(static_cast<long long>(twips) * dotsPerInch, kTwipsPerInch));
}

constexpr long pixelsToTwips(int pixels, int dotsPerInch) {
    return static_cast<long>(roundedQuotient(static_cast<long long>(pixels) * kTwipsPerInch, dotsPerInch > 0 ? dotsPerInch : 96));
}

}  // namespace plenvik
