#include "ui/ProgressBar.h"

#include <algorithm>

#include "common/Twips.h"
#include "ui/Rounding.h"

namespace plenvik {

ProgressBarInit mainWindowProgressBar(std::uintptr_t target, const ProgressFont& font, long maximum) {
    ProgressBarInit s;
    s.p_HwndTarget = target;
    s.p_LngLeft = 5;
    s.p_LngTop = 75;
    s.p_LngWidth = 1790;  // picProgressBar is 1800 twips wide: 5 free on either side
    s.p_LngHeight = 195;
    s.p_LngPercentage = 0;
    s.p_Status = kProgressVisible;
    s.p_Min = 0;
    s.p_Max = maximum;
    s.p_Value = 2;
    s.p_StepValue = 0;
    s.p_StrMessage = "";
    s.p_Fnt = font;
    s.p_BlnDisplayPercentage = true;
    s.p_LngBackColour = rgbColor(255, 255, 192);
    s.p_LngForeColour = rgbColor(0, 0, 128);
    s.p_TextAlign = kTextAlignCenter;
    s.p_TextStyle = kTextStyleEndEllipsis;
    s.p_LngBorderStyle = kEdgeEtched;
    s.p_LngScaleMode = kScaleTwips;
    return s;
}

void ProgressBar::initialize(const ProgressBarInit& settings) {
    s_ = settings;
    s_.p_LngPercentage = std::clamp(s_.p_LngPercentage, 0L, 100L);
}

void ProgressBar::setDotsPerInch(int x, int y) {
    dpiX_ = x > 0 ? x : 96;
    dpiY_ = y > 0 ? y : 96;
}

void ProgressBar::ValuePercentage(long percentage) {
    s_.p_LngPercentage = std::clamp(percentage, 0L, 100L);
    DrawProgressBar();
}

long ProgressBar::storedValue(long requested) const {
    if (requested <= s_.p_Max) return requested;
    if (s_.p_Status & kProgressWrap) return s_.p_Min < 1 ? 0 : s_.p_Min;
    return s_.p_Max;
}

long ProgressBar::percentageOf(long value) const {
    // A bar without a range shows nothing rather than dividing by zero.
    if (s_.p_Max == 0) return 0;
    return roundHalfEven(static_cast<double>(value) * 100.0 / static_cast<double>(s_.p_Max)).value_or(0);
}

void ProgressBar::value(long requested) {
    s_.p_Value = storedValue(requested);
    ValuePercentage(percentageOf(requested));
}

void ProgressBar::Add(long step) {
    if (step == 0) step = s_.p_StepValue != 0 ? s_.p_StepValue : 1;
    s_.p_Value = storedValue(s_.p_Value + step);
    ValuePercentage(percentageOf(s_.p_Value));
}

void ProgressBar::ReInit() { ValuePercentage(percentageOf(s_.p_Value)); }

void ProgressBar::Visible(bool visible) {
    if (visible)
        s_.p_Status |= kProgressVisible;
    else
        s_.p_Status &= ~kProgressVisible;
    DrawProgressBar();
}

void ProgressBar::Top(long top) {
    s_.p_LngTop = top;
    DrawProgressBar();
}

ProgressBarDrawing ProgressBar::drawing() const {
    const bool twips = s_.p_LngScaleMode == kScaleTwips;
    // Whole pixels covered, as the bar has always been drawn: the exact value, cut (no rounded factor).
    const auto cut = [](long v, int dpi) { return static_cast<int>(static_cast<long long>(v) * dpi / kTwipsPerInch); };
    const auto toX = [&](long v) { return twips ? cut(v, dpiX_) : static_cast<int>(v); };
    const auto toY = [&](long v) { return twips ? cut(v, dpiY_) : static_cast<int>(v); };
    ProgressBarDrawing d;
    d.target = s_.p_HwndTarget;
    d.visible = Visible();
    d.bar = PixelRect{toX(s_.p_LngLeft), toY(s_.p_LngTop), toX(s_.p_LngLeft + s_.p_LngWidth), toY(s_.p_LngTop + s_.p_LngHeight)};
    const long width = std::max(d.bar.right - d.bar.left, 0);
    d.filled = d.bar;
    d.filled.right = d.bar.left + static_cast<int>(width * s_.p_LngPercentage / 100);
    d.backColour = s_.p_LngBackColour;
    d.foreColour = s_.p_LngForeColour;
    d.edge = s_.p_LngBorderStyle;
    d.showText = s_.p_BlnDisplayPercentage;
    const std::string percent = std::to_string(s_.p_LngPercentage) + "%";
    d.text = s_.p_StrMessage.empty() ? percent : s_.p_StrMessage + " " + percent;
    d.font = s_.p_Fnt;
    d.textAlign = s_.p_TextAlign;
    d.textStyle = s_.p_TextStyle;
    return d;
}

void ProgressBar::DrawProgressBar() {
    if (painter_) painter_(drawing());
}

}  // namespace plenvik
