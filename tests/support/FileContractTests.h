// FileBuffer's and AtomicFile's behaviour, the same on every file-system backend. A test executable
// includes this header once and instantiates the suite with its test bed:
//   INSTANTIATE_TYPED_TEST_SUITE_P(Posix, FileContract, PosixFileBed);
// A bed is default-constructible, owns a fresh empty scratch folder and offers:
//   FileSystem& files();                       the backend under test
//   std::string folder();                      the scratch folder in the backend's path form
//   void makeReadOnlyAndHidden(const std::string& path);
//   bool enforcesExclusiveOpen();              whether a file opened for writing refuses a second open
#pragma once

#include <algorithm>
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "common/AtomicFile.h"
#include "system/FileBuffer.h"

namespace plenvik::test {

inline std::vector<std::uint8_t> patternBytes(std::size_t count, std::uint8_t seed = 1) {
    std::vector<std::uint8_t> bytes(count);
    for (std::size_t i = 0; i < count; ++i) bytes[i] = static_cast<std::uint8_t>(seed + i * 7);
    return bytes;
}

// Fixture files are made and checked through the backend itself, apart from FileBuffer.
inline void writeWholeFile(FileSystem& files, const std::string& path, const std::vector<std::uint8_t>& bytes) {
    FileOpenRequest request{path, kGenericWrite, kShareNone, kCreateAlways, kAttrNormal};
    auto file = files.open(request);
    ASSERT_NE(file, nullptr) << "cannot create " << path;
    ASSERT_EQ(file->write(bytes.data(), bytes.size()), bytes.size());
    ASSERT_TRUE(file->close());
}

inline std::vector<std::uint8_t> readWholeFile(FileSystem& files, const std::string& path) {
    auto file = files.open(FileOpenRequest{path, kGenericRead, kShareRead, kOpenExisting, kAttrNormal});
    if (!file) return {};
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(file->size().value_or(0)));
    bytes.resize(file->read(bytes.data(), bytes.size()).value_or(0));
    return bytes;
}

template <class Bed>
class FileContract : public ::testing::Test {
protected:
    Bed bed;
    FileSystem& files() { return bed.files(); }
    std::string at(const std::string& name) { return bed.folder() + "\\" + name; }
};

TYPED_TEST_SUITE_P(FileContract);

TYPED_TEST_P(FileContract, OpeningAMissingFileFailsWithCode2) {
    FileBuffer file(this->files());
    const FileResult r = file.open(this->at("fehlt.txt"), kFileModeRead, 128);
    EXPECT_EQ(r.code, kFilePlatformFailed);
    EXPECT_FALSE(file.isOpen());
    EXPECT_EQ(file.FileSize(), -1);
    EXPECT_EQ(file.read().code, kFileFailed);
}

TYPED_TEST_P(FileContract, ReadsAWholeFile) {
    const auto content = patternBytes(70000);
    writeWholeFile(this->files(), this->at("Notiz.bin"), content);
    FileBuffer file(this->files());
    ASSERT_EQ(file.open(this->at("Notiz.bin"), kFileModeRead, 128).code, kFileOk);
    EXPECT_EQ(file.FileSize(), 70000);
    ASSERT_EQ(file.read().code, kFileOk);
    EXPECT_EQ(file.Bytes(), content);
}

TYPED_TEST_P(FileContract, SkipMovesOnWithoutReadingAndNeverPastTheEnd) {
    const auto content = patternBytes(1000);
    writeWholeFile(this->files(), this->at("Teil.bin"), content);
    auto file = this->files().open(FileOpenRequest{this->at("Teil.bin"), kGenericRead, kShareRead, kOpenExisting, kAttrNormal});
    ASSERT_NE(file, nullptr);
    ASSERT_TRUE(file->skip(600));
    EXPECT_FALSE(file->skip(401)) << "past the end";
    std::vector<std::uint8_t> rest(400);
    ASSERT_EQ(file->read(rest.data(), rest.size()), 400u) << "a refused skip leaves the position";
    EXPECT_TRUE(std::equal(rest.begin(), rest.end(), content.begin() + 600));
}

TYPED_TEST_P(FileContract, AnEmptyFileReadsAsOneZeroByte) {
    writeWholeFile(this->files(), this->at("leer.txt"), {});
    FileBuffer file(this->files());
    ASSERT_EQ(file.open(this->at("leer.txt"), kFileModeRead, 128).code, kFileOk);
    EXPECT_EQ(file.FileSize(), 0);
    ASSERT_EQ(file.read().code, kFileOk);
    EXPECT_EQ(file.Bytes(), std::vector<std::uint8_t>{0});
}

