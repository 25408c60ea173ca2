// How the error protocol is laid out on paper: every protocol line is broken at blanks into printed
// lines of at most 103 characters; continuation lines are indented by 20 blanks.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace plenvik {

inline constexpr std::size_t kPrintLineWidth = 103;
inline constexpr std::size_t kPrintContinuationIndent = 20;
inline constexpr std::size_t kPrintTabWidth = 8;

// One protocol line (no line break in it) as printed lines. Tabs become blanks up to the next multiple
// of 8 columns first, so that the width counts what the paper shows. A word longer than a line is cut.
std::vector<std::string> breakPrintLine(std::string_view line);

// The whole protocol: split at CR LF (a final line break adds no empty line), each line broken.
std::vector<std::string> printLines(std::string_view protocol);

}  // namespace plenvik
