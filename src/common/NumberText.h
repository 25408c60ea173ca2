// Numbers typed by the user or found in the settings file.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace plenvik {

// A plain decimal number: optional blanks, an optional sign, digits with at most one decimal separator,
// optional blanks. No thousands separators and no exponent: "1.000" under a German locale would be
// read back elsewhere as 1, so it is not a number here. Empty optional for anything else.
std::optional<double> parsePlainNumber(std::string_view text, char decimalSeparator);

// The leading number of a text, read the same on every system: blanks, tabs and line feeds are
// skipped wherever they stand, then an optional sign, digits, a "." with digits and an exponent
// ("E" or "D") are taken as far as they go. A text without a leading number reads as 0.
double leadingNumber(std::string_view text);

// Rounds to the nearest integer, halves to the even neighbour (2.5 -> 2, 3.5 -> 4). Empty optional when
// the result does not fit 32 bits.
std::optional<std::int32_t> roundHalfEvenToInt32(double value);

}  // namespace plenvik
