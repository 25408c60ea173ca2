// JpegWriter on real device contexts: a picture drawn with GDI into a palettised memory DC (the kind of
// surface the picture control keeps) is sampled through win32::SampleHDC, encoded, decoded again by
// Windows' own JPEG decoder (WIC) and compared pixel by pixel; the file goes through the real file system.
#include <windows.h>
#include <wincodec.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "errors/RuntimeError.h"
#include "jpeg/JpegWriter.h"
#include "jpeg/win32/SampleHdc.h"
#include "platform/win32/Scoped.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Wide.h"

namespace plenvik::win32 {
namespace {

constexpr int kWidth = 96, kHeight = 64;
const RGBQUAD kPalette[] = {{216, 233, 236, 0}, {0, 0, 0, 0}, {255, 0, 0, 0}, {0, 0, 255, 0}, {0, 160, 0, 0}};
constexpr COLORREF kBackground = RGB(236, 233, 216), kBlue = RGB(0, 0, 255), kRed = RGB(255, 0, 0), kGreen = RGB(0, 160, 0);

// An 8-bit DIB section with a small palette, selected into a memory DC, like the picture control's surface.
struct PalettisedSurface {
    UniqueMemoryDc dc;
    UniqueGdiObject bitmap;
    std::uint8_t* bits = nullptr;
    std::unique_ptr<Selection> selection;

