// The Zone.Identifier of a project file with the real Win32 file system: on a volume that keeps named
// streams the re-created file carries the project's mark; where the volume keeps none (Wine's folders,
// where "file:stream" is just a file of that name beside file) nothing is read, nothing is written,
// and the restore goes on as before.
#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "app/MainActions.h"
#include "app/MainController.h"
#include "base64/Base64.h"
#include "driver/TestShell.h"
#include "platform/win32/Scoped.h"
#include "platform/win32/Wide.h"
#include "platform/win32/Win32Platform.h"
#include "restore/IconCreate.h"
#include "restore/RestoreCounters.h"
#include "restore/ZoneMark.h"
#include "support/FileScratchWin32.h"
#include "support/ScriptedErrorHandler.h"

namespace plenvik::test {
namespace {

using win32::narrow;
using win32::widen;

const std::string kMark = "[ZoneTransfer]\r\nZoneId=3\r\nHostUrl=https://mail.example.org/a\r\n";
const std::string kLink = "[InternetShortcut]\r\nURL=https://example.org/\r\n";

bool volumeKeepsStreams(const std::wstring& path) {
    wchar_t root[MAX_PATH + 1] = {};
    DWORD flags = 0;
    return GetVolumePathNameW(path.c_str(), root, MAX_PATH) &&
           GetVolumeInformationW(root, nullptr, 0, nullptr, nullptr, &flags, nullptr, 0) && (flags & FILE_NAMED_STREAMS) != 0;
}

// "path:Zone.Identifier" as any Windows program opens it, apart from the file system under test.
std::wstring markPath(const std::wstring& path) { return path + L":" + widen(kZoneStreamName); }

bool writeRaw(const std::wstring& path, const std::string& bytes) {
    win32::UniqueFile file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD put = 0;
    return file && WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &put, nullptr) && put == bytes.size();
}

std::string readRaw(const std::wstring& path) {
    std::ifstream in(path.c_str(), std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// Names in a folder that only a file system without streams can hold ("x.url:Zone.Identifier").
std::vector<std::string> namesWithColon(const std::wstring& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAW data{};
    win32::UniqueFind search(FindFirstFileW((folder + L"\\*").c_str(), &data));
    if (!search) return names;
    do {
        if (std::wstring(data.cFileName).find(L':') != std::wstring::npos) names.push_back(narrow(data.cFileName));
    } while (FindNextFileW(search.get(), &data));
    return names;
}

TEST(ZoneMarkWineTest, ARestoredFileCarriesTheProjectsMarkWhereTheVolumeKeepsStreamsAndIsMadeAsBeforeWhereNot) {
    Win32Scratch scratch;
    const std::string projectPath = scratch.folder() + "\\Sicherung.Plenvk";
    ASSERT_TRUE(writeRaw(widen(projectPath), "<Projekt/>"));
    ASSERT_TRUE(writeRaw(markPath(widen(projectPath)), kMark));
    const bool streams = volumeKeepsStreams(widen(projectPath));
    const StreamContent projectMark = scratch.files().readStream(projectPath, kZoneStreamName, kZoneMarkLimit);
    EXPECT_EQ(projectMark.status, streams ? StreamStatus::Read : StreamStatus::None);
    EXPECT_EQ(projectMark.bytes, streams ? kMark : "");

    DesktopFile link(CSIDL_DESKTOPDIRECTORY, L"Seite.url");
    ASSERT_TRUE(link.created());
    ASSERT_TRUE(DeleteFileW(link.path().c_str()));
    TestShell shell(L"--no-system-icons --no-snap --keep-outside-moves");
    ASSERT_TRUE(shell.ready()) << "the test shell did not signal that it is ready";

    win32::Win32Platform real;
    ScriptedErrorHandler errors;
    UnavailableActions actions;
    MainController form(real.platform(), errors, actions);
    form.load("");
    LoadedProject project;
    project.directory = scratch.folder() + "\\";
    project.fileName = "Sicherung.Plenvk";
    DesktopIcon icon;
    icon.Name = icon.FileName = "Seite.url";
    icon.FileType = "FILE";
    icon.FileShellFolderType = kFolderUserDesktop;
    icon.FileData_BASE64 = encodeBase64(std::string_view(kLink));
    icon.PosX = 520;
    icon.PosY = 280;
    project.icons.push_back(icon);
    RestoreCounters counters;
    RunContext context = form.runContext();
    EXPECT_TRUE(recreateIcon(context, project, form.currentDesktop(), 1, counters));
    EXPECT_TRUE(errors.reports.empty()) << errors.reports.front().description;

    EXPECT_EQ(counters.created, 1) << form.lblInfo().text;
    EXPECT_EQ(readRaw(link.path()), kLink);
    if (streams) {
        EXPECT_EQ(readRaw(markPath(link.path())), kMark);
    } else {
        EXPECT_EQ(GetFileAttributesW(markPath(link.path()).c_str()), INVALID_FILE_ATTRIBUTES) << "no mark, not even a file of its name";
        EXPECT_EQ(namesWithColon(desktopFolder(CSIDL_DESKTOPDIRECTORY)), std::vector<std::string>{})
            << "nothing was written as a stream of the temporary file and left behind by its rename";
    }
}

}  // namespace
}  // namespace plenvik::test