TYPED_TEST_P(FileContract, InformationModesTakeTheSizeOfTheFileJustOpened) {
    writeWholeFile(this->files(), this->at("a.bin"), patternBytes(10));
    writeWholeFile(this->files(), this->at("b.bin"), patternBytes(20));
    FileBuffer file(this->files());
    ASSERT_EQ(file.open(this->at("a.bin"), kFileModeReadInfoSize, 0).code, kFileOk);
    EXPECT_EQ(file.FileSize(), 10);
    ASSERT_EQ(file.open(this->at("b.bin"), kFileModeReadInfoSize2, 0).code, kFileOk);
    EXPECT_EQ(file.FileSize(), 20);
    // An explicit call keeps a size that is already known.
    file.setBytes(patternBytes(3));
    ASSERT_EQ(file.readSizeFromHandle().code, kFileOk);
    EXPECT_EQ(file.FileSize(), 3);
}

TYPED_TEST_P(FileContract, RecreateReplacesALongerFileWholly) {
    const std::string path = this->at("Bericht.doc");
    writeWholeFile(this->files(), path, patternBytes(100, 9));
    const auto fresh = patternBytes(10, 200);
    {
        FileBuffer file(this->files());
        ASSERT_EQ(file.open(path, kFileModeRecreate, 128).code, kFileOk);
        file.setBytes(fresh);
        std::int32_t start = 0, count = 10;
        ASSERT_EQ(file.write(start, count).code, kFileOk);
        EXPECT_EQ(start, 10);
        EXPECT_EQ(count, 10);
    }  // releasing the object closes the file
    EXPECT_EQ(readWholeFile(this->files(), path), fresh);
}

TYPED_TEST_P(FileContract, RecreateDeletesAReadOnlyHiddenFileWithForce) {
    const std::string path = this->at("geschützt.txt");
    writeWholeFile(this->files(), path, patternBytes(50));
    this->bed.makeReadOnlyAndHidden(path);
    FileBuffer file(this->files());
    ASSERT_EQ(file.open(path, kFileModeRecreate, 128).code, kFileOk);
    file.setBytes(patternBytes(4, 77));
    std::int32_t start = 0, count = 4;
    ASSERT_EQ(file.write(start, count).code, kFileOk);
    ASSERT_EQ(file.close().code, kFileOk);
    EXPECT_EQ(readWholeFile(this->files(), path), patternBytes(4, 77));
    const auto attributes = this->files().attributes(path);
    ASSERT_TRUE(attributes.has_value());
    EXPECT_EQ(*attributes & (kAttrReadOnly | kAttrHidden), 0u);
}

TYPED_TEST_P(FileContract, WriteClampsTheCountToTheData) {
    const std::string path = this->at("teil.bin");
    const auto data = patternBytes(10);
    FileBuffer file(this->files());
    ASSERT_EQ(file.open(path, kFileModeRecreate, 128).code, kFileOk);
    file.setBytes(data);
    std::int32_t start = 3, count = 100;
    ASSERT_EQ(file.write(start, count).code, kFileOk);
    EXPECT_EQ(count, 7);
    EXPECT_EQ(start, 10);
    ASSERT_EQ(file.close().code, kFileOk);
    EXPECT_EQ(readWholeFile(this->files(), path), std::vector<std::uint8_t>(data.begin() + 3, data.end()));
}

TYPED_TEST_P(FileContract, WriteRefusesAStartOutsideTheData) {
    FileBuffer file(this->files());
    ASSERT_EQ(file.open(this->at("x.bin"), kFileModeRecreate, 128).code, kFileOk);
    file.setBytes(patternBytes(10));
    for (std::int32_t badStart : {11, -1, 1 << 30}) {
        std::int32_t start = badStart, count = 5;
        EXPECT_EQ(file.write(start, count).code, kFileFailed) << "start " << badStart;
        EXPECT_EQ(start, badStart);
    }
    std::int32_t start = 10, count = 5;  // at the end: nothing left to write
    EXPECT_EQ(file.write(start, count).code, kFileOk);
    EXPECT_EQ(count, 0);
}

TYPED_TEST_P(FileContract, WriteOnAClosedObjectNamesThePath) {
    FileBuffer file(this->files());
    ASSERT_EQ(file.open(this->at("zu.txt"), kFileModePathOnly, 0).code, kFileOk);
    EXPECT_FALSE(file.isOpen());
    file.setBytes(patternBytes(3));
    std::int32_t start = 0, count = 3;
    const FileResult r = file.write(start, count);
    EXPECT_EQ(r.code, kFileNotOpen);
    EXPECT_EQ(r.message, "Fehler, Datei '" + this->at("zu.txt") +
                             "' ist nicht ge\xC3\xB6"
                             "ffnet!");
    EXPECT_EQ(file.readSizeFromHandle().code, kFileNotOpen);
    EXPECT_FALSE(this->files().exists(this->at("zu.txt")));
}

