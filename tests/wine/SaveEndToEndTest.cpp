// Plenvik.exe SAVE under Wine against the test shell: a desktop of files, a folder, links, an Internet
// shortcut and system icons becomes a project file whose every icon, code and content is right.
#include <windows.h>
#include <shlobj.h>
#include <wincodec.h>

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>

#include "desktop/DesktopSystemIcons.h"
#include "driver/TestShell.h"
#include "platform/ShellLinks.h"
#include "platform/win32/Scoped.h"
#include "platform/win32/Win32ShellFolders.h"
#include "platform/win32/Wide.h"
#include "project/ProjectFileReader.h"
#include "base64/Base64.h"

namespace plenvik::test {
namespace {

using win32::narrow;
using win32::widen;

bool writeBytes(const std::wstring& path, const std::string& bytes) {
    std::ofstream out(path.c_str(), std::ios::binary | std::ios::trunc);
    out << bytes;
    return static_cast<bool>(out);
}

// Settings.xml beside Plenvik.exe for the test: automatic names, a limit of 1 KiB; removed afterwards.
class SettingsFixture {
public:
    SettingsFixture() : path_(buildFolder() + L"\\Settings.xml") {
        writeBytes(path_,
                   "<?xml version=\"1.0\" encoding=\"windows-1252\"?>\r\n<SETTINGS>\r\n"
                   "    <GENERAL_FILESIZE_MAX>1</GENERAL_FILESIZE_MAX>\r\n    <GENERAL_FILE_SAVE>1</GENERAL_FILE_SAVE>\r\n"
                   "    <GENERAL_FILENAME_AUTO>1</GENERAL_FILENAME_AUTO>\r\n    <GENERAL_FOLDER_SAVE>0</GENERAL_FOLDER_SAVE>\r\n"
                   "</SETTINGS>\r\n");
    }
    ~SettingsFixture() { DeleteFileW(path_.c_str()); }

private:
    std::wstring path_;
};

// The picture decodes with Windows' own decoder to its stored size.
bool pictureDecodes(const std::vector<std::uint8_t>& jpeg, UINT& width, UINT& height) {
    win32::ComApartment com;
    win32::ComPtr<IWICImagingFactory> factory;
    if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory, factory.putVoid())))
        return false;
    win32::ComPtr<IWICStream> stream;
    if (FAILED(factory->CreateStream(stream.put()))) return false;
    if (FAILED(stream->InitializeFromMemory(const_cast<BYTE*>(jpeg.data()), static_cast<DWORD>(jpeg.size())))) return false;
    win32::ComPtr<IWICBitmapDecoder> decoder;
    if (FAILED(factory->CreateDecoderFromStream(stream.get(), nullptr, WICDecodeMetadataCacheOnDemand, decoder.put()))) return false;
    win32::ComPtr<IWICBitmapFrameDecode> frame;
    if (FAILED(decoder->GetFrame(0, frame.put()))) return false;
    return SUCCEEDED(frame->GetSize(&width, &height));
}

