// The run-time errors the encoder raises. Their numbers and English descriptions are what the error
// report shows and what callers compare against.
#pragma once

#include <string>
#include <utility>

#include "errors/RuntimeError.h"

namespace plenvik {

inline constexpr const char* kJpegErrorSource = "Plenvik.clsJPG";

// Number 1: invalid arguments and inconsistent tables.
inline constexpr long kJpegErrorNumber = 1;
inline constexpr const char* kInvalidSamplingValue = "Invalid Sampling Value";
inline constexpr const char* kIllegalCommentLength = "Illegal Comment Length";
inline constexpr const char* kBadQuantizationTable = "Bad Quantization Table";
inline constexpr const char* kIllegalQuantizationPrecision = "Illegal precission in Quantization Table";
inline constexpr const char* kBadHuffmanTable = "Bad Huffman Table";

// Number 5: the encoder was used the wrong way round (no picture, an impossible picture size).
inline constexpr long kJpegUsageErrorNumber = 5;

[[noreturn]] inline void raiseJpegError(const char* description) { throw RuntimeError(kJpegErrorNumber, kJpegErrorSource, description); }

[[noreturn]] inline void raiseJpegUsageError(std::string description) {
    throw RuntimeError(kJpegUsageErrorNumber, kJpegErrorSource, std::move(description));
}

}  // namespace plenvik
