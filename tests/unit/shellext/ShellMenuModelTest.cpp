// The context menu's decisions: which entries of the folder become items, their offsets, and the
// parameters each command passes to Plenvik. (Verbs and the copy into the shell's buffer are checked
// through the DLL's interface in the Windows tests.)
#include <gtest/gtest.h>

#include "shellext/ShellMenuModel.h"

namespace plenvik::shellext {
namespace {

std::vector<std::wstring> texts(const ShellMenu& menu) {
    std::vector<std::wstring> out;
    for (const MenuItem& item : menu.items) out.push_back(item.separator ? L"-" : item.text);
    return out;
}

TEST(ShellMenuModelTest, WithoutAnyEntryOnlyTheTwoFixedCommandsAndOneSeparator) {
    const auto menu = composeShellMenu({}, L"VM", 0x7FFF);
    ASSERT_TRUE(menu.has_value());
    EXPECT_EQ(texts(*menu), (std::vector<std::wstring>{L"&Plenvik Programm starten...", L"-", L"&Symbole/Desktop jetzt sichern..."}));
    EXPECT_EQ(menu->items[0].offset, 1u);
    EXPECT_EQ(menu->items[2].offset, 3u);
    EXPECT_EQ(menu->nextOffset, 4u);
}

TEST(ShellMenuModelTest, ListsOnlyThisComputersProjectFilesInTheOrderFound) {
    const std::vector<FoundEntry> found = {
        {L"Plenvik_VM_anna_240101120000.Plenvk", false},
        {L"Plenvik_OTHER_anna_240101120000.Plenvk", false},
        {L"Plenvik_vm_lower.Plenvk", false},  // the test is case-sensitive
        {L"Ordner_VM.Plenvk", true},          // a directory named like a project
        {L"A&B VM.Plenvk", false},            // blanks and an ampersand
        {L"Zitat \"VM\".Plenvk", false},      // could not be quoted on the command line
    };
    const auto menu = composeShellMenu(found, L"VM", 0x7FFF);
    ASSERT_TRUE(menu.has_value());
    EXPECT_EQ(texts(*menu), (std::vector<std::wstring>{L"&Plenvik Programm starten...", L"-", L"&Symbole/Desktop jetzt sichern...", L"-",
                                                       L"Plenvik_VM_anna_240101120000.Plenvk", L"A&&B VM.Plenvk"}));
    EXPECT_EQ(menu->items[3].offset, 4u);
    EXPECT_EQ(menu->items[4].offset, 5u);
    EXPECT_EQ(menu->items[5].offset, 6u);
    EXPECT_EQ(menu->projectFiles, (std::vector<std::wstring>{L"Plenvik_VM_anna_240101120000.Plenvk", L"A&B VM.Plenvk"}));
    EXPECT_EQ(menu->nextOffset, 7u);
}

TEST(ShellMenuModelTest, EntriesOfOtherComputersOnlyStillGiveTheSecondSeparator) {
    const auto menu = composeShellMenu({{L"Plenvik_OTHER.Plenvk", false}}, L"VM", 0x7FFF);
    ASSERT_TRUE(menu.has_value());
    EXPECT_EQ(menu->items.size(), 4u);
    EXPECT_TRUE(menu->items[3].separator);
    EXPECT_TRUE(menu->projectFiles.empty());
    EXPECT_EQ(menu->nextOffset, 5u);
}

TEST(ShellMenuModelTest, AnUnknownComputerNameOffersNoProject) {
    const auto menu = composeShellMenu({{L"Plenvik_VM.Plenvk", false}}, L"", 0x7FFF);
    ASSERT_TRUE(menu.has_value());
    EXPECT_TRUE(menu->projectFiles.empty());
}

TEST(ShellMenuModelTest, StaysInsideTheCommandIdsTheShellGranted) {
    const std::vector<FoundEntry> found = {{L"a VM.Plenvk", false}, {L"b VM.Plenvk", false}, {L"c VM.Plenvk", false}};
    const struct {
        unsigned highestOffset;
        bool built;
        unsigned nextOffset;
        std::size_t projects;
    } cases[] = {
        {2, false, 0, 0},  // not even the save command fits
        {3, true, 4, 0},   // the fixed commands only
        {4, true, 5, 0},   // the separator, no project
        {6, true, 7, 2},   // two of three projects
        {7, true, 8, 3},  {100, true, 8, 3},
    };
    for (const auto& c : cases) {
        const auto menu = composeShellMenu(found, L"VM", c.highestOffset);
        ASSERT_EQ(menu.has_value(), c.built) << "highest offset " << c.highestOffset;
        if (!menu) continue;
        EXPECT_EQ(menu->nextOffset, c.nextOffset) << "highest offset " << c.highestOffset;
        EXPECT_EQ(menu->projectFiles.size(), c.projects) << "highest offset " << c.highestOffset;
        for (const MenuItem& item : menu->items) EXPECT_LE(item.offset, c.highestOffset);
    }
}

TEST(ShellMenuModelTest, ParametersOfEachOffset) {
    const auto menu = composeShellMenu({{L"Mein Desktop VM.Plenvk", false}, {L"A&B VM.Plenvk", false}}, L"VM", 0x7FFF);
    ASSERT_TRUE(menu.has_value());
    const struct {
        unsigned offset;
        std::optional<std::wstring> parameters;
    } cases[] = {
        {0, std::nullopt},  // the sub-menu itself
        {1, L""},
        {2, std::nullopt},  // separators are no commands
        {3, L"SAVE"},
        {4, std::nullopt},
        {5, L"RESTORE \"Mein Desktop VM.Plenvk\""},
        {6, L"RESTORE \"A&B VM.Plenvk\""},  // the file's name, not the menu's text
        {7, std::nullopt},
        {0xFFFF, std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(plenvikParameters(&*menu, c.offset), c.parameters) << "offset " << c.offset;
    // Before any menu was built only the fixed commands exist.
    EXPECT_EQ(plenvikParameters(nullptr, 3), std::optional<std::wstring>(L"SAVE"));
    EXPECT_EQ(plenvikParameters(nullptr, 5), std::nullopt);
}

}  // namespace
}  // namespace plenvik::shellext
