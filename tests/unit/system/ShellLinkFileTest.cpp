// ShellLinkFile's own rules, against a recording link object: the display-mode mapping, the flags it
// resolves with, which failures it raises, and the inventory's retry on a time-out.
#include <gtest/gtest.h>

#include <set>

#include "errors/RuntimeError.h"
#include "system/SpecialFolders.h"
#include "system/ShellLinkFile.h"

namespace plenvik {
namespace {

struct Recorded {
    std::vector<std::string> loads;
    std::vector<unsigned long> resolveFlags;
    int showCommand = 0;
    std::string path, iconPath;
    int iconIndex = 0;
    long resolveResult = 0;
    long setResult = 0;
    int links = 0;
    int createFailures = 0;  // createLink fails this many times with createFailure
    long createFailure = kShellTimeout;
};

class RecordingLink : public ShellLink {
public:
    explicit RecordingLink(Recorded& r) : r_(r) {}
    bool load(const std::string& f) override {
        r_.loads.push_back(f);
        if (f.find("kaputt") != std::string::npos) return false;
        path_ = "C:\\Ziel von " + f;
        return true;
    }
    std::string path() override { return path_; }
    long setPath(const std::string& p) override {
        path_ = p;
        r_.path = p;
        return r_.setResult;
    }
    std::string workingDirectory() override { return {}; }
    long setWorkingDirectory(const std::string&) override { return r_.setResult; }
    std::string description() override { return {}; }
    long setDescription(const std::string&) override { return r_.setResult; }
    std::string arguments() override { return {}; }
    long setArguments(const std::string&) override { return r_.setResult; }
    int showCommand() override { return r_.showCommand; }
    long setShowCommand(int c) override {
        r_.showCommand = c;
        return r_.setResult;
    }
    int hotKey() override { return 0; }
    long setHotKey(int) override { return r_.setResult; }
    std::string iconLocation(int* i) override {
        *i = r_.iconIndex;
        return r_.iconPath;
    }
    long setIconLocation(const std::string& p, int i) override {
        r_.iconPath = p;
        r_.iconIndex = i;
        return r_.setResult;
    }
    long resolve(long, unsigned long flags) override {
        r_.resolveFlags.push_back(flags);
        return r_.resolveResult;
    }
    long save(const std::string&) override { return r_.setResult; }

private:
    Recorded& r_;
    std::string path_;
};

class RecordingShell : public ShellFolders {
public:
    Recorded r;
    std::string folder = "C:\\Users\\anna\\Desktop";
    long folderFailure = 0;
    std::string specialFolderPath(int) override {
        if (folderFailure) throw RuntimeError(folderFailure, kAppTitle, "kaputt");
        return folder;
    }
    std::unique_ptr<ShellLink> createLink() override {
        if (r.createFailures > 0) {
            --r.createFailures;
            throw RuntimeError(r.createFailure, kAppTitle, "kein Objekt");
        }
        ++r.links;
        return std::make_unique<RecordingLink>(r);
    }
};

class ExistingFiles : public FileSystem {
public:
    std::set<std::string> present;
    std::unique_ptr<FileHandle> open(const FileOpenRequest&, unsigned long*) override { return nullptr; }
    std::vector<FindEntry> find(const std::string&) override { return {}; }
    bool exists(const std::string& p) override { return present.count(p) > 0; }
    std::optional<std::uint32_t> attributes(const std::string&) override { return std::nullopt; }
    bool deleteFile(const std::string&, bool) override { return false; }
    std::string fullPath(const std::string& path) override { return path; }
    RecycleResult recycle(const std::string&) override { return RecycleResult::Failed; }
    bool deletePermanently(const std::string&) override { return false; }
    bool createFolder(const std::string&) override { return false; }
    bool replaceFile(const std::string&, const std::string&) override { return false; }
    bool renameNoReplace(const std::string&, const std::string&) override { return false; }
    StreamContent readStream(const std::string&, const std::string&, std::size_t) override { return {}; }
    bool writeStream(const std::string&, const std::string&, std::string_view) override { return false; }
};

TEST(ShellLinkFileTest, DisplayModesOtherThanNormalMaximisedAndMinimisedAreStoredAsNormal) {
    RecordingShell shell;
    ExistingFiles files;
    ShellLinkFile link(shell, files);
    const std::pair<int, int> cases[] = {{1, 1}, {3, 3}, {7, 7}, {2, 1}, {0, 1}, {4, 1}, {-1, 1}, {10, 1}};
    for (const auto& [given, stored] : cases) {
        link.setDisplayMode(given);
        EXPECT_EQ(shell.r.showCommand, stored) << given;
        EXPECT_EQ(link.DisplayMode(), stored);
    }
}

TEST(ShellLinkFileTest, ResolveLoadsAndResolvesWithTheTimeOutInTheUpperWord) {
    RecordingShell shell;
    ExistingFiles files;
    ShellLinkFile link(shell, files);
    link.Resolve("a.lnk", kResolveLoadOnly, 0, 1);
    EXPECT_TRUE(shell.r.resolveFlags.empty()) << "-1 only loads";
    link.Resolve("a.lnk", kResolveNoUi, 0, 3000);
    link.Resolve("a.lnk", kResolveNoUi, 0, 0);
    link.Resolve("a.lnk", 4 /* SLR_UPDATE */, 0, 3000);
    EXPECT_EQ(shell.r.resolveFlags, (std::vector<unsigned long>{1 | (3000ul << 16), 1, 4}));
    EXPECT_EQ(shell.r.loads.size(), 4u);
}

TEST(ShellLinkFileTest, AFailedLoadLeavesAnEmptyLinkNotThePreviousOne) {
    RecordingShell shell;
    ExistingFiles files;
    ShellLinkFile link(shell, files);
    link.Resolve("gut.lnk", kResolveLoadOnly, 0, 1);
    EXPECT_EQ(link.Path(), "C:\\Ziel von gut.lnk");
    EXPECT_NO_THROW(link.Resolve("kaputt.lnk", kResolveLoadOnly, 0, 1));
    EXPECT_EQ(link.Path(), "");
}

TEST(ShellLinkFileTest, FailuresOfTheLinkObjectAreRaisedWithItsResultCode) {
    RecordingShell shell;
    ExistingFiles files;
    ShellLinkFile link(shell, files);
    shell.r.resolveResult = kShellFail;
    try {
        link.Resolve("a.lnk", kResolveNoUi, 0, 10);
        FAIL() << "no error";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.number(), kShellFail);
        EXPECT_NE(e.description().find("0x80004005"), std::string::npos) << e.description();
    }
    shell.r.resolveResult = kShellFalse;  // S_FALSE is no failure
    EXPECT_NO_THROW(link.Resolve("a.lnk", kResolveNoUi, 0, 10));

