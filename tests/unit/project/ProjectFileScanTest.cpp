// A big damaged project file is not read whole: the error of its lean reading, placed in the file,
// must be the one the whole reading reports.
#include "project/ProjectFileScan.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "ProjectTestData.h"
#include "support/MemoryFileSystem.h"

namespace plenvik {
namespace {

// The golden project with three icons whose contents run over several lines.
std::string projectWithContents() {
    const std::string golden = testdata::readBinaryFile(testdata::goldenPath());
    const std::size_t from = golden.find("<ICON_DATA>") + 11, to = golden.find("</ICON_DATA>");
    std::string icons = "\r\n";
    for (int i = 1; i <= 3; ++i) {
        std::string content;
        for (int line = 0; line < 3 + i; ++line) content += std::string(76, static_cast<char>('A' + line)) + "\r\n";
        const std::string n = std::to_string(i);
        icons += "<Icon" + n + "><Nr>" + n + "</Nr><Name>D\xE4tei " + n + "</Name><PosX>" + n + "</PosX><PosY>7</PosY><FileName>D" + n +
                 ".txt</FileName><FileType>FILE</FileType><FileShellFolderType>16</FileShellFolderType><FileReasonNotLoaded>0"
                 "</FileReasonNotLoaded><FileData_BASE64>" +
                 content + "QUJD</FileData_BASE64></Icon" + n + ">\r\n";
    }
    return golden.substr(0, from) + icons + golden.substr(to);
}

std::string replaceNth(std::string text, const std::string& what, const std::string& with, int nth) {
    std::size_t at = text.find(what);
    for (int i = 1; i < nth; ++i) at = text.find(what, at + 1);
    return text.replace(at, what.size(), with);
}

TEST(ProjectFileScanTest, ABigDamagedFilesErrorIsPlacedAsTheWholeReadingPlacesIt) {
    const std::string whole = projectWithContents();
    const std::string second = "QUJD</FileData_BASE64></Icon2>";
    const struct {
        const char* what;
        std::string text;
    } damaged[] = {
        {"cut inside a content", whole.substr(0, whole.find("CCCC", whole.find("<Icon2>")))},
        {"cut after a content", whole.substr(0, whole.find(second) + 22)},
        {"bad tag after a content on its line", replaceNth(whole, second, "QUJD</FileData_BASE64><</Icon2>", 1)},
        {"close tag broken after a content", replaceNth(whole, "</FileData_BASE64>", "</FileData_BASE64 !>", 2)},
        {"mismatched tag lines after the contents", replaceNth(whole, "<PosX>3</PosX>", "<PosX>3</PosY>", 1)},
        {"umlaut before the error on its line", replaceNth(whole, "</Name><PosX>3", "</Nme><PosX>3", 1)},
    };
    for (const auto& d : damaged) {
        test::MemoryFileSystem files;
        files.files["C:\\p.Plenvk"] = d.text;
        const auto placed = scanProjectFile(files, "C:\\p.Plenvk", 0);
        const auto read = scanProjectFile(files, "C:\\p.Plenvk", std::numeric_limits<std::uint64_t>::max());
        ASSERT_TRUE(placed && read) << d.what;
        ASSERT_FALSE(read->result.ok()) << d.what;
        const XmlParseError &p = placed->result.error.parse, &r = read->result.error.parse;
        EXPECT_EQ(placed->result.error.status, read->result.error.status) << d.what;
        EXPECT_EQ(p.offset, r.offset) << d.what;
        EXPECT_EQ(p.line, r.line) << d.what;
        EXPECT_EQ(p.linePosition, r.linePosition) << d.what;
        EXPECT_EQ(p.sourceText, r.sourceText) << d.what;
        EXPECT_EQ(placed->result.error.message(), read->result.error.message()) << d.what;
    }
}

// The file system hands the scan pieces of any size: the tags and texts it looks for are cut anywhere.
TEST(ProjectFileScanTest, ReadsCutAnywhereFindTheSameContentsAndErrors) {
    const std::string whole = projectWithContents();
    for (const std::string& text : {whole, replaceNth(whole, "</FileData_BASE64>", "</FileData_BASE64 !>", 2)}) {
        test::MemoryFileSystem files;
        files.files["C:\\p.Plenvk"] = text;
        const auto expected = scanProjectFile(files, "C:\\p.Plenvk");
        ASSERT_TRUE(expected);
        for (const std::size_t limit : {1, 2, 3, 7, 17, 18, 19, 100}) {
            SCOPED_TRACE(limit);
            files.readLimit = limit;
            const auto cut = scanProjectFile(files, "C:\\p.Plenvk");
            ASSERT_TRUE(cut);
            ASSERT_EQ(cut->result.ok(), expected->result.ok());
            EXPECT_EQ(cut->result.error.message(), expected->result.error.message());
            const auto &icons = cut->result.document.icons, &expectedIcons = expected->result.document.icons;
            ASSERT_EQ(icons.size(), expectedIcons.size());
            for (std::size_t i = 0; i < icons.size(); ++i) {
                EXPECT_EQ(icons[i].ContentOffset, expectedIcons[i].ContentOffset);
                EXPECT_EQ(icons[i].ContentLength, expectedIcons[i].ContentLength);
                EXPECT_EQ(icons[i].FileData_BASE64, expectedIcons[i].FileData_BASE64);
            }
        }
    }
}

}  // namespace
}  // namespace plenvik
