// Real links made by the shell's link object under Wine: ShellLinkFile reads them back, and our own
// reader of the .lnk format must agree with the shell object on every one of them.
#include <windows.h>

#include <cstdlib>
#include <filesystem>

#include "errors/RuntimeError.h"
#include "platform/win32/Scoped.h"
#include "platform/win32/Win32ShellFolders.h"
#include "system/SpecialFolders.h"
#include "system/ShellLinkFile.h"
#include "support/FileScratchWin32.h"
#include "support/ShellLinkAgreement.h"

namespace plenvik::test {
namespace {

class ShellLinkWine : public ::testing::Test {
protected:
    win32::ComApartment com;
    Win32Scratch scratch;
    win32::Win32ShellFolders shell;

    FileSystem& files() { return scratch.files(); }
    std::string at(const std::string& name) { return scratch.folder() + "\\" + name; }
    std::string makeFile(const std::string& name, std::size_t size = 5) {
        writeWholeFile(files(), at(name), patternBytes(size));
        return at(name);
    }
    // A link made through ShellLinkFile, that is through IShellLinkW and IPersistFile.
    void makeLink(const std::string& linkFile, const std::string& target, const std::string& arguments = {},
                  const std::string& description = {}) {
        ShellLinkFile link(shell, files());
        link.setPath(target);
        if (!arguments.empty()) link.setArguments(arguments);
        if (!description.empty()) link.setDescription(description);
        link.Save(linkFile);
        ASSERT_TRUE(files().exists(linkFile));
    }
    std::string pathOf(const std::string& linkFile) {
        ShellLinkFile link(shell, files());
        link.Resolve(linkFile, kResolveLoadOnly, 0, 1);
        return link.Path();
    }
    void expectAgreement(const std::string& linkFile) {
        expectSameView(viewThroughShell(shell, linkFile), viewThroughReader(files(), linkFile), linkFile);
    }
};

TEST_F(ShellLinkWine, ALinkToAFileNamesItsTarget) {
    const std::string target = makeFile("Brief an M\xC3\xBCller \xE2\x82\xAC.txt");
    const std::string lnk = at("Brief.lnk");
    makeLink(lnk, target, "--modus \"a b\"", "Beschreibung mit \xC3\xA4");
    EXPECT_EQ(pathOf(lnk), target);
    EXPECT_EQ(linkTargetPath(shell, files(), lnk, 0), target);
    expectAgreement(lnk);
}

TEST_F(ShellLinkWine, ATargetOutsideTheAnsiCodePage) {
    const std::string target = makeFile("\xE4\xB8\xAD\xE6\x96\x87.txt");  // 中文.txt
    const std::string lnk = at("Chinesisch.lnk");
    makeLink(lnk, target);
    // Wine's link object keeps such a path only in the ANSI form of the link information, so both it
    // and our reader give "??.txt" (Windows takes the item-ID list, which our reader skips).
    EXPECT_EQ(pathOf(lnk).substr(0, scratch.folder().size()), scratch.folder());
    expectAgreement(lnk);
}

TEST_F(ShellLinkWine, ALinkToAFolderNamesItsTarget) {
    ASSERT_TRUE(files().createFolder(at("Projekte")));
    const std::string lnk = at("Projekte.lnk");
    makeLink(lnk, at("Projekte"));
    EXPECT_EQ(pathOf(lnk), at("Projekte"));
    expectAgreement(lnk);
}

TEST_F(ShellLinkWine, ALinkWhoseTargetWasDeletedStillNamesIt) {
    const std::string target = makeFile("weg.txt");
    const std::string lnk = at("Weg.lnk");
    makeLink(lnk, target);
    ASSERT_TRUE(files().deleteFile(target, true));
    EXPECT_EQ(pathOf(lnk), target);
    expectAgreement(lnk);
}

TEST_F(ShellLinkWine, EveryPropertySurvivesSaveAndLoad) {
    const std::string target = makeFile("prog.exe");
    const std::string lnk = at("Alles.lnk");
    {
        ShellLinkFile link(shell, files());
        link.setPath(target);
        link.setArguments("/x");
        link.setDescription("Alles drin");
        link.setWorkingDirectory(scratch.folder());
        link.setIcon(2);  // an index of the current target
        link.setDisplayMode(2);
        link.setHotKey(0x0646);  // Ctrl+F
        link.Save(lnk);
    }
    ShellLinkFile link(shell, files());
    link.Resolve(lnk, kResolveLoadOnly, 0, 1);
    EXPECT_EQ(link.Path(), target);
    EXPECT_EQ(link.Arguments(), "/x");
    EXPECT_EQ(link.Description(), "Alles drin");
    EXPECT_EQ(link.WorkingDirectory(), scratch.folder());
    EXPECT_EQ(link.Icon().path, target);
    EXPECT_EQ(link.Icon().index, 2);
    EXPECT_EQ(link.DisplayMode(), 1) << "2 is stored as normal";
    EXPECT_EQ(link.HotKey(), 0x0646);
    expectAgreement(lnk);

    link.setIcon(at("anders.ico"));
    EXPECT_EQ(link.Icon().path, at("anders.ico"));
    EXPECT_EQ(link.Icon().index, 0);
    for (int mode : {1, 3, 7}) {
        link.setDisplayMode(mode);
        EXPECT_EQ(link.DisplayMode(), mode);
    }
}

TEST_F(ShellLinkWine, DamagedLinkFilesLoadAsEmptyLinks) {
    const std::string target = makeFile("gut.txt");
    makeLink(at("Gut.lnk"), target);
    const auto good = readWholeFile(files(), at("Gut.lnk"));
    ASSERT_GT(good.size(), 100u);
    const std::vector<std::pair<std::string, std::vector<std::uint8_t>>> damaged = {
        {"Leer.lnk", {}},
        {"Text.lnk", {'[', 'I', 'n', 't', 'e', 'r', 'n', 'e', 't', ']'}},
        {"Kopf.lnk", std::vector<std::uint8_t>(good.begin(), good.begin() + 40)},
        {"Halb.lnk", std::vector<std::uint8_t>(good.begin(), good.begin() + good.size() / 2)},
    };
    for (const auto& [name, bytes] : damaged) {
        writeWholeFile(files(), at(name), bytes);
        ShellLinkFile link(shell, files());
        EXPECT_NO_THROW(link.Resolve(at(name), kResolveLoadOnly, 0, 1)) << name;
        EXPECT_EQ(link.Path(), "") << name;
        expectAgreement(at(name));
    }
    // A damaged file loaded after a good one does not keep the good one's target.
    ShellLinkFile link(shell, files());
    link.Resolve(at("Gut.lnk"), kResolveLoadOnly, 0, 1);
    EXPECT_EQ(link.Path(), target);
    link.Resolve(at("Halb.lnk"), kResolveLoadOnly, 0, 1);
    EXPECT_EQ(link.Path(), "");
}

TEST_F(ShellLinkWine, SettingAPathThatDoesNotExistRaisesError53) {
    ShellLinkFile link(shell, files());
    try {
        link.setPath(at("gibt es nicht.txt"));
        FAIL() << "no error raised";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.number(), 53);
    }
    EXPECT_EQ(link.Path(), "");
    EXPECT_THROW(link.Save(""), RuntimeError);
}

TEST_F(ShellLinkWine, ResolvingWithoutUiFindsAnExistingTarget) {
    const std::string target = makeFile("da.txt");
    makeLink(at("Da.lnk"), target);
    ShellLinkFile link(shell, files());
    EXPECT_NO_THROW(link.Resolve(at("Da.lnk"), kResolveNoUi, 0, 500));
    EXPECT_EQ(link.Path(), target);
}

TEST_F(ShellLinkWine, TheDesktopFoldersExist) {
    for (int code : {kCsidlDesktopDirectory, kCsidlCommonDesktopDirectory}) {
        const std::string path = specialFolderPath(shell, code);
        EXPECT_FALSE(path.empty());
        const auto attributes = files().attributes(path);
        ASSERT_TRUE(attributes.has_value()) << path;
        EXPECT_NE(*attributes & kAttrDirectory, 0u) << path;
    }
}

TEST_F(ShellLinkWine, AFolderTheShellCannotNameRaisesTheShellVersionError) {
    try {
        specialFolderPath(shell, 0x7E);  // no such folder
        FAIL() << "no error raised";
    } catch (const RuntimeError& e) {
        EXPECT_LT(e.number(), 0) << "the shell's HRESULT";
        EXPECT_EQ(e.source(), "Plenvik.GSystemFolders");
        EXPECT_EQ(e.description(), "Incorrect Shell Version - Internet Explorer 4.0 or higher required.");
    }
}

}  // namespace
}  // namespace plenvik::test

