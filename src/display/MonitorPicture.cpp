#include "display/MonitorPicture.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "errors/Procedure.h"
#include "ui/Rounding.h"

namespace plenvik {
namespace {

// The number of the platform's "division by zero" error.
constexpr long kDivisionByZero = 11;

struct Layout {
    long offsetX = 0, offsetY = 0;
    long totalWidth = 0, totalHeight = 0;
};

Layout boundingLayout(const std::vector<MonitorRecord>& monitors) {
    // From 0 on, so the primary monitor's origin always lies inside.
    long minLeft = 0, minTop = 0, maxRight = 0, maxBottom = 0;
    for (std::size_t i = 1; i < monitors.size(); ++i) {
        minLeft = std::min<long>(minLeft, monitors[i].Left);
        minTop = std::min<long>(minTop, monitors[i].Top);
        maxRight = std::max<long>(maxRight, monitors[i].Right);
        maxBottom = std::max<long>(maxBottom, monitors[i].Bottom);
    }
    Layout layout;
    if (minLeft < 0) {
        layout.offsetX = -minLeft;
        maxRight += layout.offsetX;
    }
    if (minTop < 0) {
        layout.offsetY = -minTop;
        maxBottom += layout.offsetY;
    }
    layout.totalWidth = maxRight;
    layout.totalHeight = maxBottom;
    return layout;
}

}  // namespace

bool drawMonitorPicture(PictureView& picture, const std::vector<MonitorRecord>& monitors, float& horizontalOperator,
                        float& verticalOperator, ErrorHandler& handler) {
    Procedure procedure(handler, "frmMain.fc_DesktopMonitorsPictureGet");
    procedure.run([&] {
        Layout layout;
        double scale = 0;
        procedure.step([&] {
            layout = boundingLayout(monitors);
            const double width = picture.PictureWidth(), height = picture.PictureHeight();
            if (layout.totalWidth <= 0 || layout.totalHeight <= 0 || width <= 2 || height <= 2)
                throw RuntimeError(kDivisionByZero, kAppTitle,
                                   "Das Monitorbild kann nicht gezeichnet werden: " +
                                       std::string(monitors.size() <= 1 ? "keine Monitore ermittelt." : "das Bild ist zu klein.") +
                                       " (Division durch Null)");
            const double total = layout.totalWidth / width > layout.totalHeight / height
                                     ? static_cast<double>(layout.totalWidth) / (width - 2)
                                     : static_cast<double>(layout.totalHeight) / (height - 2);
            const float op = static_cast<float>(total);
            horizontalOperator = op;
            verticalOperator = op;
            scale = op;
        });
        if (scale <= 0) return;  // the handler chose to go on without a scale

        const std::string prefix = monitors.size() >= 5 ? "M." : "Mon.";  // upper bound 4 or more
        for (std::size_t i = 1; i < monitors.size(); ++i) {
            procedure.step([&] {
                const MonitorRecord& m = monitors[i];
                const double left = static_cast<double>(m.Left + layout.offsetX) / scale;
                const double top = static_cast<double>(m.Top + layout.offsetY) / scale;
                const double right = static_cast<double>(m.Right + layout.offsetX) / scale;
                const double bottom = static_cast<double>(m.Bottom + layout.offsetY) / scale;
                picture.PaintRectangle(left + 1, top + 1, right, bottom);
                picture.PaintText(left + 6, bottom + 2, prefix + std::to_string(i));
            });
        }
    });
    return false;
}

void clearMonitorPicture(PictureView& picture) {
    if (picture.PictureWidth() != kMainPictureWidth || picture.PictureHeight() != kMainPictureHeight)
        picture.NewPicture(kMainPictureWidth, kMainPictureHeight, picture.BackColor());
    picture.PaintRectangle(-1, -1, 255, 255);
}

bool markIconOnPicture(PictureView& picture, long posX, long posY, float horizontalOperator, float verticalOperator) {
    if (!(horizontalOperator > 0) || !(verticalOperator > 0) || !std::isfinite(horizontalOperator) || !std::isfinite(verticalOperator))
        return false;
    const auto x = roundHalfEven(static_cast<double>(posX) / horizontalOperator + 1);
    const auto y = roundHalfEven(static_cast<double>(posY) / verticalOperator + 1);
    if (!x || !y) return false;
    return picture.PaintRectangle(*x, *y, *x + 2, *y + 2);
}

}  // namespace plenvik
