#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "project/LnkFile.h"

namespace plenvik {
namespace {

std::vector<std::uint8_t> fixture(const std::string& name) {
    const std::filesystem::path path = std::filesystem::path(PLENVIK_TEST_DATA) / "lnk" / name;
    std::ifstream in(path, std::ios::binary);
    EXPECT_TRUE(in.good()) << path.string();
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The links in tests/data/lnk were made by Wine's link object (see the README there); these are the
// values they were made with.
TEST(LnkFileTest, ReadsALinkToAFileMadeByTheShell) {
    const LnkFile link = LnkFile::parse(fixture("Datei.lnk"));
    ASSERT_TRUE(link.valid);
    EXPECT_EQ(link.targetPath(), "C:\\PlenvikLnk\\Ziel M\xC3\xBCll \xE2\x82\xAC.txt");
    EXPECT_EQ(link.arguments, "--modus \"a b\"");
    EXPECT_EQ(link.name, "Beschreibung \xC3\xA4\xC3\xB6\xC3\xBC");
    EXPECT_EQ(link.workingDir, "C:\\PlenvikLnk");
    EXPECT_EQ(link.iconLocation, link.targetPath());
    EXPECT_EQ(link.iconIndex, 1);
    EXPECT_EQ(link.showCommand, 3u);
    EXPECT_EQ(link.hotKey, 0x0646);
    EXPECT_NE(link.linkFlags & LnkFile::kHasLinkTargetIdList, 0u) << "the reader skips an item-ID list";
}

TEST(LnkFileTest, ReadsLinksToAFolderAndToADeletedFile) {
    const LnkFile folder = LnkFile::parse(fixture("Ordner.lnk"));
    ASSERT_TRUE(folder.valid);
    EXPECT_EQ(folder.targetPath(), "C:\\PlenvikLnk\\Ordner");
    EXPECT_EQ(folder.arguments, "");
    const LnkFile orphan = LnkFile::parse(fixture("Verwaist.lnk"));
    ASSERT_TRUE(orphan.valid);
    EXPECT_EQ(orphan.targetPath(), "C:\\PlenvikLnk\\Gel\xC3\xB6scht.txt");
}

TEST(LnkFileTest, ADamagedFileGivesAnEmptyLink) {
    const LnkFile link = LnkFile::parse(fixture("Beschaedigt.lnk"));
    EXPECT_FALSE(link.valid);
    EXPECT_EQ(link.targetPath(), "");
    EXPECT_EQ(link.arguments, "");
    EXPECT_EQ(LnkFile::parse({}).valid, false);
    EXPECT_EQ(LnkFile::parse(std::vector<std::uint8_t>(76, 0)).valid, false);
}

// Every prefix of a good file is either rejected as a whole or, once the required parts are complete,
// read with the right target: never a partial or garbled path.
TEST(LnkFileTest, EveryTruncationGivesTheWholePathOrNone) {
    const auto whole = fixture("Datei.lnk");
    const std::string target = LnkFile::parse(whole).targetPath();
    ASSERT_FALSE(target.empty());
    for (std::size_t n = 0; n < whole.size(); ++n) {
        const LnkFile link = LnkFile::parse(std::vector<std::uint8_t>(whole.begin(), whole.begin() + n));
        EXPECT_TRUE(link.targetPath().empty() || link.targetPath() == target) << n << " bytes";
        EXPECT_EQ(link.valid, !link.targetPath().empty()) << n << " bytes";
    }
}

// Damage anywhere (every byte set to a few telling values) never makes the reader read outside the data.
TEST(LnkFileTest, DamagedBytesAnywhereAreSurvived) {
    for (const char* name : {"Datei.lnk", "Ordner.lnk"}) {
        const auto whole = fixture(name);
        for (std::size_t i = 0; i < whole.size(); ++i) {
            for (std::uint8_t value : {0x00, 0x7F, 0xFF}) {
                auto bytes = whole;
                bytes[i] = value;
                const LnkFile link = LnkFile::parse(bytes);
                if (link.valid) {
                    EXPECT_LE(link.targetPath().size(), 4 * whole.size());
                }
            }
        }
    }
}

TEST(LnkFileTest, WrittenLinksReadBackWithUnicodeAndLongPaths) {
    LnkFile link;
    link.localBasePath = "C:\\Daten\\" + std::string(300, 'x') + "\\\xE4\xB8\xAD\xE6\x96\x87.txt";  // 中文
    link.arguments = "-a \xE2\x82\xAC";
    link.name = "Notiz";
    link.workingDir = "C:\\Daten";
    link.iconLocation = "C:\\Windows\\a.ico";
    link.iconIndex = -3;
    link.showCommand = 7;
    link.hotKey = 0x0341;
    const LnkFile read = LnkFile::parse(link.serialise());
    ASSERT_TRUE(read.valid);
    EXPECT_EQ(read.targetPath(), link.localBasePath) << "not cut to MAX_PATH, not reduced to '?'";
    EXPECT_EQ(read.arguments, link.arguments);
    EXPECT_EQ(read.name, link.name);
    EXPECT_EQ(read.workingDir, link.workingDir);
    EXPECT_EQ(read.iconLocation, link.iconLocation);
    EXPECT_EQ(read.iconIndex, -3);
    EXPECT_EQ(read.showCommand, 7u);
    EXPECT_EQ(read.hotKey, 0x0341);
    EXPECT_EQ(read.relativePath, "");
}

TEST(LnkFileTest, ANetworkTargetJoinsShareAndSuffix) {
    // Header without item-ID list, link information with only the network part, no strings.
    std::vector<std::uint8_t> bytes = LnkFile{}.serialise();
    bytes.resize(0x4C);
    bytes[0x14] = LnkFile::kHasLinkInfo;
    bytes[0x15] = bytes[0x16] = bytes[0x17] = 0;
    const std::string share = "\\\\server\\daten", suffix = "Ordner\\a.txt";
    std::vector<std::uint8_t> info(0x1C, 0);
    auto set32 = [](std::vector<std::uint8_t>& v, std::size_t at, std::uint32_t x) {
        for (int i = 0; i < 4; ++i) v[at + i] = static_cast<std::uint8_t>(x >> (8 * i));
    };
    set32(info, 4, 0x1C);
    set32(info, 8, 2);  // CommonNetworkRelativeLinkAndPathSuffix
    set32(info, 20, 0x1C);
    std::vector<std::uint8_t> network(0x14, 0);
    set32(network, 8, 0x14);
    network.insert(network.end(), share.begin(), share.end());
    network.push_back(0);
    set32(network, 0, static_cast<std::uint32_t>(network.size()));
    info.insert(info.end(), network.begin(), network.end());
    set32(info, 24, static_cast<std::uint32_t>(info.size()));
    info.insert(info.end(), suffix.begin(), suffix.end());
    info.push_back(0);
    set32(info, 0, static_cast<std::uint32_t>(info.size()));
    bytes.insert(bytes.end(), info.begin(), info.end());
    bytes.insert(bytes.end(), 4, 0);

    const LnkFile link = LnkFile::parse(bytes);
    ASSERT_TRUE(link.valid);
    EXPECT_EQ(link.targetPath(), "\\\\server\\daten\\Ordner\\a.txt");
    // A share name without its NUL runs past the block: damaged.
    bytes[0x4C + 0x1C + 0x14 + share.size()] = 'x';
    EXPECT_FALSE(LnkFile::parse(bytes).valid);
}

}  // namespace
}  // namespace plenvik