namespace plenvik::test {
namespace {

// The links committed under tests/data/lnk are made here, below C:\PlenvikLnk so that the paths they
// hold do not depend on the user or the run. With PLENVIK_LNK_FIXTURE_OUT set to a folder, the test
// copies them there (that is how the committed ones were made).
class LnkFixtures : public ::testing::Test {
protected:
    static constexpr const char* kFolder = "C:\\PlenvikLnk";
    win32::ComApartment com;
    win32::Win32FileSystem files;
    win32::Win32ShellFolders shell;

    void SetUp() override {
        std::filesystem::remove_all(win32::widen(kFolder));
        ASSERT_TRUE(files.createFolder(kFolder));
    }
    void TearDown() override { std::filesystem::remove_all(win32::widen(kFolder)); }
    static std::string at(const std::string& name) { return std::string(kFolder) + "\\" + name; }
};

TEST_F(LnkFixtures, LinksMadeByTheShellReadTheSameWithOurReader) {
    const std::string target = at("Ziel M\xC3\xBCll \xE2\x82\xAC.txt");
    writeWholeFile(files, target, patternBytes(12));
    ASSERT_TRUE(files.createFolder(at("Ordner")));
    writeWholeFile(files, at("Gel\xC3\xB6scht.txt"), patternBytes(3));
    {
        ShellLinkFile link(shell, files);
        link.setPath(target);
        link.setArguments("--modus \"a b\"");
        link.setDescription("Beschreibung \xC3\xA4\xC3\xB6\xC3\xBC");
        link.setWorkingDirectory(kFolder);
        link.setIcon(1);
        link.setDisplayMode(3);
        link.setHotKey(0x0646);
        link.Save(at("Datei.lnk"));
    }
    {
        ShellLinkFile link(shell, files);
        link.setPath(at("Ordner"));
        link.Save(at("Ordner.lnk"));
    }
    {
        ShellLinkFile link(shell, files);
        link.setPath(at("Gel\xC3\xB6scht.txt"));
        link.Save(at("Verwaist.lnk"));
    }
    ASSERT_TRUE(files.deleteFile(at("Gel\xC3\xB6scht.txt"), true));
    const auto whole = readWholeFile(files, at("Datei.lnk"));
    writeWholeFile(files, at("Beschaedigt.lnk"), std::vector<std::uint8_t>(whole.begin(), whole.begin() + whole.size() / 2));

    const char* names[] = {"Datei.lnk", "Ordner.lnk", "Verwaist.lnk", "Beschaedigt.lnk"};
    for (const char* name : names) {
        expectSameView(viewThroughShell(shell, at(name)), viewThroughReader(files, at(name)), name);
    }
    EXPECT_EQ(viewThroughReader(files, at("Datei.lnk")).path, target);
    EXPECT_EQ(viewThroughReader(files, at("Verwaist.lnk")).path, at("Gel\xC3\xB6scht.txt"));

    if (const char* out = std::getenv("PLENVIK_LNK_FIXTURE_OUT")) {
        for (const char* name : names) writeWholeFile(files, std::string(out) + "\\" + name, readWholeFile(files, at(name)));
    }
}

TEST_F(LnkFixtures, TheCommittedLinksReadTheSameThroughTheShell) {
    const std::string folder = std::string(PLENVIK_TEST_DATA) + "/lnk/";
    int seen = 0;
    for (const auto& entry : files.find(folder + "*.lnk")) {
        expectSameView(viewThroughShell(shell, folder + entry.name), viewThroughReader(files, folder + entry.name), entry.name);
        ++seen;
    }
    EXPECT_GE(seen, 4) << "fixtures in " << folder;
}

}  // namespace
}  // namespace plenvik::test
