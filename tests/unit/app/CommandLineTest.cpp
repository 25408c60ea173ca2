#include "app/CommandLine.h"
#include "common/NumberText.h"

#include <gtest/gtest.h>

namespace plenvik {
namespace {

using Tokens = std::vector<std::string>;

TEST(CommandLineTest, SplitsAtBlanksAndTabsAndKeepsQuotedStretches) {
    EXPECT_EQ(splitCommandLine(""), Tokens{});
    EXPECT_EQ(splitCommandLine("   \t "), Tokens{});
    EXPECT_EQ(splitCommandLine("SAVE 64"), (Tokens{"SAVE", "64"}));
    EXPECT_EQ(splitCommandLine("  SAVE\t\t64  "), (Tokens{"SAVE", "64"}));
    EXPECT_EQ(splitCommandLine("RESTORE \"Plenvik PC01 admin 071206111620.Plenvk\" 3"),
              (Tokens{"RESTORE", "\"Plenvik PC01 admin 071206111620.Plenvk\"", "3"}));
    // A quote inside a token closes a stretch but never opens one.
    EXPECT_EQ(splitCommandLine("a\"b c\""), (Tokens{"a\"b", "c\""}));
    EXPECT_EQ(splitCommandLine("\"x y\"z w"), (Tokens{"\"x y\"z", "w"}));
    // An unterminated quote runs to the end.
    EXPECT_EQ(splitCommandLine("RESTORE \"a b"), (Tokens{"RESTORE", "\"a b"}));
}

TEST(CommandLineTest, StopsBeforeThe33rdToken) {
    std::string raw;
    for (int i = 1; i <= 40; ++i) raw += std::to_string(i) + " ";
    const Tokens tokens = splitCommandLine(raw);
    ASSERT_EQ(tokens.size(), 32u);
    EXPECT_EQ(tokens.back(), "32");
}

TEST(CommandLineTest, LeadingNumberReadsWhatANumberStartsWith) {
    EXPECT_DOUBLE_EQ(leadingNumber("64"), 64);
    EXPECT_DOUBLE_EQ(leadingNumber("12abc"), 12);
    EXPECT_DOUBLE_EQ(leadingNumber("abc"), 0);
    EXPECT_DOUBLE_EQ(leadingNumber(" -3.5e1x"), -35);
    EXPECT_DOUBLE_EQ(leadingNumber(".5"), 0.5);
    EXPECT_DOUBLE_EQ(leadingNumber("-"), 0);
    EXPECT_DOUBLE_EQ(leadingNumber("7e"), 7);
}

TEST(CommandLineTest, DiagnosticFlagsRoundHalvesToEvenAndTakeTheAbsoluteValue) {
    EXPECT_EQ(diagnosticFlagsFrom("64"), 64);
    EXPECT_EQ(diagnosticFlagsFrom("-64"), 64);
    EXPECT_EQ(diagnosticFlagsFrom("2.5"), 2);
    EXPECT_EQ(diagnosticFlagsFrom("3.5"), 4);
    EXPECT_EQ(diagnosticFlagsFrom("0.5"), 0);
    EXPECT_EQ(diagnosticFlagsFrom("save"), 0);
    EXPECT_EQ(diagnosticFlagsFrom("2147483647"), 2147483647);
    EXPECT_EQ(diagnosticFlagsFrom("2147483648"), 0);  // does not fit: no diagnostics
    EXPECT_EQ(diagnosticFlagsFrom("1e400"), 0);
}

TEST(CommandLineTest, StartCommands) {
    struct Case {
        const char* raw;
        const char* word;
        const char* file;
        int flags;
    } cases[] = {
        {"SAVE 64", "SAVE", "", 64},
        {"SAVE", "SAVE", "", 0},
        {"save", "save", "", 0},  // lower case is no command; read as a number
        {"65", "65", "", 65},
        {"RESTORE \"my desk top.Plenvk\"", "RESTORE", "my desk top.Plenvk", 0},
        {"RESTORE \"a.Plenvk\" 64", "RESTORE", "a.Plenvk", 64},
        {"RESTORE", "RESTORE", "", 0},
        {"", "", "", 0},
    };
    for (const auto& c : cases) {
        const StartCommand s = parseStartCommand(splitCommandLine(c.raw));
        EXPECT_EQ(s.word, c.word) << c.raw;
        EXPECT_EQ(s.restoreFile, c.file) << c.raw;
        EXPECT_EQ(s.diagnosticFlags, c.flags) << c.raw;
    }
}

TEST(CommandLineTest, AProjectFileAsFirstTokenIsOpened) {
    struct Case {
        const char* raw;
        const char* openFile;
        int flags;
    } cases[] = {
        {"\"C:\\Users\\x\\Eigene Projekte\\a b.Plenvk\"", "C:\\Users\\x\\Eigene Projekte\\a b.Plenvk", 0},
        {"C:\\p\\A.PLENVK 64", "C:\\p\\A.PLENVK", 64},
        {"a.Plenvk", "a.Plenvk", 0},
        {"\".Plenvk\"", "", 0},           // no name before the extension
        {"\"C:\\a.Plenvk.txt\"", "", 0},  // another type
        {"RESTORE \"a.Plenvk\"", "", 0},  // the restore command keeps its meaning
        {"64", "", 64},
    };
    for (const auto& c : cases) {
        const StartCommand s = parseStartCommand(splitCommandLine(c.raw));
        EXPECT_EQ(s.openFile, c.openFile) << c.raw;
        EXPECT_EQ(s.diagnosticFlags, c.flags) << c.raw;
    }
}

TEST(CommandLineTest, RestoreFileWithAFolderIsSplit) {
    EXPECT_EQ(splitRestoreFile("a.Plenvk").directory, "");
    EXPECT_EQ(splitRestoreFile("a.Plenvk").fileName, "a.Plenvk");
    const RestoreTarget t = splitRestoreFile("C:\\Users\\x\\Sicherung\\a b.Plenvk");
    EXPECT_EQ(t.directory, "C:\\Users\\x\\Sicherung\\");
    EXPECT_EQ(t.fileName, "a b.Plenvk");
}

}  // namespace
}  // namespace plenvik
