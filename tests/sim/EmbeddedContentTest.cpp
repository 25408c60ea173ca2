// A re-created file's content is read from the project file only while that file is still the one the
// restore loaded: written again since then, even with the same size, it is not read.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

#include "support/ProgramFixture.h"

namespace plenvik {
namespace {

namespace fs = std::filesystem;

class EmbeddedContentTest : public test::ProgramFixture {};

TEST_F(EmbeddedContentTest, AProjectFileWrittenAfterTheLoadIsNotReadFrom) {
    file(user("Brief.txt"), "Sehr geehrte Damen und Herren");
    sim.desktop.refresh();
    std::string directory;
    ASSERT_TRUE(form.saveDesktop(directory, "", false));
    std::string project;
    for (const auto& e : fs::directory_iterator(native("C:\\Projekte"))) project = e.path().filename().string();
    const fs::path projectFile = native("C:\\Projekte\\" + project);

    // Once the user has been asked whether to restore, the project file is written again: same bytes,
    // a later time.
    bool touchAfterQuestion = false;
    sim.events.always([&] {
        if (!touchAfterQuestion || sim.dialogs.asked.empty()) return;
        fs::last_write_time(projectFile, fs::last_write_time(projectFile) + std::chrono::seconds(2));
        touchAfterQuestion = false;
    });
    sim.clock.tickPerReading = true;  // the waits for the desktop pass at once
    for (const bool written : {true, false}) {
        SCOPED_TRACE(written ? "written after the load" : "unchanged");
        fs::remove(native(user("Brief.txt")));
        sim.desktop.refresh();
        sim.dialogs.asked.clear();
        sim.dialogs.answerMessage(MsgAnswer::Yes);  // restore?
        touchAfterQuestion = written;
        MainController restoring{sim.platform(), errors, actions};
        restoring.load(("RESTORE \"C:\\Projekte\\" + project + "\"").c_str());
        restoring.timerFired();
        EXPECT_FALSE(touchAfterQuestion) << "the restore let events run after its question";
        EXPECT_EQ(fs::exists(native(user("Brief.txt"))), !written);
    }
    EXPECT_EQ(read(user("Brief.txt")), "Sehr geehrte Damen und Herren");
}

}  // namespace
}  // namespace plenvik