TYPED_TEST_P(FileContract, WriteWithoutDataWritesNothing) {
    const std::string path = this->at("nichts.bin");
    FileBuffer file(this->files());
    ASSERT_EQ(file.open(path, kFileModeRecreate, 128).code, kFileOk);
    file.setBytes({});
    std::int32_t start = 0, count = 0;
    EXPECT_EQ(file.write(start, count).code, kFileOk);
    ASSERT_EQ(file.close().code, kFileOk);
    EXPECT_TRUE(readWholeFile(this->files(), path).empty());
}

TYPED_TEST_P(FileContract, WriteModeKeepsTheFileAndTakesItsSize) {
    const std::string path = this->at("bleibt.bin");
    writeWholeFile(this->files(), path, patternBytes(30));
    FileBuffer file(this->files());
    ASSERT_EQ(file.open(path, kFileModeWrite, 128).code, kFileOk);
    EXPECT_EQ(file.FileSize(), 30);
    EXPECT_EQ(file.writeAttributes(), 128);
    // The size comes from the file, the data is empty: nothing may be read past the data.
    std::int32_t start = 0, count = 30;
    EXPECT_EQ(file.write(start, count).code, kFileOk);
    EXPECT_EQ(count, 0);
    ASSERT_EQ(file.close().code, kFileOk);
    EXPECT_EQ(readWholeFile(this->files(), path), patternBytes(30));
}

TYPED_TEST_P(FileContract, UnknownModesOpenNothing) {
    writeWholeFile(this->files(), this->at("da.txt"), patternBytes(5));
    FileBuffer file(this->files());
    for (std::int32_t mode : {3, 8, 18, -1}) {
        EXPECT_EQ(file.open(this->at("da.txt"), mode, 128).code, kFilePlatformFailed) << "mode " << mode;
        EXPECT_FALSE(file.isOpen());
    }
}

TYPED_TEST_P(FileContract, WritingIgnoresAttributesAFileCannotBeCreatedWith) {
    const std::string path = this->at("neu.txt");
    FileBuffer file(this->files());
    ASSERT_EQ(file.open(path, kFileModeRecreate, 0x4814 | 0x80).code, kFileOk);
    file.setBytes(patternBytes(2));
    std::int32_t start = 0, count = 2;
    ASSERT_EQ(file.write(start, count).code, kFileOk);
    ASSERT_EQ(file.close().code, kFileOk);
    const auto attributes = this->files().attributes(path);
    ASSERT_TRUE(attributes.has_value());
    EXPECT_EQ(*attributes & (kAttrDirectory | kAttrSystem), 0u);
    EXPECT_EQ(readWholeFile(this->files(), path), patternBytes(2));
}

TYPED_TEST_P(FileContract, OpeningASecondFileClosesTheFirst) {
    const std::string first = this->at("eins.bin"), second = this->at("zwei.bin");
    writeWholeFile(this->files(), second, patternBytes(8));
    FileBuffer file(this->files());
    ASSERT_EQ(file.open(first, kFileModeRecreate, 128).code, kFileOk);
    if (this->bed.enforcesExclusiveOpen()) {
        FileBuffer other(this->files());
        EXPECT_EQ(other.open(first, kFileModeRead, 128).code, kFilePlatformFailed) << "open for writing is exclusive";
    }
    ASSERT_EQ(file.open(second, kFileModeRead, 128).code, kFileOk);
    FileBuffer other(this->files());
    EXPECT_EQ(other.open(first, kFileModeRead, 128).code, kFileOk);
    // Reading shares the file with other readers.
    EXPECT_EQ(other.open(second, kFileModeRead, 128).code, kFileOk);
    ASSERT_EQ(file.read().code, kFileOk);
    EXPECT_EQ(file.Bytes(), patternBytes(8));
}

TYPED_TEST_P(FileContract, RecreateOnAFolderFails) {
    const std::string folder = this->at("Ordner");
    ASSERT_TRUE(this->files().createFolder(folder));
    FileBuffer file(this->files());
    EXPECT_EQ(file.open(folder, kFileModeRecreate, 128).code, kFilePlatformFailed);
    EXPECT_FALSE(file.isOpen());
    EXPECT_TRUE(this->files().exists(folder));
}