    PalettisedSurface() {
        struct {
            BITMAPINFOHEADER header;
            RGBQUAD colors[256];
        } info{};
        info.header.biSize = sizeof(BITMAPINFOHEADER);
        info.header.biWidth = kWidth;
        info.header.biHeight = kHeight;  // bottom-up, as the control makes it
        info.header.biPlanes = 1;
        info.header.biBitCount = 8;
        info.header.biCompression = BI_RGB;
        info.header.biClrUsed = static_cast<DWORD>(std::size(kPalette));
        std::copy(std::begin(kPalette), std::end(kPalette), info.colors);
        dc.reset(::CreateCompatibleDC(nullptr));
        void* pixels = nullptr;
        bitmap.reset(::CreateDIBSection(dc.get(), reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &pixels, nullptr, 0));
        bits = static_cast<std::uint8_t*>(pixels);
        selection = std::make_unique<Selection>(dc.get(), bitmap.get());
    }
};

void fill(HDC dc, int left, int top, int right, int bottom, COLORREF color) {
    UniqueGdiObject brush(::CreateSolidBrush(color));
    const RECT r{left, top, right, bottom};
    ::FillRect(dc, &r, static_cast<HBRUSH>(brush.get()));
}

// Background, a blue and a red field, a green bar, and a black outline with text-like strokes in the
// lower part (kept away from the fields, whose colours are checked).
void drawLayout(HDC dc) {
    fill(dc, 0, 0, kWidth, kHeight, kBackground);
    fill(dc, 16, 8, 48, 32, kBlue);
    fill(dc, 56, 8, 88, 32, kRed);
    fill(dc, 8, 40, 24, 56, kGreen);
    ::MoveToEx(dc, 30, 40, nullptr);
    ::LineTo(dc, 90, 40);
    ::LineTo(dc, 90, 60);
    ::LineTo(dc, 30, 60);
    ::LineTo(dc, 30, 40);
    ::TextOutW(dc, 34, 44, L"Mon.1", 5);
}

struct Decoded {
    UINT width = 0, height = 0;
    std::vector<BYTE> bgr;  // 3 bytes a pixel, rows of width * 3
    COLORREF at(int x, int y) const {
        const BYTE* p = bgr.data() + (static_cast<std::size_t>(y) * width + x) * 3;
        return RGB(p[2], p[1], p[0]);
    }
};

// Decodes the JPEG with the Windows Imaging Component.
Decoded decodeWithWic(const std::vector<std::uint8_t>& jpeg) {
    Decoded out;
    ComPtr<IWICImagingFactory> factory;
    HRESULT hr = ::CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory, factory.putVoid());
    EXPECT_TRUE(SUCCEEDED(hr)) << "no WIC factory: " << std::hex << hr;
    if (FAILED(hr)) return out;
    ComPtr<IWICStream> stream;
    ComPtr<IWICBitmapDecoder> decoder;
    ComPtr<IWICBitmapFrameDecode> frame;
    ComPtr<IWICFormatConverter> converter;
    hr = factory->CreateStream(stream.put());
    if (SUCCEEDED(hr)) hr = stream->InitializeFromMemory(const_cast<BYTE*>(jpeg.data()), static_cast<DWORD>(jpeg.size()));
    if (SUCCEEDED(hr)) hr = factory->CreateDecoderFromStream(stream.get(), nullptr, WICDecodeMetadataCacheOnDemand, decoder.put());
    if (SUCCEEDED(hr)) hr = decoder->GetFrame(0, frame.put());
    if (SUCCEEDED(hr)) hr = frame->GetSize(&out.width, &out.height);
    if (SUCCEEDED(hr)) hr = factory->CreateFormatConverter(converter.put());
    if (SUCCEEDED(hr))
        hr = converter->Initialize(frame.get(), GUID_WICPixelFormat24bppBGR, WICBitmapDitherTypeNone, nullptr, 0.0,
                                   WICBitmapPaletteTypeCustom);
    if (SUCCEEDED(hr)) {
        out.bgr.resize(static_cast<std::size_t>(out.width) * out.height * 3);
        hr = converter->CopyPixels(nullptr, out.width * 3, static_cast<UINT>(out.bgr.size()), out.bgr.data());
    }
    EXPECT_TRUE(SUCCEEDED(hr)) << "WIC could not decode the file: " << std::hex << hr;
    return out;
}

void expectNear(COLORREF actual, COLORREF expected, int x, int y) {
    const int tolerance = 6;
    EXPECT_NEAR(GetRValue(actual), GetRValue(expected), tolerance) << "red at " << x << "," << y;
    EXPECT_NEAR(GetGValue(actual), GetGValue(expected), tolerance) << "green at " << x << "," << y;
    EXPECT_NEAR(GetBValue(actual), GetBValue(expected), tolerance) << "blue at " << x << "," << y;
}

class JpegSampleHdc : public ::testing::Test {
protected:
    ComApartment com_;
};

TEST_F(JpegSampleHdc, DecodedPixelsShowTheDrawnPictureFromTheSourceOffset) {
    PalettisedSurface surface;
    ASSERT_NE(surface.bits, nullptr);
    drawLayout(surface.dc.get());

    // The part from (8, 4) on, 80 x 56 pixels, at the best quality without subsampling.
    JpegWriter jpg;
    jpg.Quality(100);
    jpg.SetSamplingFrequencies(1, 1, 1, 1, 1, 1);
    SampleHDC(jpg, surface.dc.get(), 80, 56, 8, 4);
    ASSERT_EQ(jpg.SaveFile(""), kJpegSaved);

    const Decoded decoded = decodeWithWic(jpg.Data());
    ASSERT_EQ(decoded.width, 80u);
    ASSERT_EQ(decoded.height, 56u);
    struct Probe {
        int x, y;
        COLORREF color;
    };
    // Surface coordinates: inside each field, away from its edges; then shifted by the offset.
    for (const Probe p : {Probe{20, 12, kBlue}, Probe{44, 28, kBlue}, Probe{60, 12, kRed}, Probe{84, 28, kRed}, Probe{12, 44, kGreen},
                          Probe{20, 52, kGreen}, Probe{10, 6, kBackground}, Probe{52, 20, kBackground}, Probe{4 + 8, 36, kBackground}})
        expectNear(decoded.at(p.x - 8, p.y - 4), p.color, p.x, p.y);
}

TEST_F(JpegSampleHdc, DeviceContextAndPixelBufferGiveTheSameFile) {
    PalettisedSurface surface;
    ASSERT_NE(surface.bits, nullptr);
    drawLayout(surface.dc.get());

    JpegWriter fromDc;
    fromDc.Quality(80);
    fromDc.SetSamplingFrequencies(1, 1, 1, 1, 1, 1);
    SampleHDC(fromDc, surface.dc.get(), kWidth, kHeight, 0, 0);
    fromDc.SaveFile("");

    // The surface's own indices and palette, read as the portable encoder reads a picture.
    PaletteColor palette[std::size(kPalette)];
    for (std::size_t i = 0; i < std::size(kPalette); ++i) palette[i] = {kPalette[i].rgbRed, kPalette[i].rgbGreen, kPalette[i].rgbBlue};
    const std::ptrdiff_t stride = (kWidth + 3) / 4 * 4;
    const PixelSource buffer{kWidth,
                             kHeight,
                             PixelFormat::Indexed8,
                             surface.bits + (kHeight - 1) * stride,
                             -stride,
                             palette,
                             static_cast<int>(std::size(palette))};
    JpegWriter fromBuffer;
    fromBuffer.Quality(80);
    fromBuffer.SetSamplingFrequencies(1, 1, 1, 1, 1, 1);
    fromBuffer.SampleHDC(buffer, kWidth, kHeight, 0, 0);
    fromBuffer.SaveFile("");

    EXPECT_EQ(fromDc.Data(), fromBuffer.Data());
}

TEST_F(JpegSampleHdc, SamplesADeviceDependentBitmapWithDefaultSubsampling) {
    WindowDc screen(nullptr);
    UniqueMemoryDc dc(::CreateCompatibleDC(screen.get()));
    UniqueGdiObject bitmap(::CreateCompatibleBitmap(screen.get(), 40, 24));
    Selection selected(dc.get(), bitmap.get());
    fill(dc.get(), 0, 0, 40, 24, kBackground);
    fill(dc.get(), 16, 0, 40, 24, kBlue);

    JpegWriter jpg;  // quality 75, 2x2 1x1 1x1
    SampleHDC(jpg, dc.get(), 40, 24, 0, 0);
    jpg.SaveFile("");
    const Decoded decoded = decodeWithWic(jpg.Data());
    ASSERT_EQ(decoded.width, 40u);
    ASSERT_EQ(decoded.height, 24u);
    expectNear(decoded.at(4, 12), kBackground, 4, 12);
    expectNear(decoded.at(32, 12), kBlue, 32, 12);
}

TEST_F(JpegSampleHdc, InvalidSizeIsRefusedBeforeAnyBitmapIsMade) {
    PalettisedSurface surface;
    JpegWriter jpg;
    try {
        SampleHDC(jpg, surface.dc.get(), 0, 10, 0, 0);
        ADD_FAILURE() << "a picture without width was accepted";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.number(), 5);
    }
}

