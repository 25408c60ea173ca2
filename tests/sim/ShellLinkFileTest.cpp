// The simulated shell: special folders made on demand, and links read from real .lnk files (the ones
// Wine's link object made, see tests/data/lnk) and written by the sim itself.
#include <filesystem>

#include "errors/RuntimeError.h"
#include "platform/sim/SimShellFolders.h"
#include "project/LnkFile.h"
#include "system/SpecialFolders.h"
#include "system/ShellLinkFile.h"
#include "support/FileContractTests.h"
#include "support/FileScratchPosix.h"

namespace plenvik::test {
namespace {

class SimShellLinkTest : public ::testing::Test {
protected:
    PosixScratch scratch;
    SimShellFolders shell{
        scratch.files(),
        {{kCsidlDesktopDirectory, "C:\\Users\\anna\\Desktop"}, {kCsidlCommonDesktopDirectory, "C:\\Users\\Public\\Desktop"}}};

    FileSystem& files() { return scratch.files(); }
    std::string at(const std::string& name) { return scratch.folder() + "\\" + name; }
    // A committed fixture, copied into the scratch folder.
    std::string copyFixture(const std::string& name) {
        std::filesystem::copy_file(std::filesystem::path(PLENVIK_TEST_DATA) / "lnk" / name, scratch.native(at(name)));
        return at(name);
    }
    std::string pathOf(const std::string& linkFile) {
        ShellLinkFile link(shell, files());
        link.Resolve(linkFile, kResolveLoadOnly, 0, 1);
        return link.Path();
    }
};

TEST_F(SimShellLinkTest, ReadsTheLinksWineMade) {
    EXPECT_EQ(pathOf(copyFixture("Datei.lnk")), "C:\\PlenvikLnk\\Ziel M\xC3\xBCll \xE2\x82\xAC.txt");
    EXPECT_EQ(pathOf(copyFixture("Ordner.lnk")), "C:\\PlenvikLnk\\Ordner");
    EXPECT_EQ(pathOf(copyFixture("Verwaist.lnk")), "C:\\PlenvikLnk\\Gel\xC3\xB6scht.txt");
    EXPECT_EQ(pathOf(copyFixture("Beschaedigt.lnk")), "");
    EXPECT_EQ(pathOf(at("fehlt.lnk")), "");

    ShellLinkFile link(shell, files());
    link.Resolve(at("Datei.lnk"), kResolveLoadOnly, 0, 1);
    EXPECT_EQ(link.Arguments(), "--modus \"a b\"");
    EXPECT_EQ(link.Description(), "Beschreibung \xC3\xA4\xC3\xB6\xC3\xBC");
    EXPECT_EQ(link.DisplayMode(), 3);
    EXPECT_EQ(link.HotKey(), 0x0646);
}

TEST_F(SimShellLinkTest, ResolvingWithoutUiReportsAMissingTarget) {
    const std::string target = at("ziel.txt");
    writeWholeFile(files(), target, patternBytes(4));
    {
        ShellLinkFile link(shell, files());
        link.setPath(target);
        link.Save(at("Ziel.lnk"));
    }
    ShellLinkFile link(shell, files());
    EXPECT_NO_THROW(link.Resolve(at("Ziel.lnk"), kResolveNoUi, 0, 100));
    ASSERT_TRUE(files().deleteFile(target, true));
    EXPECT_NO_THROW(link.Resolve(at("Ziel.lnk"), kResolveNoUi, 0, 100)) << "S_FALSE is no failure";
    EXPECT_EQ(link.Path(), target);
    writeWholeFile(files(), at("kaputt.lnk"), {'L', 0});
    EXPECT_THROW(link.Resolve(at("kaputt.lnk"), kResolveNoUi, 0, 100), RuntimeError);
}

TEST_F(SimShellLinkTest, SavedLinksKeepLongAndNonAnsiPathsWhole) {
    std::string folder = scratch.folder();
    for (int i = 0; i < 6; ++i) {
        folder += "\\" + std::string(50, static_cast<char>('a' + i));
        ASSERT_TRUE(files().createFolder(folder));
    }
    const std::string target = folder + "\\\xE4\xB8\xAD\xE6\x96\x87.txt";  // 中文.txt, more than 300 characters in all
    writeWholeFile(files(), target, patternBytes(1));
    ASSERT_GT(target.size(), 300u);
    ShellLinkFile link(shell, files());
    link.setPath(target);
    link.setDisplayMode(2);
    link.Save(at("Lang.lnk"));
    ShellLinkFile again(shell, files());
    again.Resolve(at("Lang.lnk"), kResolveLoadOnly, 0, 1);
    EXPECT_EQ(again.Path(), target);
    EXPECT_EQ(again.DisplayMode(), 1);
}

TEST_F(SimShellLinkTest, ARelativePathCountsFromTheLinksFolder) {
    LnkFile lnk;
    lnk.relativePath = "..\\Daten\\.\\a.txt";
    // Its link information names no local path, so only the relative path can give the target.
    const auto bytes = lnk.serialise();
    const LnkFile parsed = LnkFile::parse(bytes);
    ASSERT_TRUE(parsed.valid);
    ASSERT_EQ(parsed.targetPath(), "");
    ASSERT_TRUE(files().createFolder(at("Links")));
    writeWholeFile(files(), at("Links\\rel.lnk"), bytes);
    EXPECT_EQ(pathOf(at("Links\\rel.lnk")), scratch.folder() + "\\Daten\\a.txt");
}

TEST_F(SimShellLinkTest, SpecialFoldersAreCreatedWhenMissing) {
    EXPECT_FALSE(files().exists("C:\\Users\\anna\\Desktop"));
    EXPECT_EQ(specialFolderPath(shell, kCsidlDesktopDirectory), "C:\\Users\\anna\\Desktop");
    EXPECT_TRUE(files().exists("C:\\Users\\anna\\Desktop"));
    EXPECT_EQ(specialFolderPath(shell, kCsidlCommonDesktopDirectory), "C:\\Users\\Public\\Desktop");
    EXPECT_TRUE(files().exists("C:\\Users\\Public\\Desktop"));

    try {
        specialFolderPath(shell, 5);
        FAIL() << "unknown folder answered";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.number(), kShellInvalidArg);
        EXPECT_EQ(e.source(), kSpecialFolderErrorSource);
    }
    shell.failFolders(453);
    try {
        specialFolderPath(shell, kCsidlDesktopDirectory);
        FAIL() << "failing shell answered";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.number(), 453);
        EXPECT_EQ(e.description(), kSpecialFolderErrorText);
    }
}

}  // namespace
}  // namespace plenvik::test