    shell.r.setResult = kShellInvalidArg;
    EXPECT_THROW(link.setDescription("x"), RuntimeError);
    EXPECT_THROW(link.setIcon(2), RuntimeError);
    EXPECT_THROW(link.Save("C:\\a.lnk"), RuntimeError);
}

TEST(ShellLinkFileTest, PathAcceptsOnlyWhatExists) {
    RecordingShell shell;
    ExistingFiles files;
    files.present = {"C:\\da.txt"};
    ShellLinkFile link(shell, files);
    for (const char* missing : {"C:\\fehlt.txt", ""}) {
        try {
            link.setPath(missing);
            FAIL() << "no error for '" << missing << "'";
        } catch (const RuntimeError& e) {
            EXPECT_EQ(e.number(), 53);
        }
    }
    EXPECT_EQ(shell.r.path, "");
    link.setPath("C:\\da.txt");
    EXPECT_EQ(link.Path(), "C:\\da.txt");
    link.setIcon(4);  // a number: an icon of the current target
    EXPECT_EQ(link.Icon().path, "C:\\da.txt");
    EXPECT_EQ(link.Icon().index, 4);
    link.setIcon(std::string("C:\\b.ico"));
    EXPECT_EQ(link.Icon().path, "C:\\b.ico");
    EXPECT_EQ(link.Icon().index, 0);
    try {
        link.Save("");
        FAIL() << "an empty file name was accepted";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.number(), 52);
    }
}

TEST(ShellLinkFileTest, TheInventoryTriesAgainAfterATimeOutOnly) {
    ExistingFiles files;
    {
        RecordingShell shell;
        shell.r.createFailures = 3;  // three time-outs, then an answer
        EXPECT_EQ(linkTargetPath(shell, files, "a.lnk", 0), "C:\\Ziel von a.lnk");
    }
    {
        RecordingShell shell;
        shell.r.createFailures = 4;  // one attempt and three more, all timed out
        EXPECT_EQ(linkTargetPath(shell, files, "a.lnk", 0), "");
        EXPECT_EQ(shell.r.createFailures, 0);
        EXPECT_EQ(shell.r.links, 0);
    }
    {
        RecordingShell shell;
        shell.r.createFailures = 1;
        shell.r.createFailure = kShellFail;  // any other failure ends the attempts
        EXPECT_EQ(linkTargetPath(shell, files, "a.lnk", 0), "");
        EXPECT_EQ(shell.r.links, 0);
    }
}

TEST(SpecialFoldersTest, AFolderTheShellCannotNameRaisesTheShellVersionError) {
    RecordingShell shell;
    EXPECT_EQ(specialFolderPath(shell, kCsidlDesktopDirectory), "C:\\Users\\anna\\Desktop");
    for (long failure : {453L, kShellInvalidArg}) {
        shell.folderFailure = failure;
        try {
            specialFolderPath(shell, kCsidlCommonDesktopDirectory);
            FAIL() << "no error";
        } catch (const RuntimeError& e) {
            EXPECT_EQ(e.number(), failure);
            EXPECT_EQ(e.source(), "Plenvik.GSystemFolders");
            EXPECT_EQ(e.description(), "Incorrect Shell Version - Internet Explorer 4.0 or higher required.");
        }
    }
    shell.folderFailure = 0;
    shell.folder = std::string("\0C:\\x", 5);  // nothing before the first NUL: no folder
    EXPECT_THROW(specialFolderPath(shell, kCsidlDesktopDirectory), RuntimeError);
    shell.folder = std::string("C:\\Users\\Public\\Desktop\0\0\0", 26);
    EXPECT_EQ(specialFolderPath(shell, kCsidlCommonDesktopDirectory), "C:\\Users\\Public\\Desktop");
}

}  // namespace
}  // namespace plenvik
