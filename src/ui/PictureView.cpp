#include "ui/PictureView.h"

#include <algorithm>
#include <utility>

#include "common/AtomicFile.h"
#include "errors/RuntimeError.h"
#include "jpeg/JpegWriter.h"
#include "platform/FileSystem.h"
#include "ui/PictureDecoder.h"
#include "ui/PictureFile.h"
#include "ui/Rounding.h"

namespace plenvik {

PictureView::PictureView(FileSystem* files, PictureDecoder* decoder) : files_(files), decoder_(decoder) {}

void PictureView::BackColor(OleColor color) {
    props_.BackColor = color;
    PicturePaint();
}

void PictureView::BorderStyle(std::uint8_t style) {
    props_.BorderStyle = style;
    PicturePaint();
}

void PictureView::CornerStyle(std::uint8_t style) {
    props_.CornerStyle = style;
    PicturePaint();
}

void PictureView::PicMouseScroll(bool on) {
    props_.PicMouseScroll = on;
    if (!on) scroller_.endDrag();
}

void PictureView::replaceSurface(std::unique_ptr<IndexedSurface> surface) {
    surface_ = std::move(surface);
    ++revision_;
    relayout();
}

void PictureView::NewPicture(std::int16_t NewWidth, std::int16_t NewHeight, OleColor BGColor) {
    auto surface = std::make_unique<IndexedSurface>(NewWidth, NewHeight, resolve(BGColor));
    replaceSurface(std::move(surface));
    rendered_ = true;
    fileBytes_.clear();
    note_.clear();
    PicturePaint();
}

void PictureView::ClearPicture() {
    replaceSurface(nullptr);
    rendered_ = true;
    fileBytes_.clear();
    note_.clear();
    PicturePaint();
}

std::optional<RgbImage> PictureView::Picture() const {
    if (!surface_) return std::nullopt;
    return surface_->toRgb();
}

void PictureView::Picture(const RgbImage& image) {
    replaceSurface(std::make_unique<IndexedSurface>(IndexedSurface::fromRgb(image, resolve(props_.BackColor))));
    rendered_ = true;
    fileBytes_.clear();
    note_.clear();
    PicturePaint();
}

bool PictureView::OpenPicture(const std::string& Filename) {
    if (files_ == nullptr) return false;
    std::optional<std::vector<std::uint8_t>> bytes = readPictureFile(*files_, Filename);
    if (!bytes) return false;
    if (decoder_ != nullptr) {
        std::optional<RgbImage> image = decoder_->decode(*bytes);
        if (!image || image->width < 1 || image->height < 1 || image->width > 32767 || image->height > 32767) return false;
        Picture(*image);
        fileBytes_ = std::move(*bytes);
        return true;
    }
    const std::optional<PictureSize> size = jpegFrameSize(*bytes);
    if (!size || size->width > 32767 || size->height > 32767) return false;
    replaceSurface(std::make_unique<IndexedSurface>(size->width, size->height, resolve(props_.BackColor)));
    rendered_ = false;
    fileBytes_ = std::move(*bytes);
    note_ = "Das Bild '" + Filename + "' (" + std::to_string(size->width) + " x " + std::to_string(size->height) +
            " Pixel) wurde geladen, sein Inhalt kann aber nicht angezeigt werden: kein JPEG-Decoder vorhanden.";
    PicturePaint();
    return true;
}

bool PictureView::PaintRectangle(double x, double y, double toX, double toY, long pen, long brush, OleColor penColor, OleColor brushColor) {
    if (observer_) observer_(PaintCall{PaintCall::Kind::Rectangle, x, y, toX, toY, "", pen, brush, penColor, brushColor});
    const auto left = roundHalfEven(x), top = roundHalfEven(y);
    const auto right = roundHalfEven(toX), bottom = roundHalfEven(toY);
    if (surface_ && brush == 0 && left && top && right && bottom) {
        if (brushColor != 0) {
            // Like FillRect (a pattern blit with the extents right - left and bottom - top): a negative
            // extent covers the pixels from the first corner back to just after the second.
            const auto span = [](int from, int to) { return to >= from ? std::pair{from, to} : std::pair{to + 1, from + 1}; };
            const auto [x0, x1] = span(*left, *right);
            const auto [y0, y1] = span(*top, *bottom);
            surface_->fill(x0, y0, x1, y1, surface_->colorIndex(resolve(brushColor)));
        } else {
            const std::uint8_t outline = surface_->colorIndex(resolve(penColor_));
            const std::uint8_t inside = surface_->colorIndex(resolve(brushColor_));
            surface_->rectangle(*left, *top, *right, *bottom, outline, inside);
        }
        ++revision_;
    }
    PicturePaint();
    return true;
}

bool PictureView::PaintText(double x, double y, const std::string& text, long pen, long brush, OleColor penColor, OleColor brushColor) {
    if (observer_) observer_(PaintCall{PaintCall::Kind::Text, x, y, 0, 0, text, pen, brush, penColor, brushColor});
    const auto left = roundHalfEven(x), top = roundHalfEven(y);
    const bool plain = pen == 0 && brush == 0 && penColor == 0 && brushColor == 0;
    if (surface_ && plain && left && top) {
        surface_->text(*left, *top, text, surface_->colorIndex(resolve(penColor_)));
        ++revision_;
    }
    PicturePaint();
    return true;
}

void PictureView::PicturePaint() {
    if (repaint_) repaint_();
}

std::vector<std::uint8_t> PictureView::GetJPEGByteData(std::int32_t Quality) {
    JpegWriter jpg;
    jpg.Quality(std::clamp(Quality, 1, 100));
    jpg.SetSamplingFrequencies(1, 1, 1, 1, 1, 1);
    const PixelSource pixels = surface_ ? surface_->pixelSource() : PixelSource{};
    jpg.SampleHDC(pixels, PictureWidth(), PictureHeight(), 0, 0);
    jpg.SaveFile("");
    return jpg.Data();
}

bool PictureView::SaveJPEG(const std::string& Filename, bool Overwrite, std::int32_t Quality) {
    if (files_ == nullptr || Filename.empty()) return false;
    if (!Overwrite && files_->exists(Filename)) return false;
    const std::vector<std::uint8_t> bytes = GetJPEGByteData(Quality);
    return writeFileAtomically(*files_, Filename, bytes);
}

void PictureView::ReSize(int innerWidth, int innerHeight, int barSize) {
    innerWidth_ = innerWidth;
    innerHeight_ = innerHeight;
    barSize_ = barSize;
    relayout();
}

void PictureView::relayout() {
    scroller_.endDrag();
    scroller_.layout(innerWidth_, innerHeight_, PictureWidth(), PictureHeight(), barSize_);
}

void PictureView::mouseDown(int x, int y) {
    if (props_.PicMouseScroll) scroller_.beginDrag(x, y);
}

bool PictureView::mouseMove(int x, int y) { return scroller_.dragTo(x, y); }

void PictureView::mouseUp() { scroller_.endDrag(); }

}  // namespace plenvik