TEST_F(JpegSampleHdc, SaveFileWritesThroughTheFileSystemAndKeepsAnExistingFile) {
    wchar_t temp[MAX_PATH];
    ASSERT_NE(::GetTempPathW(MAX_PATH, temp), 0u);
    const std::string folder = narrow(temp) + "plenvik-jpeg-" + std::to_string(::GetCurrentProcessId());
    ASSERT_TRUE(::CreateDirectoryW(widen(folder).c_str(), nullptr) || ::GetLastError() == ERROR_ALREADY_EXISTS);
    const std::string target = folder + "\\Desktop.jpg";
    ::DeleteFileW(widen(target).c_str());

    PalettisedSurface surface;
    drawLayout(surface.dc.get());
    Win32FileSystem files;
    JpegWriter jpg(files);
    jpg.Quality(80);
    jpg.SetSamplingFrequencies(1, 1, 1, 1, 1, 1);
    SampleHDC(jpg, surface.dc.get(), kWidth, kHeight, 0, 0);
    ASSERT_EQ(jpg.SaveFile(target), kJpegSaved);

    // The file holds exactly the encoded bytes, and no temporary file is left beside it.
    UniqueFile file(
        ::CreateFileW(widen(target).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(file);
    std::vector<std::uint8_t> bytes(jpg.Data().size() + 16);
    DWORD read = 0;
    ASSERT_TRUE(::ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr));
    bytes.resize(read);
    file.reset();
    EXPECT_EQ(bytes, jpg.Data());
    const auto entries = files.find(folder + "\\*");
    int regularFiles = 0;
    for (const auto& e : entries)
        if (!(e.attributes & kAttrDirectory)) ++regularFiles;
    EXPECT_EQ(regularFiles, 1) << "a temporary file was left behind";

    // A second save with the same name leaves the first file as it is.
    JpegWriter again(files);
    again.SampleHDC(PixelSource{}, 8, 8, 0, 0);
    EXPECT_EQ(again.SaveFile(target), kJpegFileExists);
    const Decoded decoded = decodeWithWic(bytes);
    EXPECT_EQ(decoded.width, static_cast<UINT>(kWidth));

    ::DeleteFileW(widen(target).c_str());
    ::RemoveDirectoryW(widen(folder).c_str());
}

}  // namespace
}  // namespace plenvik::win32
