#include "ui/win32/PictureViewControlDecoder.h"

#include <windows.h>
#include <wincodec.h>

#include <limits>

#include "platform/win32/Scoped.h"

namespace plenvik::win32 {
namespace {

// Declared here so that no import library beyond ole32 is needed.
constexpr GUID kClsidWicImagingFactory = {0xcacaf262, 0x9370, 0x4615, {0xa1, 0x3b, 0x9f, 0x55, 0x39, 0xda, 0x4c, 0x0a}};
constexpr GUID kPixelFormat24bppRgb = {0x6fddc324, 0x4e03, 0x4bfe, {0xb1, 0x85, 0x3d, 0x77, 0x76, 0x8d, 0xc9, 0x0d}};

}  // namespace

std::optional<RgbImage> WicPictureDecoder::decode(const std::vector<std::uint8_t>& bytes) {
    if (bytes.empty() || bytes.size() > std::numeric_limits<DWORD>::max()) return std::nullopt;
    ComApartment apartment;
    ComPtr<IWICImagingFactory> factory;
    if (FAILED(CoCreateInstance(kClsidWicImagingFactory, nullptr, CLSCTX_INPROC_SERVER, __uuidof(IWICImagingFactory), factory.putVoid())))
        return std::nullopt;
    ComPtr<IWICStream> stream;
    if (FAILED(factory->CreateStream(stream.put()))) return std::nullopt;
    // WIC only reads from the buffer.
    if (FAILED(stream->InitializeFromMemory(const_cast<BYTE*>(bytes.data()), static_cast<DWORD>(bytes.size())))) return std::nullopt;
    ComPtr<IWICBitmapDecoder> decoder;
    if (FAILED(factory->CreateDecoderFromStream(stream.get(), nullptr, WICDecodeMetadataCacheOnDemand, decoder.put()))) return std::nullopt;
    ComPtr<IWICBitmapFrameDecode> frame;
    if (FAILED(decoder->GetFrame(0, frame.put()))) return std::nullopt;
    ComPtr<IWICFormatConverter> converter;
    if (FAILED(factory->CreateFormatConverter(converter.put()))) return std::nullopt;
    if (FAILED(converter->Initialize(frame.get(), kPixelFormat24bppRgb, WICBitmapDitherTypeNone, nullptr, 0.0, WICBitmapPaletteTypeCustom)))
        return std::nullopt;
    UINT width = 0, height = 0;
    if (FAILED(converter->GetSize(&width, &height)) || width == 0 || height == 0 || width > 32767 || height > 32767) return std::nullopt;
    RgbImage image(static_cast<int>(width), static_cast<int>(height));
    if (FAILED(converter->CopyPixels(nullptr, width * 3, static_cast<UINT>(image.rgb.size()), image.rgb.data()))) return std::nullopt;
    return image;
}

}  // namespace plenvik::win32
