#include "ui/win32/ListIcons.h"

#include <array>

#include "platform/win32/Scoped.h"

namespace plenvik::win32 {
namespace {

struct IconDesign {
    const char* key;
    COLORREF fill;
    wchar_t letter;
};

// One colour and letter per kind, so a row's kind is seen at a glance.
constexpr std::array<IconDesign, 14> kDesigns = {{
    {"DESY", RGB(0, 90, 160), L'P'},
    {"MONITORS", RGB(60, 60, 60), L'M'},
    {"DESKTOP", RGB(0, 130, 200), L'D'},
    {"LINK", RGB(90, 90, 200), L'L'},
    {"ERRLINK", RGB(200, 30, 30), L'!'},
    {"MONITOR", RGB(90, 90, 90), L'm'},
    {"FOLDER", RGB(220, 170, 40), L'O'},
    {"FILELINK", RGB(70, 120, 220), L'V'},
    {"INTERNETLINK", RGB(30, 150, 90), L'@'},
    {"FOLDERLINK", RGB(200, 150, 30), L'V'},
    {"ICONSYS", RGB(120, 60, 160), L'S'},
    {"FILE", RGB(240, 240, 240), L'F'},
    {"FILETOBIG", RGB(240, 120, 30), L'G'},
    {"ERR", RGB(200, 0, 0), L'X'},
}};

HBITMAP drawIcon(HDC screen, const IconDesign& d) {
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 16, 16);
    UniqueMemoryDc dc(CreateCompatibleDC(screen));
    Selection select(dc.get(), bitmap);
    RECT all{0, 0, 16, 16};
    FillRect(dc.get(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    UniqueGdiObject brush(CreateSolidBrush(d.fill));
    RECT body{1, 1, 15, 15};
    FillRect(dc.get(), &body, static_cast<HBRUSH>(brush.get()));
    FrameRect(dc.get(), &body, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    SetBkMode(dc.get(), TRANSPARENT);
    SetTextColor(dc.get(), GetRValue(d.fill) + GetGValue(d.fill) + GetBValue(d.fill) > 500 ? RGB(0, 0, 0) : RGB(255, 255, 255));
    Selection font(dc.get(), GetStockObject(DEFAULT_GUI_FONT));
    DrawTextW(dc.get(), &d.letter, 1, &body, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    return bitmap;
}

}  // namespace

HIMAGELIST listIcons() {
    static HIMAGELIST list = [] {
        HIMAGELIST l = ImageList_Create(16, 16, ILC_COLOR24, static_cast<int>(kDesigns.size()), 0);
        WindowDc screen(nullptr);
        for (const auto& d : kDesigns) {
            UniqueGdiObject bitmap(drawIcon(screen.get(), d));
            ImageList_Add(l, static_cast<HBITMAP>(bitmap.get()), nullptr);
        }
        return l;
    }();
    return list;
}

int listIconIndex(const std::string& key) {
    for (std::size_t i = 0; i < kDesigns.size(); ++i)
        if (key == kDesigns[i].key) return static_cast<int>(i);
    return -1;
}

}  // namespace plenvik::win32
