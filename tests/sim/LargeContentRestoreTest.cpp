// A file far larger than the memory a restore may use is put back byte for byte: the restore runs in
// a child process whose address space is limited to 1 GB. A cancel while a big file is decoded stops it.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <vector>

#include "app/ProjectListController.h"
#include "support/ProgramFixture.h"

namespace plenvik {
namespace {

namespace fs = std::filesystem;

constexpr long kMegabytes = 300;

char patternByte(std::size_t i) { return static_cast<char>((i * 131 + i / 7) & 0xFF); }

class LargeContentRestoreTest : public test::ProgramFixture {};

TEST_F(LargeContentRestoreTest, A300MegabyteFileIsRestoredWithinAGigabyteOfAddressSpace) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the address sanitizer reserves more address space than the limit";
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
    GTEST_SKIP() << "the address sanitizer reserves more address space than the limit";
#endif
#endif
    const fs::path big = native(user("Gross.bin"));
    {
        std::vector<char> block(1 << 20);
        for (std::size_t i = 0; i < block.size(); ++i) block[i] = patternByte(i);
        std::ofstream out(big, std::ios::binary);
        for (long m = 0; m < kMegabytes; ++m) out.write(block.data(), static_cast<std::streamsize>(block.size()));
    }
    form.settings().fileSizeMax = 1000000;
    sim.desktop.refresh();
    std::string directory;
    ASSERT_TRUE(form.saveDesktop(directory, "", false));
    std::string project;
    for (const auto& e : fs::directory_iterator(native("C:\\Projekte")))
        if (e.path().extension() == ".Plenvk") project = e.path().filename().string();
    fs::remove(big);
    sim.desktop.refresh();

    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        const rlimit limit{1ul << 30, 1ul << 30};
        if (setrlimit(RLIMIT_AS, &limit) != 0) std::_Exit(2);
        sim.clock.tickPerReading = true;            // the waits for the desktop pass at once
        sim.dialogs.answerMessage(MsgAnswer::Yes);  // restore?
        MainController restoring{sim.platform(), errors, actions};
        restoring.load(("RESTORE \"C:\\Projekte\\" + project + "\"").c_str());
        restoring.timerFired();
        std::_Exit(errors.reports.empty() ? 0 : 3);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    ASSERT_EQ(WEXITSTATUS(status), 0);

    ASSERT_EQ(fs::file_size(big), static_cast<std::uintmax_t>(kMegabytes) << 20);
    std::ifstream in(big, std::ios::binary);
    std::vector<char> block(1 << 20);
    for (long m = 0; m < kMegabytes; ++m) {
        in.read(block.data(), static_cast<std::streamsize>(block.size()));
        for (std::size_t i = 0; i < block.size(); ++i)
            if (block[i] != patternByte(i)) FAIL() << "first wrong byte at " << (static_cast<std::size_t>(m) << 20) + i;
    }
}

TEST_F(LargeContentRestoreTest, ACancelWhileAFileIsDecodedLeavesNeitherItNorTheFilesAfterIt) {
    std::vector<char> block(1 << 20);
    for (std::size_t i = 0; i < block.size(); ++i) block[i] = patternByte(i);
    for (const char* name : {"A.bin", "B.bin"}) {
        std::ofstream out(native(user(name)), std::ios::binary);
        for (int m = 0; m < 4; ++m) out.write(block.data(), static_cast<std::streamsize>(block.size()));
    }
    form.settings().fileSizeMax = 1000000;
    sim.desktop.refresh();
    std::string directory;
    ASSERT_TRUE(form.saveDesktop(directory, "", false));
    for (const char* name : {"A.bin", "B.bin"}) fs::remove(native(user(name)));
    sim.desktop.refresh();
    sim.clock.tickPerReading = true;
    sim.dialogs.answerAllMessages(MsgAnswer::Yes);
    directory = "C:\\Projekte";
    searchProjectFiles(form, directory, "");
    for (int r = 0; r < form.lists.projects.size(); ++r)
        if (form.lists.projects.row(r).text != "(aktuell)") form.lists.projects.select(r);
    showSelectedProject(form);
    // The cancel comes in the second round of events of the first re-creation: after its first piece.
    bool armed = false;
    view.onStatus = [&] {
        if (!armed && form.lblInfo().text.ends_with("nicht gefunden => erstellen...")) {
            armed = true;
            sim.events.at(sim.events.pumps + 2, [this] { form.program().cancel = true; });
        }
    };
    EXPECT_TRUE(form.restoreSelectedProject(false, true));
    EXPECT_TRUE(fs::is_empty(native(sim::SimPlatform::kUserDesktop))) << "no file, no temporary file";
    EXPECT_EQ(form.lblInfo().text.rfind("Abbruch: (", 0), 0u) << form.lblInfo().text;
    EXPECT_NE(form.lblInfo().text.find("(0001) nicht erstellt"), std::string::npos) << form.lblInfo().text;
    EXPECT_FALSE(form.program().cancel);
}

}  // namespace
}  // namespace plenvik
