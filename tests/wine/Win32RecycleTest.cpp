// Win32FileSystem's recycle under Wine: an absolute path lands in the Recycle Bin (Wine's is the XDG
// trash below XDG_DATA_HOME, which scripts/lib.sh points into the cache); a relative path is never
// handed to the shell, which would delete it for good, but made absolute first.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/win32/Wide.h"
#include "support/FileScratchWin32.h"

namespace plenvik::test {
namespace {

namespace fs = std::filesystem;

// The trash's folder of files as a Windows path (drive Z: is the Unix root).
fs::path trashFiles() {
    wchar_t data[MAX_PATH + 1] = {};
    if (GetEnvironmentVariableW(L"XDG_DATA_HOME", data, MAX_PATH + 1) == 0) return {};
    std::wstring path = std::wstring(L"Z:") + data + L"/Trash/files";
    for (wchar_t& c : path)
        if (c == L'/') c = L'\\';
    return path;
}

class Win32RecycleTest : public ::testing::Test {
protected:
    Win32Scratch scratch;
    std::string name(const std::string& stem) { return stem + std::to_string(GetCurrentProcessId()) + ".txt"; }
    std::string make(const std::string& fileName) {
        const std::string path = scratch.folder() + "\\" + fileName;
        std::ofstream(fs::path(win32::widen(path))) << "Inhalt";
        return path;
    }
};

TEST_F(Win32RecycleTest, AnAbsolutePathLandsInTheTrash) {
    const fs::path trash = trashFiles();
    ASSERT_FALSE(trash.empty()) << "XDG_DATA_HOME is not set";
    const std::string fileName = name("Papierkorb");
    const std::string path = make(fileName);
    ASSERT_EQ(scratch.files().recycle(path), RecycleResult::Recycled);
    EXPECT_FALSE(scratch.files().exists(path));
    EXPECT_TRUE(fs::exists(trash / win32::widen(fileName))) << "not in " << win32::narrow(trash.wstring());
    fs::remove(trash / win32::widen(fileName));
    fs::remove(trash.parent_path() / "info" / (win32::widen(fileName) + L".trashinfo"));
}

TEST_F(Win32RecycleTest, ARelativePathIsMadeAbsoluteNeverDeletedForGood) {
    const std::string fileName = name("Relativ");
    const std::string path = make(fileName);
    wchar_t before[MAX_PATH + 1] = {};
    GetCurrentDirectoryW(MAX_PATH + 1, before);
    ASSERT_NE(SetCurrentDirectoryW(win32::widen(scratch.folder()).c_str()), 0);
    const std::string full = scratch.files().fullPath(fileName);
    const RecycleResult relative = scratch.files().recycle(fileName);
    SetCurrentDirectoryW(before);
    EXPECT_EQ(full, path);
    EXPECT_EQ(relative, RecycleResult::NotRecyclable);
    EXPECT_TRUE(scratch.files().exists(path)) << "a relative path must not be deleted";
}

TEST_F(Win32RecycleTest, DeletingPermanentlyTakesAFolderWithItsFiles) {
    const std::string folder = scratch.folder() + "\\Ordner";
    ASSERT_TRUE(scratch.files().createFolder(folder));
    make("Ordner\\drin.txt");
    EXPECT_TRUE(scratch.files().deletePermanently(folder));
    EXPECT_FALSE(scratch.files().exists(folder));
}

}  // namespace
}  // namespace plenvik::test
