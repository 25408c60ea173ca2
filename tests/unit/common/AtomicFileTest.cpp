// AtomicFile over files in memory: the target is the old file or the complete new one, a temporary
// file never outlives the object, and names the object did not create are never touched.
#include "common/AtomicFile.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "support/MemoryFileSystem.h"

namespace plenvik {
namespace {

using Files = std::map<std::string, std::string>;
using Stage = AtomicFile::Stage;
const std::string kTarget = "C:\\Plenvik\\Settings.xml";

TEST(AtomicFileTest, ACommitReplacesTheTargetAndSkipsTakenTemporaryNames) {
    test::MemoryFileSystem files;
    files.files = {{kTarget, "alt"}, {kTarget + ".~tmp", "fremd"}, {kTarget + ".~tmp1", "auch fremd"}};
    AtomicFile file(files, kTarget);
    ASSERT_TRUE(file.create());
    EXPECT_EQ(file.temporaryPath(), kTarget + ".~tmp2");
    ASSERT_TRUE(file.write(std::string_view("neu")));
    EXPECT_EQ(files.files[kTarget], "alt") << "the target changes only at the commit";
    ASSERT_TRUE(file.commit());
    EXPECT_EQ(files.files, (Files{{kTarget, "neu"}, {kTarget + ".~tmp", "fremd"}, {kTarget + ".~tmp1", "auch fremd"}}));
}

struct FailureCase {
    const char* name;
    void (*arrange)(test::MemoryFileSystem&);
    Stage stage;
};

TEST(AtomicFileTest, AFailureAtAnyStageKeepsTheTargetAndLeavesNoTemporaryFile) {
    const FailureCase cases[] = {
        {"no temporary file can be made", [](test::MemoryFileSystem& f) { f.failOpens = 1; }, Stage::Create},
        {"the disk fills up half-way (short write)", [](test::MemoryFileSystem& f) { f.writeLimit = 4; }, Stage::Write},
        {"the write is refused", [](test::MemoryFileSystem& f) { f.failWrites = true; }, Stage::Write},
        {"the bytes cannot be put on the disk", [](test::MemoryFileSystem& f) { f.failFlush = true; }, Stage::Flush},
        {"the rename over the target fails", [](test::MemoryFileSystem& f) { f.failReplace = true; }, Stage::Rename},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        test::MemoryFileSystem files;
        files.files[kTarget] = "alt";
        c.arrange(files);
        AtomicFile file(files, kTarget);
        EXPECT_FALSE(file.create() && file.write(std::string_view("neuer Inhalt")) && file.commit());
        EXPECT_EQ(file.failedAt(), c.stage);
        EXPECT_EQ(files.files, (Files{{kTarget, "alt"}}));
    }
}

TEST(AtomicFileTest, NeverReplaceLeavesAFileThatAppearedAtTheTarget) {
    test::MemoryFileSystem files;
    AtomicFile file(files, kTarget, AtomicFile::Mode::NeverReplace);
    ASSERT_TRUE(file.create());
    ASSERT_TRUE(file.write(std::string_view("neu")));
    files.files[kTarget] = "vom Benutzer";  // made by someone else meanwhile
    EXPECT_FALSE(file.commit());
    EXPECT_EQ(file.failedAt(), Stage::Rename);
    EXPECT_EQ(files.files, (Files{{kTarget, "vom Benutzer"}}));

    files.files.clear();
    AtomicFile free(files, kTarget, AtomicFile::Mode::NeverReplace);
    ASSERT_TRUE(free.create() && free.write(std::string_view("neu")));
    EXPECT_TRUE(free.commit());
    EXPECT_EQ(files.files, (Files{{kTarget, "neu"}}));
}

TEST(AtomicFileTest, AFileLeftUncommittedIsRemoved) {
    test::MemoryFileSystem files;
    files.files[kTarget] = "alt";
    {
        AtomicFile file(files, kTarget);
        ASSERT_TRUE(file.create() && file.write(std::string_view("halb")));
        EXPECT_EQ(files.files.size(), 2u);
    }
    EXPECT_EQ(files.files, (Files{{kTarget, "alt"}}));
}

}  // namespace
}  // namespace plenvik
