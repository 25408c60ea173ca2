// JpegWriter's SampleHDC for a Windows device context: the rectangle is copied into a 32-bit DIB section
// (so any DC works - a memory DC with an 8-bit palettised bitmap, a window DC) and sampled from there.
#pragma once

#include <windows.h>

#include <cstdint>

#include "jpeg/JpegWriter.h"

namespace plenvik::win32 {

// Copies the lWidth x lHeight rectangle at (lSrcLeft, lSrcTop) of lHDC and hands it to the encoder.
// Raises a run-time error (number 5) for an invalid size or when the copy fails.
void SampleHDC(JpegWriter& jpg, HDC lHDC, std::int32_t lWidth, std::int32_t lHeight, std::int32_t lSrcLeft, std::int32_t lSrcTop);

}  // namespace plenvik::win32
