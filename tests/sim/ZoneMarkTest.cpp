// A project file that came from elsewhere hands its Zone.Identifier to every file a restore re-creates
// from it, before the file takes its name; a file whose mark cannot be written is not made at all.
#include "restore/ZoneMark.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "support/IconRestoreFixture.h"
#include "support/ProgramFixture.h"
#include "ui/Protocol.h"

namespace plenvik {
namespace {

namespace fs = std::filesystem;

const std::string kMark = "[ZoneTransfer]\r\nZoneId=3\r\nReferrerUrl=https://mail.example.org/\r\nHostUrl=https://mail.example.org/a\r\n";
const std::string kLink = "[InternetShortcut]\r\nURL=https://example.org/\r\n";

class ZoneMarkRestoreTest : public test::ProgramFixture {
protected:
    // Runs a restore from the command line, as the shell extension starts it.
    void restore(const std::string& project) {
        sim.clock.tickPerReading = true;            // the waits for the desktop pass at once
        sim.dialogs.answerMessage(MsgAnswer::Yes);  // restore?
        MainController restoring{sim.platform(), errors, actions};
        restoring.load(("RESTORE \"" + project + "\"").c_str());
        restoring.timerFired();
        ASSERT_TRUE(errors.reports.empty());
    }
    StreamContent mark(const std::string& path) { return sim.files.readStream(path, kZoneStreamName, kZoneMarkLimit); }
    std::set<std::string> desktopEntries() {
        std::set<std::string> names;
        for (const auto& e : fs::directory_iterator(native(sim::SimPlatform::kUserDesktop))) names.insert(e.path().filename().string());
        return names;
    }
    void removeAll() {
        for (const char* name : {"Seite.url", "Notiz.txt", "Ordner"}) fs::remove_all(native(user(name)));
        sim.desktop.refresh();
    }
};

TEST_F(ZoneMarkRestoreTest, FilesRestoredFromAMarkedProjectCarryItsMarkAndFromAnUnmarkedOneNone) {
    file(user("Seite.url"), kLink);
    file(user("Notiz.txt"), "");  // an empty file takes the other way through the restore
    fs::create_directories(native(user("Ordner")));
    sim.desktop.refresh();
    std::string directory;
    ASSERT_TRUE(form.saveDesktop(directory, "", false));
    std::string marked;
    for (const auto& e : fs::directory_iterator(native("C:\\Projekte"))) marked = "C:\\Projekte\\" + e.path().filename().string();
    ASSERT_TRUE(sim.files.writeStream(marked, kZoneStreamName, kMark));
    const std::string unmarked = "C:\\Projekte\\Kopie.Plenvk";
    fs::copy_file(native(marked), native(unmarked));  // a copy keeps the content only
    removeAll();

    restore(marked);
    EXPECT_EQ(read(user("Seite.url")), kLink);
    for (const char* name : {"Seite.url", "Notiz.txt"}) {
        const StreamContent got = mark(user(name));
        EXPECT_EQ(got.status, StreamStatus::Read) << name;
        EXPECT_EQ(got.bytes, kMark) << name << ": the bytes as they are";
    }
    EXPECT_TRUE(fs::is_directory(native(user("Ordner"))));
    EXPECT_EQ(mark(user("Ordner")).status, StreamStatus::None) << "Windows marks no folders";
    EXPECT_EQ(desktopEntries(), (std::set<std::string>{"Notiz.txt", "Notiz.txt:", "Ordner", "Seite.url", "Seite.url:"}))
        << "the marks went with the temporary files' rename, and nothing else is left";

    removeAll();
    restore(unmarked);
    EXPECT_EQ(read(user("Seite.url")), kLink);
    for (const char* name : {"Seite.url", "Notiz.txt"}) EXPECT_EQ(mark(user(name)).status, StreamStatus::None) << name;
}

class ZoneMarkCreateTest : public test::IconRestoreFixture {
protected:
    void SetUp() override {
        IconRestoreFixture::SetUp();
        project.directory = "C:\\Projekte\\";
        project.fileName = "Sicherung.Plenvk";
        fs::create_directories(native("C:\\Projekte"));
        write(project.path(), "<Projekt/>");
    }
};

TEST_F(ZoneMarkCreateTest, AFileWhoseMarkCannotBeWrittenIsNotMadeAndATooLargeMarkIsNotCopied) {
    ASSERT_TRUE(sim.files.writeStream(project.path(), kZoneStreamName, kMark));
    files.refuseStreams = true;
    const std::size_t refused = saved(file("Seite.url", "Seite.url", kFolderUserDesktop, kLink));
    EXPECT_TRUE(recreate(refused));
    EXPECT_EQ(status(refused),
              "konnte nicht erstellt werden, die Herkunftsangabe (Zone.Identifier) der Projektdatei konnte nicht übernommen werden!");
    files.refuseStreams = false;
    files.breakWrites = true;  // the mark is written, the content is not
    EXPECT_TRUE(recreate(saved(file("Notiz.txt", "Notiz.txt", kFolderUserDesktop, "Inhalt"))));
    EXPECT_EQ(counters.notCreated, 2);
    EXPECT_EQ(entriesIn(kUser), 0u) << "no file, no temporary file and no stream of one";

    files.breakWrites = false;
    counters = RestoreCounters{};  // the next run reads the mark anew
    ASSERT_TRUE(sim.files.writeStream(project.path(), kZoneStreamName, std::string(kZoneMarkLimit + 1, 'x')));
    EXPECT_TRUE(recreate(refused));
    EXPECT_EQ(read(at(kUser, "Seite.url")), kLink);
    EXPECT_EQ(sim.files.readStream(at(kUser, "Seite.url"), kZoneStreamName, 1 << 20).status, StreamStatus::None);
    const ListModel& protocol = form.protocol()->list();
    ASSERT_GE(protocol.size(), 1);
    EXPECT_EQ(protocol.row(0).sub(2), "Herkunftsangabe (Zone.Identifier) der Projektdatei ist größer als 64 KB und wird nicht übernommen!");
}

}  // namespace
}  // namespace plenvik