TEST(SaveEndToEndTest, SaveOnTheCommandLineWritesTheWholeDesktop) {
    removeProjectFiles();
    SettingsFixture settings;
    TempFolder targets;
    ASSERT_TRUE(writeBytes(targets.file(L"Ziel.txt"), "Ziel"));
    CreateDirectoryW(targets.file(L"Zielordner").c_str(), nullptr);

    DesktopFile note(CSIDL_DESKTOPDIRECTORY, L"Notiz.txt");
    DesktopFile exact(CSIDL_DESKTOPDIRECTORY, L"Genau.bin");
    DesktopFile big(CSIDL_DESKTOPDIRECTORY, L"Gross.bin");
    DesktopFile empty(CSIDL_DESKTOPDIRECTORY, L"Leer.txt");
    DesktopFile folder(CSIDL_DESKTOPDIRECTORY, L"Ordner", true);
    DesktopFile amp(CSIDL_DESKTOPDIRECTORY, L"A&B.txt");
    DesktopFile umlaut(CSIDL_DESKTOPDIRECTORY, L"\u00DCbersicht.txt");
    DesktopFile web(CSIDL_DESKTOPDIRECTORY, L"Web.url");
    DesktopFile common(CSIDL_COMMON_DESKTOPDIRECTORY, L"Gemeinsam.txt");
    DesktopFile fileLink(CSIDL_DESKTOPDIRECTORY, L"Ziel.lnk");
    DesktopFile folderLink(CSIDL_DESKTOPDIRECTORY, L"Zielordner.lnk");
    DesktopFile brokenLink(CSIDL_DESKTOPDIRECTORY, L"Weg.lnk");
    ASSERT_TRUE(writeBytes(note.path(), "Hallo Welt\r\n"));
    ASSERT_TRUE(writeBytes(exact.path(), std::string(1024, 'x')));
    ASSERT_TRUE(writeBytes(big.path(), std::string(1025, 'y')));
    ASSERT_TRUE(writeBytes(empty.path(), ""));
    ASSERT_TRUE(writeBytes(amp.path(), "und"));
    ASSERT_TRUE(writeBytes(umlaut.path(), "\xFC"));
    ASSERT_TRUE(writeBytes(web.path(), "[InternetShortcut]\r\nURL=https://example.org/\r\n"));
    ASSERT_TRUE(writeBytes(common.path(), "alle"));
    {
        win32::ComApartment com;
        win32::Win32ShellFolders shell;
        const auto makeLink = [&](const std::wstring& at, const std::wstring& target) {
            auto link = shell.createLink();
            return link && link->setPath(narrow(target)) == 0 && link->save(narrow(at)) == 0;
        };
        ASSERT_TRUE(makeLink(fileLink.path(), targets.file(L"Ziel.txt")));
        ASSERT_TRUE(makeLink(folderLink.path(), targets.file(L"Zielordner")));
        ASSERT_TRUE(writeBytes(targets.file(L"bald weg.txt"), "x"));
        ASSERT_TRUE(makeLink(brokenLink.path(), targets.file(L"bald weg.txt")));
        DeleteFileW(targets.file(L"bald weg.txt").c_str());
    }
    // Two system icons are visible: the Recycle Bin under the user's own label, and the computer.
    const std::wstring recycleBin = L"{645FF040-5081-101B-9F08-00AA002F954E}", computer = L"{20D04FE0-3AEA-1069-A2D8-08002B30309D}";
    std::vector<std::unique_ptr<RegistryValueFixture>> registry;
    for (const auto& icon : kDesktopSystemIcons) {
        const bool shown = widen(icon.clsid) == recycleBin || widen(icon.clsid) == computer;
        for (const wchar_t* which : {L"ClassicStartMenu", L"NewStartPanel"})
            registry.push_back(std::make_unique<RegistryValueFixture>(widen(kHideDesktopIconsKey) + L"\\" + which, widen(icon.clsid),
                                                                      REG_DWORD, RegistryValueFixture::dword(shown ? 0 : 1)));
    }
    registry.push_back(std::make_unique<RegistryValueFixture>(widen(kSystemIconLabelKey) + L"\\" + recycleBin, L"", REG_SZ,
                                                              RegistryValueFixture::text(L"M\u00FCll")));
    for (const auto& r : registry) ASSERT_TRUE(r->set());

    TestShell shell(L"");
    ASSERT_TRUE(shell.ready()) << "the test shell did not signal that it is ready";

    ChildProcess plenvik(buildFolder() + L"\\Plenvik.exe", L"SAVE");
    ASSERT_TRUE(plenvik.started());
    DWORD code = 99;
    ASSERT_TRUE(plenvik.waitForExit(120000, &code)) << "SAVE did not end the program";
    EXPECT_EQ(code, 0u);

    const auto files = projectFiles();
    ASSERT_EQ(files.size(), 1u) << "exactly one project, no temporary file";
    wchar_t computerName[64] = {}, userName[257] = {};
    DWORD size = 64;
    GetComputerNameW(computerName, &size);
    size = 257;
    GetUserNameW(userName, &size);
    const std::wstring& name = files[0];
    const std::wstring path = buildFolder() + L"\\" + name;
    const std::wstring prefix = std::wstring(L"Plenvik ") + computerName + L" " + userName + L" ";
    ASSERT_EQ(name.rfind(prefix, 0), 0u) << narrow(name);
    EXPECT_EQ(name.size(), prefix.size() + 12 + 7) << "a twelve-digit time key and .Plenvk";

    const std::string bytes = readBytes(path);
    DeleteFileW(path.c_str());
    const ProjectDocumentResult read = readProjectFile(bytes);
    ASSERT_TRUE(read.ok()) << read.error.message();
    const ProjectDocument& project = read.document;

    UINT width = 0, height = 0;
    EXPECT_TRUE(pictureDecodes(decodeBase64(project.screenPicture), width, height));
    EXPECT_EQ(width, 254u);
    EXPECT_EQ(height, 254u);
    ASSERT_GE(project.monitors.size(), 1u);
    EXPECT_EQ(project.monitors[0].DeviceName.rfind("\\\\.\\DISPLAY", 0), 0u);

    std::map<std::string, DesktopIcon> byName;
    for (const auto& icon : project.icons) byName[icon.Name] = icon;
    const auto content = [&](const std::string& label) {
        const auto b = decodeBase64(byName[label].FileData_BASE64);
        return std::string(b.begin(), b.end());
    };
    EXPECT_EQ(content("Notiz.txt"), "Hallo Welt\r\n");
    EXPECT_EQ(content("Genau.bin"), std::string(1024, 'x'));
    EXPECT_EQ(byName["Gross.bin"].FileReasonNotLoaded, 1);
    EXPECT_TRUE(byName["Gross.bin"].FileData_BASE64.empty());
    EXPECT_EQ(content("Leer.txt"), std::string(1, '\0'));
    EXPECT_EQ(byName["Ordner"].FileType, "FOLDER");
    EXPECT_EQ(content("A&B.txt"), "und");
    EXPECT_EQ(content("\xC3\x9C"
                      "bersicht.txt"),
              "\xFC");
    EXPECT_EQ(byName["Web"].FileType, "INTERNETLINK");
    EXPECT_EQ(byName["Gemeinsam.txt"].FileShellFolderType, 25);
    EXPECT_EQ(byName["Notiz.txt"].FileShellFolderType, 16);
    EXPECT_EQ(byName["Ziel"].FileType, "FILELINK");
    EXPECT_EQ(content("Ziel"), readBytes(fileLink.path()));
    EXPECT_EQ(byName["Zielordner"].FileType, "FOLDERLINK");
    EXPECT_EQ(byName["Weg"].FileType, "ERRLINK");
    EXPECT_EQ(byName["Weg"].FileReasonNotLoaded, 2);
    EXPECT_EQ(byName["M\xC3\xBCll"].FileType, narrow(recycleBin));
    EXPECT_EQ(byName["M\xC3\xBCll"].FileShellFolderType, 0);
    EXPECT_EQ(byName["Arbeitsplatz"].FileType, narrow(computer));
    EXPECT_EQ(project.header.IconCount, std::to_string(project.icons.size()));
    for (std::size_t j = 1; j < project.icons.size(); ++j) {
        const auto& a = project.icons[j - 1];
        const auto& b = project.icons[j];
        EXPECT_TRUE(a.PosX < b.PosX || (a.PosX == b.PosX && a.PosY <= b.PosY)) << "icons in position order at " << j;
    }
}

}  // namespace
}  // namespace plenvik::test
