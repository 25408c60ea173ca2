// The one check for bare file names: what a project file may name and what the user may type.
#include "project/ProjectFileNameCheck.h"

#include <gtest/gtest.h>

namespace plenvik {
namespace {

TEST(FileNameCheckTest, EachNameGetsItsFault) {
    struct Case {
        const char* name;
        FileNameFault fault;
    };
    const Case cases[] = {
        {"Bericht.txt", FileNameFault::None},
        {"con.txt.lnk", FileNameFault::DeviceName},
        {"CONSOLE.txt", FileNameFault::None},
        {"COM10", FileNameFault::None},
        {"LPT", FileNameFault::None},
        {".profil", FileNameFault::None},
        {"a b.c", FileNameFault::None},
        {"", FileNameFault::Empty},
        {"CON", FileNameFault::DeviceName},
        {"nul.txt", FileNameFault::DeviceName},
        {"Aux", FileNameFault::DeviceName},
        {"prn.Plenvk", FileNameFault::DeviceName},
        {"com1", FileNameFault::DeviceName},
        {"LPT9.lnk", FileNameFault::DeviceName},
        {"NUL .txt", FileNameFault::DeviceName},
        {"Bericht.", FileNameFault::TrailingBlankOrDot},
        {"Bericht ", FileNameFault::TrailingBlankOrDot},
        {".", FileNameFault::TrailingBlankOrDot},
        {"..", FileNameFault::TrailingBlankOrDot},
        {"..\\Autostart.bat", FileNameFault::ForbiddenCharacter},
        {"a/b", FileNameFault::ForbiddenCharacter},
        {"C:boot.ini", FileNameFault::ForbiddenCharacter},
        {"a.txt:Zone.Identifier", FileNameFault::ForbiddenCharacter},
        {"a\tb", FileNameFault::ForbiddenCharacter},
        {"a\x7f"
         "b",
         FileNameFault::None},
        {"wer?.txt", FileNameFault::ForbiddenCharacter},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(fileNameFault(c.name), c.fault) << "'" << c.name << "'";
        EXPECT_EQ(isBareFileName(c.name), c.fault == FileNameFault::None) << "'" << c.name << "'";
    }
}

TEST(FileNameCheckTest, TheSavePromptExplainsEachFaultInGerman) {
    EXPECT_EQ(projectFileNameProblem("Desktop 2024"), "");
    EXPECT_EQ(projectFileNameProblem(""), "Bitte geben Sie einen Dateinamen an.");
    EXPECT_EQ(projectFileNameProblem("a|b"),
              "Der Dateiname 'a|b' ist nicht zulässig. Ein Dateiname darf keines der Zeichen \\ / : * ? \" < > | enthalten.");
    EXPECT_EQ(projectFileNameProblem("Sicherung."),
              "Der Dateiname 'Sicherung.' ist nicht zulässig: er darf nicht mit einem Leerzeichen oder Punkt enden.");
    EXPECT_EQ(projectFileNameProblem("Lpt3"), "Der Dateiname 'Lpt3' ist unter Windows für ein Gerät reserviert.");
}

}  // namespace
}  // namespace plenvik
