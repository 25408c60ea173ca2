// Where the main window's controls sit, in twips of the window's inner area, and how they follow a
// resize. The Win32 view converts to pixels.
#pragma once

#include <map>
#include <string>

namespace plenvik {

struct ControlRect {
    int left = 0, top = 0, width = 0, height = 0;
    int right() const { return left + width; }
    int bottom() const { return top + height; }
};

class MainLayout {
public:
    MainLayout();

    // The inner size the window is designed for.
    static constexpr int kDesignWidth = 12000;
    static constexpr int kDesignHeight = 9000;

    const ControlRect& rect(const std::string& control) const;
    const std::map<std::string, ControlRect>& rects() const { return rects_; }

    // The resize rules; nothing moves while the window is narrower than 2000 or lower than 6500 twips.
    void resize(int innerWidth, int innerHeight);

private:
    ControlRect& at(const std::string& control) { return rects_[control]; }
    void place(const std::string& control, ControlRect r) { rects_[control] = r; }
    // Controls inside fraMain and fraButtons keep their place relative to their frame.
    void placeInFrame(const std::string& frame, const std::string& control, ControlRect relative);

    std::map<std::string, ControlRect> rects_;
    std::map<std::string, std::pair<std::string, ControlRect>> relative_;
};

}  // namespace plenvik
