#include "jpeg/win32/SampleHdc.h"

#include "jpeg/JpegError.h"
#include "platform/win32/Scoped.h"
#include "platform/win32/Wide.h"

namespace plenvik::win32 {
namespace {

[[noreturn]] void raiseWin32Failure(const char* operation) {
    throw RuntimeError(kJpegUsageErrorNumber, kJpegErrorSource, win32FailureText(operation, ::GetLastError()));
}

}  // namespace

void SampleHDC(JpegWriter& jpg, HDC lHDC, std::int32_t lWidth, std::int32_t lHeight, std::int32_t lSrcLeft, std::int32_t lSrcTop) {
    validatePictureSize(lWidth, lHeight);

    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = lWidth;
    info.bmiHeader.biHeight = -lHeight;  // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    UniqueGdiObject bitmap(::CreateDIBSection(lHDC, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap || bits == nullptr) raiseWin32Failure("CreateDIBSection");
    UniqueMemoryDc copy(::CreateCompatibleDC(lHDC));
    if (!copy) raiseWin32Failure("CreateCompatibleDC");
    {
        Selection selected(copy.get(), bitmap.get());
        if (!::BitBlt(copy.get(), 0, 0, lWidth, lHeight, lHDC, lSrcLeft, lSrcTop, SRCCOPY)) raiseWin32Failure("BitBlt");
        ::GdiFlush();
    }
    const PixelSource source{
        lWidth, lHeight, PixelFormat::Bgrx32, static_cast<const std::uint8_t*>(bits), static_cast<std::ptrdiff_t>(lWidth) * 4, nullptr, 0};
    jpg.SampleHDC(source, lWidth, lHeight, 0, 0);
}

}  // namespace plenvik::win32
