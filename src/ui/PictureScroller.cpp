#include "ui/PictureScroller.h"

#include <algorithm>

namespace plenvik {
namespace {

int limited(int value, int max) { return std::clamp(value, 0, std::max(max, 0)); }

}  // namespace

void PictureScroller::layout(int innerWidth, int innerHeight, int pictureWidth, int pictureHeight, int barSize) {
    innerWidth = std::max(innerWidth, 0);
    innerHeight = std::max(innerHeight, 0);
    bool needHor = pictureWidth > innerWidth;
    bool needVer = pictureHeight > innerHeight;
    // Each bar narrows the other side; two rounds settle it.
    for (int round = 0; round < 2; ++round) {
        needHor = pictureWidth > innerWidth - (needVer ? barSize : 0);
        needVer = pictureHeight > innerHeight - (needHor ? barSize : 0);
    }
    viewWidth_ = std::max(innerWidth - (needVer ? barSize : 0), 0);
    viewHeight_ = std::max(innerHeight - (needHor ? barSize : 0), 0);

    hor_.visible = needHor;
    hor_.page = viewWidth_;
    hor_.max = needHor ? pictureWidth - viewWidth_ : 0;
    hor_.value = limited(hor_.value, hor_.max);
    ver_.visible = needVer;
    ver_.page = viewHeight_;
    ver_.max = needVer ? pictureHeight - viewHeight_ : 0;
    ver_.value = limited(ver_.value, ver_.max);
}

void PictureScroller::scrollTo(int horizontal, int vertical) {
    hor_.value = limited(horizontal, hor_.max);
    ver_.value = limited(vertical, ver_.max);
}

void PictureScroller::beginDrag(int x, int y) {
    dragging_ = true;
    dragX_ = x;
    dragY_ = y;
    dragStartH_ = hor_.value;
    dragStartV_ = ver_.value;
}

bool PictureScroller::dragTo(int x, int y) {
    if (!dragging_) return false;
    const int h = hor_.value, v = ver_.value;
    scrollTo(dragStartH_ - (x - dragX_), dragStartV_ - (y - dragY_));
    return h != hor_.value || v != ver_.value;
}

}  // namespace plenvik
