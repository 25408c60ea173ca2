// PictureView: the picture control's model. It holds one picture in an off-screen 8-bit surface (see
// IndexedSurface), draws rectangles and text into it, writes it as JPEG, loads picture files, and keeps
// the view state (scroll bars sHor/sVer, mouse dragging). The drawing happens here, in the portable
// core, so a picture and its JPEG bytes are the same on every platform; a Win32 view shows the
// surface 1:1 and is told to repaint through the repaint handler.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "jpeg/PixelSource.h"
#include "ui/IndexedSurface.h"
#include "ui/OleColor.h"
#include "ui/PictureScroller.h"

namespace plenvik {

class FileSystem;
class PictureDecoder;

// The picture of the main window's ctlPictureView. The save run clears it with the rectangle
// (-1, -1, 255, 255): on 254 x 254 pixels that fills every pixel and leaves the outline outside.
inline constexpr int kMainPictureWidth = 254;
inline constexpr int kMainPictureHeight = 254;

// One drawing call as the caller made it, before rounding (for views that track changes, and tests).
struct PaintCall {
    enum class Kind { Rectangle, Text } kind = Kind::Rectangle;
    double left = 0, top = 0, right = 0, bottom = 0;  // Text: left and top only
    std::string text;
    long pen = 0, brush = 0;
    OleColor penColor = 0, brushColor = 0;
};

// The properties a form stores for the control.
struct PictureViewProperties {
    OleColor BackColor = systemColor(5);  // window background
    std::uint8_t BorderStyle = 1;         // 0 none, 1 sunken edge, 2 single line
    std::uint8_t CornerStyle = 0;         // 0 plain corner between the bars, 1 size grip
    bool PicMouseScroll = true;
};

class PictureView {
public:
    // Without a file system the control cannot open or save files (OpenPicture and SaveJPEG fail).
    explicit PictureView(FileSystem* files = nullptr, PictureDecoder* decoder = nullptr);

    // ---- appearance and behaviour ----
    const PictureViewProperties& properties() const { return props_; }
    OleColor BackColor() const { return props_.BackColor; }
    void BackColor(OleColor color);
    std::uint8_t BorderStyle() const { return props_.BorderStyle; }
    void BorderStyle(std::uint8_t style);
    std::uint8_t CornerStyle() const { return props_.CornerStyle; }
    void CornerStyle(std::uint8_t style);
    bool PicMouseScroll() const { return props_.PicMouseScroll; }
    void PicMouseScroll(bool on);

    void setSystemColors(SystemColorResolver resolver) { systemColors_ = std::move(resolver); }
    void setDecoder(PictureDecoder* decoder) { decoder_ = decoder; }
    // Called by PicturePaint (and so after every drawing operation); the view repaints.
    void setRepaintHandler(std::function<void()> handler) { repaint_ = std::move(handler); }
    // Told of every PaintRectangle and PaintText call.
    void setPaintObserver(std::function<void(const PaintCall&)> observer) { observer_ = std::move(observer); }

    // The surface's current pen (outline and text) and brush (inside of rectangles): black and white.
    OleColor PenColor() const { return penColor_; }
    void PenColor(OleColor color) { penColor_ = color; }
    OleColor BrushColor() const { return brushColor_; }
    void BrushColor(OleColor color) { brushColor_ = color; }

    // ---- the picture ----
    // Replaces the surface by one of that size (1 ... 32767 each) filled with the colour (a system
    // colour is resolved first). Other sizes raise a run-time error and keep the old surface.
    void NewPicture(std::int16_t NewWidth, std::int16_t NewHeight, OleColor BGColor);
    // Loads a picture file. With a decoder its pixels fill a new surface. Without one (the portable
    // build) a JPEG file is kept as bytes and the surface gets its size, blank: PictureRendered() is
    // then false and PictureNote() says so. False (old surface kept) when the file cannot be read or
    // is no picture.
    bool OpenPicture(const std::string& Filename);
    // Discards the surface and repaints (PictureWidth and PictureHeight become 0).
    void ClearPicture();
    bool hasPicture() const { return surface_ != nullptr; }
    // The picture as RGB (nothing without a surface); setting copies it into a new surface.
    std::optional<RgbImage> Picture() const;
    void Picture(const RgbImage& image);

    std::int32_t PictureWidth() const { return surface_ ? surface_->width() : 0; }
    std::int32_t PictureHeight() const { return surface_ ? surface_->height() : 0; }
    const IndexedSurface* surface() const { return surface_.get(); }
    // Counts every change of the surface's pixels or size; a view copies the pixels when it changed.
    std::uint64_t revision() const { return revision_; }

    bool PictureRendered() const { return rendered_; }
    const std::vector<std::uint8_t>& PictureFileBytes() const { return fileBytes_; }
    const std::string& PictureNote() const { return note_; }

    // ---- drawing (coordinates are rounded to whole pixels, ties to even) ----
    // brush 0: with a non-zero brushColor fills [left, right) x [top, bottom) with that colour
    // (as FillRect: with right < left it fills right + 1 ... left, likewise vertically);
    // otherwise draws the outline with the pen and the inside with the brush. A non-zero brush
    // draws nothing. Always repaints; true.
    bool PaintRectangle(double x, double y, double toX, double toY, long pen = 0, long brush = 0, OleColor penColor = 0,
                        OleColor brushColor = 0);
    // With all optional arguments 0, writes the text in the pen's colour with its top-left corner at
    // the point (built-in 5 x 7 font, transparent). Always repaints; true.
    bool PaintText(double x, double y, const std::string& text, long pen = 0, long brush = 0, OleColor penColor = 0,
                   OleColor brushColor = 0);
    void PicturePaint();

    // ---- JPEG ----
    // Encodes the whole surface (quality limited to 1 ... 100, no chroma subsampling). Without a
    // surface the encoder raises its run-time error.
    std::vector<std::uint8_t> GetJPEGByteData(std::int32_t Quality);
    // Encodes first, then writes through a temporary file that replaces the target only when complete,
    // so a failure never costs the old file. False when the file exists and Overwrite is false, or it
    // could not be written.
    bool SaveJPEG(const std::string& Filename, bool Overwrite, std::int32_t Quality);

    // ---- view state ----
    // innerWidth x innerHeight: the control's area inside its border; barSize: a scroll bar's thickness.
    void ReSize(int innerWidth, int innerHeight, int barSize);
    const PictureScroller& scroller() const { return scroller_; }
    void scrollTo(int horizontal, int vertical) { scroller_.scrollTo(horizontal, vertical); }
    // A mouse button went down over the picture: starts a drag when PicMouseScroll is on.
    void mouseDown(int x, int y);
    // True when the view moved.
    bool mouseMove(int x, int y);
    void mouseUp();

private:
    PaletteColor resolve(OleColor color) const { return resolveColor(color, systemColors_); }
    void replaceSurface(std::unique_ptr<IndexedSurface> surface);
    void relayout();

    FileSystem* files_;
    PictureDecoder* decoder_;
    PictureViewProperties props_;
    SystemColorResolver systemColors_;
    std::function<void()> repaint_;
    std::function<void(const PaintCall&)> observer_;
    OleColor penColor_ = rgbColor(0, 0, 0);
    OleColor brushColor_ = rgbColor(255, 255, 255);
    std::unique_ptr<IndexedSurface> surface_;
    std::uint64_t revision_ = 0;
    bool rendered_ = true;
    std::vector<std::uint8_t> fileBytes_;
    std::string note_;
    PictureScroller scroller_;
    int innerWidth_ = 0, innerHeight_ = 0, barSize_ = 0;
};

}  // namespace plenvik
