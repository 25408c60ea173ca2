// The names the desktop's view styles get, and the labels of desktop files.
#include <gtest/gtest.h>

#include "desktop/DesktopLabels.h"
#include "desktop/DesktopWindow.h"

namespace plenvik {
namespace {

TEST(DesktopTextsTest, ViewStyleInformationNamesTheViewTypeAndAutoArrange) {
    const struct {
        std::int32_t style;
        const char* text;
    } cases[] = {
        {0x0, "Symbole (normal)"},
        {0x1, "Details"},
        {0x102, "Symbole klein, Automatisch anordnen"},
        {0x2, "Symbole klein"},
        {0x103 & ~0x100, "Liste"},
        {0x100, "Symbole (normal), Automatisch anordnen"},
        {0x101, "Details, Automatisch anordnen"},
        {0x56000A4B, "Liste"},  // other style bits do not count
        {static_cast<std::int32_t>(0xFFFFFFFF), "Liste, Automatisch anordnen"},
    };
    for (const auto& c : cases) EXPECT_EQ(DesktopWindow::describeViewStyle(c.style), c.text) << c.style;
}

TEST(DesktopTextsTest, DesktopLabelsDropOnlyAFinalLinkOrShortcutExtension) {
    const struct {
        const char* file;
        const char* label;
    } cases[] = {
        {"Notes.lnk", "Notes"},         {"Nachrichten.URL", "Nachrichten"},
        {"Brief.txt", "Brief.txt"},     {"a.lnk.txt", "a.lnk.txt"},
        {"x.lnkx", "x.lnkx"},           {"Ordner", "Ordner"},
        {"Preis 5 €.Lnk", "Preis 5 €"}, {"lnk", "lnk"},
    };
    for (const auto& c : cases) EXPECT_EQ(desktopLabel(c.file), c.label) << c.file;
}

}  // namespace
}  // namespace plenvik
