#include "settings/SettingsFile.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "SettingsFakes.h"
#include "support/ScriptedErrorHandler.h"

namespace plenvik {
namespace {

const std::string kFolder = "C:\\Programme\\Plenvik";
const std::string kPath = "C:\\Programme\\Plenvik\\Settings.xml";
const std::string kTemporary = "C:\\Programme\\Plenvik\\Settings.xml.~tmp";

std::string fixture(const std::string& name) {
    std::ifstream in(std::string(PLENVIK_TEST_DATA) + "/settings/" + name, std::ios::binary);
    EXPECT_TRUE(in) << "fixture " << name << " missing";
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A settings file with the given element lines between <SETTINGS> and </SETTINGS>.
std::string fileWith(const std::string& elements) {
    return "<?xml version=\"1.0\" encoding=\"windows-1252\"?>\r\n<SETTINGS>\r\n" + elements + "</SETTINGS>\r\n";
}
std::string element(const std::string& key, const std::string& value) { return "    <" + key + ">" + value + "</" + key + ">\r\n"; }
std::string fileOf(const std::string& limit, const std::string& fileSave, const std::string& nameAuto, const std::string& folder) {
    return fileWith(element("GENERAL_FILESIZE_MAX", limit) + element("GENERAL_FILE_SAVE", fileSave) +
                    element("GENERAL_FILENAME_AUTO", nameAuto) + element("GENERAL_FOLDER_SAVE", folder));
}

struct GoldenCase {
    Settings settings;
    const char* fixture;
};

TEST(SettingsFileTest, SavesTheFixturesBytesExactlyAndLeavesNoTemporaryFile) {
    const GoldenCase cases[] = {{Settings{}, "Settings-defaults.xml"},
                                {Settings{1000000, false, true, true}, "Settings-largest-switched.xml"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fixture);
        test::MemoryFileSystem files;
        test::ScriptedErrorHandler handler;
        EXPECT_EQ(settingsFileText(c.settings), fixture(c.fixture));
        ASSERT_TRUE(saveSettingsFile(c.settings, files, kFolder, handler));
        EXPECT_EQ(files.files[kPath], fixture(c.fixture));
        EXPECT_FALSE(files.exists(kTemporary));
        EXPECT_EQ(handler.entered, std::vector<std::string>{"Plenvik.frmMain.fc_SettingsFileSave"});
        EXPECT_TRUE(handler.reports.empty());
    }
}

struct ReadCase {
    const char* name;
    std::string content;  // empty: no file
    Settings before;
    Settings expected;
    bool result;
};

TEST(SettingsFileTest, ReadsTheValuesByTheirRules) {
    const Settings autoOn{123, false, true, true};  // a start value that every case must overwrite or keep visibly
    const ReadCase cases[] = {
        {"defaults file", fixture("Settings-defaults.xml"), autoOn, {500, true, false, false}, true},
        {"largest limit kept, folder forced off", fixture("Settings-largest-switched.xml"), {}, {1000000, false, true, false}, true},
        {"limit above the range", fileOf("1000001", "1", "0", "0"), autoOn, {500, true, false, false}, true},
        {"negative limit", fileOf("-1", "1", "0", "0"), autoOn, {500, true, false, false}, true},
        {"limit 0 kept", fileOf("0", "1", "0", "0"), autoOn, {0, true, false, false}, true},
        {"fraction rounds half to even", fileOf("999.5", "1", "0", "0"), {}, {1000, true, false, false}, true},
        {"just above the range as fraction", fileOf("1000000.4", "1", "0", "0"), {}, {500, true, false, false}, true},
        {"switch value 2 is off", fileOf("7", "2", "2", "1"), autoOn, {7, false, false, false}, true},
        {"switch value 1.0 and blanks are on", fileOf(" 8 ", " 1.0 ", "01", "0"), {}, {8, true, true, false}, true},
        {"limit that is not a number", fileOf("viel", "1", "1", "0"), {}, {500, true, true, false}, true},
        {"switch that is not a number", fileOf("9", "ja", "1", "0"), {}, {9, false, true, false}, true},
        {"missing limit",
         fileWith(element("GENERAL_FILE_SAVE", "0") + element("GENERAL_FILENAME_AUTO", "1")),
         autoOn,
         {500, false, true, false},
         true},
        {"missing file switch",
         fileWith(element("GENERAL_FILESIZE_MAX", "42") + element("GENERAL_FILENAME_AUTO", "1")),
         {},
         {42, true, true, false},
         true},
        {"missing automatic name switch",
         fileWith(element("GENERAL_FILESIZE_MAX", "42") + element("GENERAL_FILE_SAVE", "0")),
         autoOn,
         {42, false, false, false},
         true},
        {"empty SETTINGS", fileWith(""), autoOn, {500, true, false, false}, true},
        {"no file keeps the automatic name switch", "", autoOn, {500, true, true, false}, false},
        {"malformed keeps the automatic name switch",
         "<SETTINGS><GENERAL_FILESIZE_MAX>7</GENERAL",
         autoOn,
         {500, true, true, false},
         false},
        {"other root element",
         "<?xml version=\"1.0\"?><OPTIONS><GENERAL_FILESIZE_MAX>7</GENERAL_FILESIZE_MAX></OPTIONS>",
         autoOn,
         {500, true, true, false},
         false},
        {"UTF-8 with byte-order mark",
         "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"UTF-8\"?><SETTINGS><GENERAL_FILESIZE_MAX>64</GENERAL_FILESIZE_MAX></SETTINGS>",
         {},
         {64, true, false, false},
         true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        test::MemoryFileSystem files;
        test::ScriptedErrorHandler handler;
        test::MessageOnlyDialogs dialogs;
        if (!c.content.empty()) files.files[kPath] = c.content;
        Settings settings = c.before;
        EXPECT_EQ(readSettingsFile(settings, files, kFolder, handler, dialogs), c.result);
        EXPECT_EQ(settings.fileSizeMax, c.expected.fileSizeMax);
        EXPECT_EQ(settings.fileSave, c.expected.fileSave);
        EXPECT_EQ(settings.fileNameAuto, c.expected.fileNameAuto);
        EXPECT_EQ(settings.folderSave, c.expected.folderSave);
        EXPECT_EQ(handler.entered, std::vector<std::string>{"Plenvik.frmMain.fc_SettingsFileRead"});
        EXPECT_TRUE(handler.reports.empty());
        EXPECT_TRUE(dialogs.messages.empty());
    }
}

TEST(SettingsFileTest, ReadsBackWhatItSaved) {
    test::MemoryFileSystem files;
    test::ScriptedErrorHandler handler;
    test::MessageOnlyDialogs dialogs;
    ASSERT_TRUE(saveSettingsFile({2048, false, true, false}, files, kFolder, handler));
    Settings read;
    ASSERT_TRUE(readSettingsFile(read, files, kFolder, handler, dialogs));
    EXPECT_EQ(read, (Settings{2048, false, true, false}));
}

struct FailureCase {
    const char* name;
    int failOpens;
    std::size_t writeLimit;
    bool failReplace;
    long errorNumber;
};

TEST(SettingsFileTest, AFailedWriteIsReportedAndKeepsThePreviousFile) {
    const FailureCase cases[] = {
        {"temporary file cannot be created", 1, std::string::npos, false, 75},
        {"disk full in the middle of the file", 0, 60, false, 57},
        {"rename over the old file fails", 0, std::string::npos, true, 75},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        test::MemoryFileSystem files;
        const std::string previous = fixture("Settings-largest-switched.xml");
        files.files[kPath] = previous;
        files.failOpens = c.failOpens;
        files.writeLimit = c.writeLimit;
        files.failReplace = c.failReplace;
        test::ScriptedErrorHandler handler;
        handler.answers = {kActionLeave};
        EXPECT_FALSE(saveSettingsFile(Settings{}, files, kFolder, handler));
        ASSERT_EQ(handler.reports.size(), 1u);
        EXPECT_EQ(handler.reports[0].procedure, "Plenvik.frmMain.fc_SettingsFileSave");
        EXPECT_EQ(handler.reports[0].number, c.errorNumber);
        EXPECT_EQ(files.files[kPath], previous);
        EXPECT_FALSE(files.exists(kTemporary));
    }
}

TEST(SettingsFileTest, RetryAfterAFailedWriteSavesTheFile) {
    test::MemoryFileSystem files;
    files.failOpens = 1;
    test::ScriptedErrorHandler handler;
    handler.answers = {kActionRetry};
    EXPECT_TRUE(saveSettingsFile(Settings{}, files, kFolder, handler));
    EXPECT_EQ(handler.reports.size(), 1u);
    EXPECT_EQ(files.files[kPath], fixture("Settings-defaults.xml"));
}

TEST(SettingsFileTest, SkippingTheFailedWriteNeverPutsAPartialFileInPlace) {
    test::MemoryFileSystem files;
    files.files[kPath] = "old";
    files.writeLimit = 30;
    test::ScriptedErrorHandler handler;
    handler.answers = {kActionNext};
    EXPECT_FALSE(saveSettingsFile(Settings{}, files, kFolder, handler));
    EXPECT_EQ(files.files[kPath], "old");
    EXPECT_FALSE(files.exists(kTemporary));
}

TEST(SettingsFileTest, PathJoinsTheProgramFolder) {
    EXPECT_EQ(settingsFilePath("C:\\Programme\\Plenvik"), kPath);
    EXPECT_EQ(settingsFilePath("D:\\"), "D:\\Settings.xml");
}

}  // namespace
}  // namespace plenvik