TYPED_TEST_P(FileContract, RenameNoReplaceNeverTakesATakenName) {
    const std::string source = this->at("neu.tmp"), free = this->at("frei.txt"), taken = this->at("belegt.txt");
    writeWholeFile(this->files(), source, patternBytes(5, 1));
    writeWholeFile(this->files(), taken, patternBytes(3, 9));
    EXPECT_FALSE(this->files().renameNoReplace(source, taken));
    EXPECT_EQ(readWholeFile(this->files(), taken), patternBytes(3, 9));
    EXPECT_EQ(readWholeFile(this->files(), source), patternBytes(5, 1));
    EXPECT_TRUE(this->files().renameNoReplace(source, free));
    EXPECT_FALSE(this->files().exists(source));
    EXPECT_EQ(readWholeFile(this->files(), free), patternBytes(5, 1));
}

TYPED_TEST_P(FileContract, CreateNewFlushAndAtomicCommits) {
    FileSystem& files = this->files();
    const std::string taken = this->at("belegt.txt");
    writeWholeFile(files, taken, patternBytes(3, 9));
    unsigned long error = 0;
    EXPECT_EQ(files.open({taken, kGenericWrite, kShareNone, kCreateNew, kAttrNormal}, &error), nullptr);
    EXPECT_EQ(error, kErrorFileExists);
    EXPECT_EQ(readWholeFile(files, taken), patternBytes(3, 9));

    AtomicFile never(files, taken, AtomicFile::Mode::NeverReplace);
    ASSERT_TRUE(never.create());
    ASSERT_TRUE(never.write(patternBytes(5, 1)));
    EXPECT_TRUE(never.file().flush());
    EXPECT_FALSE(never.commit()) << "the taken name is never replaced";
    EXPECT_EQ(readWholeFile(files, taken), patternBytes(3, 9));

    AtomicFile replacing(files, taken);
    ASSERT_TRUE(replacing.create());
    ASSERT_TRUE(replacing.write(patternBytes(5, 1)));
    EXPECT_TRUE(replacing.commit());
    EXPECT_EQ(readWholeFile(files, taken), patternBytes(5, 1));
    EXPECT_TRUE(files.find(this->at("*.~tmp*")).empty()) << "no temporary file is left";
}

// Past FlushBehind::kStep the file is flushed on another thread while the writes go on.
TYPED_TEST_P(FileContract, ABigFileFlushedBehindItsWritesKeepsEveryByteAndADroppedOneLeavesNothing) {
    FileSystem& files = this->files();
    const std::string target = this->at("gross.bin");
    const std::size_t piece = 1 << 20, pieces = static_cast<std::size_t>(FlushBehind::kStep * 2 / piece) + 3;
    std::vector<std::uint8_t> expected;
    {
        AtomicFile file(files, target);
        ASSERT_TRUE(file.create());
        for (std::size_t i = 0; i < pieces; ++i) {
            const auto bytes = patternBytes(piece, static_cast<std::uint8_t>(i));
            ASSERT_TRUE(file.write(bytes));
            expected.insert(expected.end(), bytes.begin(), bytes.end());
        }
        ASSERT_TRUE(file.commit());
    }
    EXPECT_TRUE(readWholeFile(files, target) == expected) << "the committed file differs from what was written";
    {
        AtomicFile dropped(files, target);
        ASSERT_TRUE(dropped.create());
        for (std::size_t i = 0; i < pieces; ++i) ASSERT_TRUE(dropped.write(patternBytes(piece, 9)));
    }  // dropped without a commit, a flush possibly still running
    EXPECT_TRUE(readWholeFile(files, target) == expected);
    EXPECT_TRUE(files.find(this->at("*.~tmp*")).empty()) << "no temporary file is left";
}

REGISTER_TYPED_TEST_SUITE_P(FileContract, OpeningAMissingFileFailsWithCode2, ReadsAWholeFile, SkipMovesOnWithoutReadingAndNeverPastTheEnd,
                            AnEmptyFileReadsAsOneZeroByte,
                            InformationModesTakeTheSizeOfTheFileJustOpened, RecreateReplacesALongerFileWholly,
                            RecreateDeletesAReadOnlyHiddenFileWithForce, WriteClampsTheCountToTheData, WriteRefusesAStartOutsideTheData,
                            WriteOnAClosedObjectNamesThePath, WriteWithoutDataWritesNothing, WriteModeKeepsTheFileAndTakesItsSize,
                            UnknownModesOpenNothing, WritingIgnoresAttributesAFileCannotBeCreatedWith, OpeningASecondFileClosesTheFirst,
                            RecreateOnAFolderFails, RenameNoReplaceNeverTakesATakenName, CreateNewFlushAndAtomicCommits,
                            ABigFileFlushedBehindItsWritesKeepsEveryByteAndADroppedOneLeavesNothing);

}  // namespace plenvik::test
