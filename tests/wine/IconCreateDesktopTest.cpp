// Re-creating icons with the real Win32 platform against the test shell: the file is written into the
// prefix's desktop folder, the shell shows it after the refresh, and it lands at its saved place; a
// file the user has under that name stays as it is.
#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "app/MainActions.h"
#include "app/MainController.h"
#include "driver/TestShell.h"
#include "platform/win32/Win32Platform.h"
#include "platform/win32/Wide.h"
#include "base64/Base64.h"
#include "restore/IconCreate.h"
#include "restore/RestoreCounters.h"
#include "support/ScriptedErrorHandler.h"

namespace plenvik::test {
namespace {

std::string readBytes(const std::wstring& path) {
    std::ifstream in(path.c_str(), std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

DesktopIcon savedFile(const std::string& name, const std::string& content, int x, int y) {
    DesktopIcon icon;
    icon.Name = name;
    icon.FileName = name;
    icon.FileType = "FILE";
    icon.FileShellFolderType = kFolderUserDesktop;
    icon.FileData_BASE64 = encodeBase64(std::string_view(content));
    icon.PosX = x;
    icon.PosY = y;
    return icon;
}

TEST(IconCreateDesktopTest, AFileIconComesBackAtItsSavedPlaceAndAUsersFileIsKept) {
    // The fixtures remove both files when the test ends; the first is deleted now, so that it is missing.
    DesktopFile missing(CSIDL_DESKTOPDIRECTORY, L"Zur\u00FCck.txt");
    DesktopFile existing(CSIDL_DESKTOPDIRECTORY, L"Vorhanden.txt");
    ASSERT_TRUE(missing.created() && existing.created());
    ASSERT_TRUE(DeleteFileW(missing.path().c_str()));

    // Reached through the list view (see RestoreEndToEndTest): outside moves kept, exact pixels.
    TestShell shell(L"--no-system-icons --no-snap --keep-outside-moves");
    ASSERT_TRUE(shell.ready()) << "the test shell did not signal that it is ready";

    win32::Win32Platform real;
    ScriptedErrorHandler errors;
    UnavailableActions actions;
    MainController form(real.platform(), errors, actions);
    form.load("");
    const std::string content = std::string("Inhalt\r\n\0\xFF", 10);
    LoadedProject project;
    project.icons.push_back(
        savedFile("Zur\xC3\xBC"
                  "ck.txt",
                  content, 520, 280));
    project.icons.push_back(savedFile("Vorhanden.txt", "aus dem Projekt", 620, 370));

    RestoreCounters counters;
    RunContext context = form.runContext();
    for (std::size_t index = 1; index <= 2; ++index) EXPECT_TRUE(recreateIcon(context, project, form.currentDesktop(), index, counters));
    EXPECT_EQ(counters.created, 1);
    EXPECT_EQ(counters.notCreated, 1);
    EXPECT_TRUE(errors.reports.empty()) << errors.reports.front().description;

    EXPECT_EQ(readBytes(missing.path()), content);
    EXPECT_EQ(readBytes(existing.path()), "Plenvik test\r\n");
    WIN32_FIND_DATAW data{};
    const HANDLE temporary = FindFirstFileW((desktopFolder(CSIDL_DESKTOPDIRECTORY) + L"\\*.~tmp*").c_str(), &data);
    EXPECT_EQ(temporary, INVALID_HANDLE_VALUE) << "no temporary file is left on the desktop";
    if (temporary != INVALID_HANDLE_VALUE) FindClose(temporary);

    const ShellDump d = shell.dump();
    ASSERT_GE(d.count, 2);
    bool shown = false;
    for (const IconItem& item : d.items) {
        if (item.label !=
            "Zur\xC3\xBC"
            "ck.txt")
            continue;
        shown = true;
        EXPECT_EQ(item.position, (IconPosition{520, 280}));
    }
    EXPECT_TRUE(shown) << "the test shell does not show the new icon";
    EXPECT_EQ(form.lblInfo().text,
              "Symbol 'Vorhanden.txt' existiert bereits und wurde nicht \xC3\xBC"
              "berschrieben!");
}

}  // namespace
}  // namespace plenvik::test
