// What part of a picture the picture control shows: the scroll bars sHor and sVer (visible, range,
// value) for a picture shown 1:1 inside the control's border, and dragging the picture with the mouse.
#pragma once

namespace plenvik {

struct ScrollBarState {
    bool visible = false;
    int max = 0;    // value runs 0 ... max: the part of the picture that does not fit
    int page = 0;   // the visible extent along the bar
    int value = 0;  // the view's offset into the picture
};

class PictureScroller {
public:
    // innerWidth x innerHeight: the area inside the border; barSize: the thickness of a scroll bar.
    // A bar appears only where the picture does not fit; one bar takes room from the other side and
    // may make the second bar necessary. Values are kept where they still fit.
    void layout(int innerWidth, int innerHeight, int pictureWidth, int pictureHeight, int barSize);

    const ScrollBarState& sHor() const { return hor_; }
    const ScrollBarState& sVer() const { return ver_; }
    // The area that shows the picture (inside the border, without the bars).
    int viewWidth() const { return viewWidth_; }
    int viewHeight() const { return viewHeight_; }

    // Sets the bars' values, each limited to 0 ... its maximum.
    void scrollTo(int horizontal, int vertical);

    // Mouse scrolling: the picture follows the mouse, so moving right by d shows the part d pixels
    // further left. Values stay within 0 ... max; without scroll bars nothing moves.
    void beginDrag(int x, int y);
    // True when a value changed.
    bool dragTo(int x, int y);
    void endDrag() { dragging_ = false; }
    bool dragging() const { return dragging_; }

private:
    ScrollBarState hor_, ver_;
    int viewWidth_ = 0, viewHeight_ = 0;
    bool dragging_ = false;
    int dragX_ = 0, dragY_ = 0, dragStartH_ = 0, dragStartV_ = 0;
};

}  // namespace plenvik
