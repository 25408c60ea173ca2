// ProgressBar: a bar with percentage text drawn into a window of the caller's choice. The class
// keeps the counting range and works out what to draw (ProgressBarDrawing); a painter supplied by the
// view draws it (on Windows: win32::bindProgressBar).
//
//   ProgressBar bar;
//   bar.initialize(mainWindowProgressBar(target, font, 123));
//   bar.Paint();
//   bar.Add(4);     // after each step, with its weight
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "ui/OleColor.h"

namespace plenvik {

// Status bits.
inline constexpr long kProgressVisible = 2;  // the bar is drawn
inline constexpr long kProgressWrap = 4;     // a value above the maximum restarts at the minimum

// Scale modes of the geometry.
inline constexpr long kScaleTwips = 1, kScalePixels = 3;

// The platform's text-drawing and edge flags the bar passes on.
inline constexpr long kTextAlignCenter = 1;            // DT_CENTER
inline constexpr long kTextStyleEndEllipsis = 0x8000;  // DT_END_ELLIPSIS
inline constexpr long kEdgeEtched = 6;                 // EDGE_ETCHED

struct ProgressFont {
    std::string name = "Arial";
    double size = 7;  // points
    bool bold = false;
    bool italic = false;
    bool operator==(const ProgressFont&) const = default;
};

// The 20 settings of initialize, in its order.
struct ProgressBarInit {
    std::uintptr_t p_HwndTarget = 0;                                    // the window drawn into
    long p_LngLeft = 0, p_LngTop = 0, p_LngWidth = 0, p_LngHeight = 0;  // in p_LngScaleMode units
    long p_LngPercentage = 0;
    long p_Status = kProgressVisible;
    long p_Min = 0, p_Max = 100, p_Value = 0, p_StepValue = 0;
    std::string p_StrMessage;
    ProgressFont p_Fnt;
    bool p_BlnDisplayPercentage = true;
    OleColor p_LngBackColour = rgbColor(255, 255, 255);
    OleColor p_LngForeColour = rgbColor(0, 0, 128);
    long p_TextAlign = kTextAlignCenter;
    long p_TextStyle = 0;
    long p_LngBorderStyle = kEdgeEtched;
    long p_LngScaleMode = kScalePixels;
};

// The settings of the main window's bar in picProgressBar for a run that counts up to maximum.
ProgressBarInit mainWindowProgressBar(std::uintptr_t target, const ProgressFont& font, long maximum);

struct PixelRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    bool operator==(const PixelRect&) const = default;
};

// What one DrawProgressBar paints, in this order: the bar in the back colour, the part for the
// percentage in the fore colour, the edge, and the text (when shown) centred by the alignment flags.
struct ProgressBarDrawing {
    std::uintptr_t target = 0;
    bool visible = true;  // false: the painter only clears the bar's rectangle
    PixelRect bar;        // target-window pixels
    PixelRect filled;     // left part of bar: width x percentage / 100, rounded down
    OleColor backColour = 0, foreColour = 0;
    long edge = 0;
    bool showText = false;
    std::string text;  // "<message> <n>%" or "<n>%"
    ProgressFont font;
    long textAlign = 0, textStyle = 0;
};

class ProgressBar {
public:
    using Painter = std::function<void(const ProgressBarDrawing&)>;

    void initialize(const ProgressBarInit& settings);
    const ProgressBarInit& settings() const { return s_; }

    // Screen twips per pixel for scale mode 1 (15 at 96 dpi).
    void setDotsPerInch(int x, int y);
    void setPainter(Painter painter) { painter_ = std::move(painter); }

    long ValuePercentage() const { return s_.p_LngPercentage; }
    // Limited to 0 ... 100; redraws.
    void ValuePercentage(long percentage);

    long value() const { return s_.p_Value; }
    // Stores the value (at most the maximum: above it, the minimum with the wrap bit, else the maximum)
    // and sets the percentage from the value asked for.
    void value(long requested);
    // Adds step (0: the stored step value, or 1 when that is 0); the percentage from the stored value.
    void Add(long step = 0);
    void Ready() { ValuePercentage(100); }
    void ReInit();

    bool Visible() const { return (s_.p_Status & kProgressVisible) != 0; }
    void Visible(bool visible);
    long Top() const { return s_.p_LngTop; }
    void Top(long top);

    void Paint() { DrawProgressBar(); }
    void DrawProgressBar();
    ProgressBarDrawing drawing() const;

private:
    long storedValue(long requested) const;
    long percentageOf(long value) const;

    ProgressBarInit s_;
    int dpiX_ = 96, dpiY_ = 96;
    Painter painter_;
};

}  // namespace plenvik
