// The settings file on a real disk: written and read back through the POSIX file system, and a write
// that fails half-way or cannot start leaves the previous file as it was.
#include "settings/SettingsFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

#include "platform/posix/PosixFileSystem.h"
#include "platform/sim/SimDialogs.h"
#include "support/GuardedFileSystem.h"
#include "support/ScriptedErrorHandler.h"

namespace plenvik {
namespace {

namespace fs = std::filesystem;

const std::string kFolder = "C:\\Programme\\Plenvik";

// Passes everything to the real file system, but a file's writes stop after a number of bytes, as
// on a full disk.
class ShortWriteFileSystem : public PosixFileSystem {
public:
    using PosixFileSystem::PosixFileSystem;
    std::size_t bytesThatFit = 0;

    std::unique_ptr<FileHandle> open(const FileOpenRequest& request, unsigned long* error) override {
        auto file = PosixFileSystem::open(request, error);
        if (!file || (request.access & kGenericWrite) == 0) return file;
        return std::make_unique<ShortFile>(std::move(file), bytesThatFit);
    }

private:
    class ShortFile : public FileHandle {
    public:
        ShortFile(std::unique_ptr<FileHandle> inner, std::size_t room) : inner_(std::move(inner)), room_(room) {}
        std::optional<std::uint64_t> size() override { return inner_->size(); }
        std::optional<std::uint64_t> sizeFromInformation() override { return inner_->sizeFromInformation(); }
        std::optional<std::uint64_t> lastWriteTime() override { return inner_->lastWriteTime(); }
        std::optional<std::size_t> read(void* buffer, std::size_t count) override { return inner_->read(buffer, count); }
        std::optional<std::size_t> write(const void* buffer, std::size_t count) override {
            const std::size_t n = std::min(count, room_);
            if (n > 0 && inner_->write(buffer, n) != n) return std::nullopt;
            room_ -= n;
            if (n < count) return std::nullopt;
            return count;
        }
        bool flush() override { return inner_->flush(); }
        bool seekToEnd() override { return inner_->seekToEnd(); }
        bool close() override { return inner_->close(); }

    private:
        std::unique_ptr<FileHandle> inner_;
        std::size_t room_;
    };
};

class SettingsFileOnDisk : public ::testing::Test {
protected:
    void SetUp() override {
        root_ = fs::temp_directory_path() / ("plenvik-settings-" + std::to_string(std::random_device{}()));
        fs::create_directories(root_ / "C" / "Programme" / "Plenvik");
    }
    void TearDown() override { fs::remove_all(root_); }

    fs::path nativeFolder() const { return root_ / "C" / "Programme" / "Plenvik"; }
    std::string bytesOnDisk() const {
        std::ifstream in(nativeFolder() / "Settings.xml", std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    std::vector<std::string> folderEntries() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(nativeFolder())) names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    fs::path root_;
    test::ScriptedErrorHandler handler_;
    sim::SimDialogs dialogs_;  // no answers scripted: any question fails the test
};

TEST_F(SettingsFileOnDisk, WritesTheFileAndReadsItBack) {
    PosixFileSystem files(root_.string());
    ASSERT_TRUE(saveSettingsFile({4096, false, true, true}, files, kFolder, handler_));
    EXPECT_EQ(bytesOnDisk(), settingsFileText({4096, false, true, true}));
    EXPECT_EQ(folderEntries(), std::vector<std::string>{"Settings.xml"});

    Settings read;
    EXPECT_TRUE(readSettingsFile(read, files, kFolder, handler_, dialogs_));
    EXPECT_EQ(read, (Settings{4096, false, true, false}));  // the folder switch always starts off

    // Saving again replaces the file as a whole; what holds the first temporary name is not touched.
    fs::create_directory(nativeFolder() / "Settings.xml.~tmp");
    ASSERT_TRUE(saveSettingsFile({7, true, false, false}, files, kFolder, handler_));
    EXPECT_EQ(bytesOnDisk(), settingsFileText({7, true, false, false}));
    EXPECT_EQ(folderEntries(), (std::vector<std::string>{"Settings.xml", "Settings.xml.~tmp"}));
    EXPECT_TRUE(fs::is_directory(nativeFolder() / "Settings.xml.~tmp"));
    EXPECT_TRUE(handler_.reports.empty());
    EXPECT_TRUE(dialogs_.asked.empty());
}

TEST_F(SettingsFileOnDisk, NoFileGivesTheDefaultsAndWritesNothing) {
    PosixFileSystem files(root_.string());
    Settings read{1, false, true, true};
    EXPECT_FALSE(readSettingsFile(read, files, kFolder, handler_, dialogs_));
    EXPECT_EQ(read, (Settings{500, true, true, false}));
    EXPECT_TRUE(folderEntries().empty());
}

TEST_F(SettingsFileOnDisk, AWriteThatStopsHalfWayKeepsTheOldFile) {
    ShortWriteFileSystem files(root_.string());
    files.bytesThatFit = std::string::npos;
    ASSERT_TRUE(saveSettingsFile({4096, false, true, true}, files, kFolder, handler_));
    const std::string old = bytesOnDisk();

    files.bytesThatFit = 100;
    handler_.answers = {kActionLeave};
    EXPECT_FALSE(saveSettingsFile({1, true, false, false}, files, kFolder, handler_));
    ASSERT_EQ(handler_.reports.size(), 1u);
    EXPECT_EQ(handler_.reports[0].procedure, "Plenvik.frmMain.fc_SettingsFileSave");
    EXPECT_EQ(bytesOnDisk(), old);
    EXPECT_EQ(folderEntries(), std::vector<std::string>{"Settings.xml"});
}

TEST_F(SettingsFileOnDisk, AWriteThatCannotStartKeepsTheOldFile) {
    PosixFileSystem disk(root_.string());
    ASSERT_TRUE(saveSettingsFile({4096, false, true, true}, disk, kFolder, handler_));
    const std::string old = bytesOnDisk();
    test::GuardedFileSystem files(disk);
    files.readOnlyFolder = kFolder;  // no temporary file can be made
    handler_.answers = {kActionLeave};
    EXPECT_FALSE(saveSettingsFile({1, true, false, false}, files, kFolder, handler_));
    ASSERT_EQ(handler_.reports.size(), 1u);
    EXPECT_EQ(handler_.reports[0].procedure, "Plenvik.frmMain.fc_SettingsFileSave");
    EXPECT_EQ(bytesOnDisk(), old);
    EXPECT_EQ(folderEntries(), std::vector<std::string>{"Settings.xml"});
}

}  // namespace
}  // namespace plenvik
