#include "project/ProjectFileReader.h"

#include <gtest/gtest.h>

#include "ProjectTestData.h"
#include "common/Text.h"
#include "project/ProjectFileWriter.h"

namespace plenvik {
namespace {

using testdata::goldenIcons;
using testdata::goldenMonitors;
using testdata::makeIcon;
using testdata::writeDataFor;

std::string fileFor(const std::vector<DesktopIcon>& icons, const std::vector<MonitorRecord>& monitors) {
    StringSink sink;
    writeProjectFile(writeDataFor(icons, monitors), sink);
    return sink.take();
}

ProjectDocument readOk(std::string_view bytes) {
    const auto result = readProjectFile(bytes);
    EXPECT_TRUE(result.ok()) << result.error.message();
    return result.document;
}

// A file of the given text between the declaration and </DATA> (lines joined with CR LF).
std::string projectWith(const std::string& body) {
    return "<?xml version=\"1.0\" encoding=\"windows-1252\"?>\r\n<DATA>\r\n" + body + "</DATA>\r\n";
}

const std::string kHeaderAndPicture =
    "<OrvelVersion>03.01.0001</OrvelVersion><ComputerName>PC01</ComputerName><UserName>admin</UserName>"
    "<DateTime>06.12.2007 11:16:20</DateTime><DesktopArrangeStyle>0</DesktopArrangeStyle>"
    "<DesktopViewStyle>-1</DesktopViewStyle><ScreenPicture>QQ</ScreenPicture>"
    "<ScreenPictureHorizontalOperator>12,5</ScreenPictureHorizontalOperator>"
    "<ScreenPictureVerticalOperator>12.5</ScreenPictureVerticalOperator>";

const std::string kIconFields =
    "<Name>x</Name><PosX>1</PosX><PosY>2</PosY><FileName></FileName><FileType>LINK</FileType>"
    "<FileShellFolderType>16</FileShellFolderType><FileReasonNotLoaded>3</FileReasonNotLoaded>"
    "<FileData_BASE64>QUI</FileData_BASE64>";

TEST(ProjectFileReaderTest, ReadsTheGoldenFile) {
    const std::string golden = testdata::readBinaryFile(testdata::goldenPath());
    const ProjectDocument doc = readOk(golden);
    EXPECT_EQ(doc.header, (ProjectHeader{"03.01.0001", "PC01", "M\xC3\xBCller&Co", "06.12.2007 11:16:20", "2", "5", "1442855500", "5"}));
    EXPECT_EQ(doc.viewStyle, 1442855500);
    EXPECT_EQ(doc.arrangeStyle, 5);
    EXPECT_EQ(doc.screenPicture, "/9j/4AAQSkZJRg");
    EXPECT_EQ(doc.horizontalOperator, 12.5f);
    EXPECT_EQ(doc.verticalOperator, 9.375f);
    EXPECT_EQ(doc.monitors, goldenMonitors());
    EXPECT_EQ(doc.icons, goldenIcons());

    const auto header = readProjectHeader(golden);
    ASSERT_TRUE(header.ok()) << header.error.message();
    EXPECT_EQ(header.header, doc.header);
}

TEST(ProjectFileReaderTest, RoundTripKeepsEveryLabel) {
    std::vector<DesktopIcon> icons = {
        makeIcon(1, "A&B <1>", -1280, -10, "A&B <1>.txt", "FILE", 16, 0, "QQ"),
        makeIcon(2, "&amp; &lt; >", 0, 0, "&amp;.txt", "FILE", 25, 0, "QUI"),
        makeIcon(3, "\xC3\x84rger \xC3\xB6\xC3\xBC\xC3\x9F \xE2\x82\xAC", 2147483647, -2147483647 - 1, "", "", 0, 0, ""),
        makeIcon(4, "\xE4\xB8\xAD\xE6\x96\x87 \xF0\x9F\x98\x80 \xD0\x9F\xD1\x80\xD0\xB8", 5, 5, "\xE4\xB8\xAD\xE6\x96\x87.lnk", "FILELINK",
                 16, 0, "QUJD"),
        makeIcon(5, "  spaces around  ", 1, 1, "   ", "FOLDER", 16, 0, ""),
        makeIcon(6, "line\r\nbreak\tand tab", 1, 2, "a\nb", "LINK", 16, 3, ""),
        makeIcon(7, "", 0, 0, "", "{20D04FE0-3AEA-1069-A2D8-08002B30309D}", 0, 0, ""),
        makeIcon(8, "\xC2\x81\xC2\x8D control bytes of windows-1252", 3, 3, "", "ERRLINK", 16, 2, ""),
    };
    std::vector<MonitorRecord> monitors = {
        MonitorRecord{1, -1280, -200, 0, 824, 1280, 1024, 75, 16, "\\\\.\\DISPLAY2 & <b>"},
        MonitorRecord{2, 0, 0, 800, 600, 800, 600, 0, -32768, ""},
    };
    auto data = writeDataFor(icons, monitors);
    data.computerName = "PC&<1>";
    data.userName = "\xE4\xB8\xAD & \xC3\xA4";
    StringSink sink;
    writeProjectFile(data, sink);

    const ProjectDocument doc = readOk(sink.text());
    EXPECT_EQ(doc.icons, icons);
    EXPECT_EQ(doc.monitors, monitors);
    EXPECT_EQ(doc.header.ComputerName, "PC&<1>");
    EXPECT_EQ(doc.header.UserName, "\xE4\xB8\xAD & \xC3\xA4");
    EXPECT_EQ(doc.header.MonitorCount, "2");
    EXPECT_EQ(doc.header.IconCount, "8");
}

TEST(ProjectFileReaderTest, RoundTripOfEmptyAndLargeLists) {
    EXPECT_TRUE(readOk(fileFor({}, {})).icons.empty());

    std::vector<MonitorRecord> monitors;
    for (int k = 1; k <= 12; ++k)
        monitors.push_back(MonitorRecord{k, k * 100, -k, k * 100 + 99, 50, 99, 50 + k, 60, 32, "\\\\.\\DISPLAY" + std::to_string(k)});
    std::vector<DesktopIcon> icons;
    for (int j = 1; j <= 1005; ++j) {
        const std::string number = std::to_string(j);  // appended: GCC 12 warns wrongly on "literal" + string
        icons.push_back(makeIcon(j, std::string("Icon ").append(number), j * 3 - 2000, j % 17, std::string("f").append(number), "FILE", 16,
                                 0, std::string(static_cast<std::size_t>(j % 5), 'A')));
    }
    const ProjectDocument doc = readOk(fileFor(icons, monitors));
    EXPECT_EQ(doc.monitors, monitors);
    EXPECT_EQ(doc.icons, icons);
}

TEST(ProjectFileReaderTest, FindsItemsByPositionNotByNameOrCount) {
    const std::string file = projectWith(kHeaderAndPicture +
                                         "<MonitorCount>7</MonitorCount><MONITOR_DATA><!-- none --></MONITOR_DATA>"
                                         "<IconCount>1</IconCount><ICON_DATA>"
                                         "<Icon007><Nr>9</Nr>" +
                                         kIconFields +
                                         "</Icon007>"
                                         "<Something><Nr>4</Nr>" +
                                         kIconFields +
                                         "</Something>"
                                         "<Icon007><FileType>FILE</FileType><Nr>1</Nr>" +
                                         kIconFields +
                                         "</Icon007>"
                                         "</ICON_DATA>");
    const ProjectDocument doc = readOk(file);
    EXPECT_TRUE(doc.monitors.empty());
    ASSERT_EQ(doc.icons.size(), 3u);
    EXPECT_EQ(doc.icons[0].PosOrder, 9);
    EXPECT_EQ(doc.icons[1].PosOrder, 4);
    EXPECT_EQ(doc.icons[2].PosOrder, 1);
    EXPECT_EQ(doc.icons[2].FileType, "FILE");  // the first of a name counts
    // Older codes, the permission reason and unpadded Base64 are taken as they are.
    EXPECT_EQ(doc.icons[0].FileType, "LINK");
    EXPECT_EQ(doc.icons[0].FileReasonNotLoaded, 3);
    EXPECT_EQ(doc.icons[0].FileData_BASE64, "QUI");
    EXPECT_EQ(doc.screenPicture, "QQ");
    // A factor written with a point reads the same as one written with a comma.
    EXPECT_EQ(doc.horizontalOperator, 12.5f);
    EXPECT_EQ(doc.verticalOperator, 12.5f);
    EXPECT_EQ(doc.viewStyle, -1);
}

TEST(ProjectFileReaderTest, ReadsOtherDeclarationsAndUtf8Files) {
    const std::string body = kHeaderAndPicture + "<MONITOR_DATA/><ICON_DATA><I><Nr>1</Nr><Name>\xE4\xB8\xAD</Name>" +
                             kIconFields.substr(std::string("<Name>x</Name>").size()) + "</I></ICON_DATA></DATA>";
    const std::string expected = "\xE4\xB8\xAD";
    const std::string files[] = {
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?><DATA>" + body,
        "\xEF\xBB\xBF<?xml version=\"1.0\"?><DATA>" + body,
        "<?xml version='1.0' encoding = 'utf-8' standalone='yes' ?><DATA>" + body,
    };
    // A value split by a comment reads whole.
    EXPECT_EQ(readOk(replaceAll(files[0], "\xE4\xB8\xAD", "a<!-- x -->b<![CDATA[c]]>")).icons.at(0).Name, "abc");

    // The reading that gives up its bytes (taken over or freed) reads each encoding the same.
    for (const auto& file : files) {
        EXPECT_EQ(readOk(file).icons.at(0).Name, expected) << file.substr(0, 60);
        EXPECT_EQ(readProjectFileReleasing(std::string(file)).document.icons.at(0).Name, expected) << file.substr(0, 60);
    }

    // windows-1252 declared with single quotes and blanks: the byte 0x80 is the euro sign.
    const std::string cp1252 = "<?xml version='1.0'  encoding = 'Windows-1252'?><DATA>" + replaceAll(body, "\xE4\xB8\xAD", "\x80");
    EXPECT_EQ(readOk(cp1252).icons.at(0).Name, "\xE2\x82\xAC");
    EXPECT_EQ(readProjectFileReleasing(std::string(cp1252)).document.icons.at(0).Name, "\xE2\x82\xAC");
}

TEST(ProjectFileReaderTest, ReportsWhereAFileIsNotXml) {
    const struct {
        std::string bytes;
        std::size_t offset, line, column;
        std::string source;
    } cases[] = {
        {"this is not xml", 14, 1, 15, "this is not xml"},
        {"", 0, 1, 1, ""},
        {"<DATA>\r\n  <A>\r\n</DATA>\r\n", 17, 3, 3, "</DATA>"},
        // Positions count the file's bytes: the three windows-1252 letters are one byte each.
        {"<DATA><N>\xE4\xF6\x80</N><</DATA>", 17, 1, 18, "<DATA><N>\xC3\xA4\xC3\xB6\xE2\x82\xAC</N><</DATA>"},
    };
    for (const auto& c : cases) {
        for (const bool headerOnly : {true, false}) {
            const ProjectReadError error = headerOnly ? readProjectHeader(c.bytes).error : readProjectFile(c.bytes).error;
            ASSERT_EQ(error.status, ProjectReadStatus::ParseError) << c.bytes;
            EXPECT_FALSE(error.parse.reason.empty());
            EXPECT_EQ(error.parse.offset, c.offset) << c.bytes;
            EXPECT_EQ(error.parse.line, c.line) << c.bytes;
            EXPECT_EQ(error.parse.linePosition, c.column) << c.bytes;
            EXPECT_EQ(error.parse.sourceText, c.source) << c.bytes;
            EXPECT_NE(error.message().find(error.parse.reason), std::string::npos);
        }
    }
}

TEST(ProjectFileReaderTest, SourceTextOfALongLineIsCutAroundThePosition) {
    const std::string file = "<DATA><P>" + std::string(5000, 'A') + "</Q>" + std::string(5000, 'B') + "</DATA>";
    const auto error = readProjectFile(file).error;
    ASSERT_EQ(error.status, ProjectReadStatus::ParseError);
    EXPECT_LE(error.parse.sourceText.size(), 200u);
    EXPECT_NE(error.parse.sourceText.find("</Q>"), std::string::npos);
}

TEST(ProjectFileReaderTest, EveryTruncationOfAFileIsAnError) {
    const std::string golden = testdata::readBinaryFile(testdata::goldenPath());
    const std::size_t complete = golden.rfind("</DATA>") + 7;
    for (std::size_t size = 0; size < complete; ++size) {
        const std::string_view cut(golden.data(), size);
        const auto full = readProjectFile(cut);
        ASSERT_EQ(full.error.status, ProjectReadStatus::ParseError) << "cut at " << size;
        EXPECT_LE(full.error.parse.offset, size);
        EXPECT_TRUE(full.document.icons.empty());
        ASSERT_EQ(readProjectHeader(cut).error.status, ProjectReadStatus::ParseError) << "cut at " << size;
    }
    // Without its last line end the file is still complete.
    EXPECT_TRUE(readProjectFile(std::string_view(golden.data(), complete)).ok());
}

TEST(ProjectFileReaderTest, ReportsAMissingDataRoot) {
    for (const std::string& file :
         {std::string("<?xml version=\"1.0\" encoding=\"windows-1252\"?>\r\n<ROOT><DATA/></ROOT>\r\n"), std::string("<data></data>")}) {
        const auto header = readProjectHeader(file);
        EXPECT_EQ(header.error.status, ProjectReadStatus::NoDataRoot);
        EXPECT_EQ(readProjectFile(file).error.status, ProjectReadStatus::NoDataRoot);
        EXPECT_EQ(header.error.message(), "Die Projektdatei enthält kein Element 'DATA'.");
    }
}

TEST(ProjectFileReaderTest, NamesTheElementThatIsMissingOrNotANumber) {
    const struct {
        std::string body;
        ProjectReadStatus status;
        std::string element, text;
    } cases[] = {
        {kHeaderAndPicture + "<MONITOR_DATA/>", ProjectReadStatus::MissingElement, "DATA/ICON_DATA", ""},
        {kHeaderAndPicture + "<ICON_DATA/>", ProjectReadStatus::MissingElement, "DATA/MONITOR_DATA", ""},
        {kHeaderAndPicture + "<MONITOR_DATA/><ICON_DATA><Icon001><Nr>1</Nr>" + kIconFields +
             "</Icon001><Icon002><Nr>2</Nr><Name>y</Name></Icon002></ICON_DATA>",
         ProjectReadStatus::MissingElement, "DATA/ICON_DATA/Icon002/PosX", ""},
        {kHeaderAndPicture + "<MONITOR_DATA/><ICON_DATA><Icon001><Nr>eins</Nr>" + kIconFields + "</Icon001></ICON_DATA>",
         ProjectReadStatus::NotANumber, "DATA/ICON_DATA/Icon001/Nr", "eins"},
        {kHeaderAndPicture + "<MONITOR_DATA><Monitor01><Nr>1</Nr><Left>0</Left><Top>0</Top><Right>1</Right>"
                             "<Bottom>1</Bottom><Width>1</Width><Height>1</Height><Frequency>60</Frequency>"
                             "<ColorDepth>40000</ColorDepth><DeviceName/></Monitor01></MONITOR_DATA><ICON_DATA/>",
         ProjectReadStatus::NotANumber, "DATA/MONITOR_DATA/Monitor01/ColorDepth", "40000"},
        {replaceAll(kHeaderAndPicture, "<DesktopViewStyle>-1<", "<DesktopViewStyle>1.5<") + "<MONITOR_DATA/><ICON_DATA/>",
         ProjectReadStatus::NotANumber, "DATA/DesktopViewStyle", "1.5"},
        {replaceAll(kHeaderAndPicture, "12,5</ScreenPictureHorizontalOperator>", "1.234,5</ScreenPictureHorizontalOperator>") +
             "<MONITOR_DATA/><ICON_DATA/>",
         ProjectReadStatus::NotANumber, "DATA/ScreenPictureHorizontalOperator", "1.234,5"},
    };
    for (const auto& c : cases) {
        const auto result = readProjectFile(projectWith(c.body));
        EXPECT_EQ(result.error.status, c.status) << c.element;
        EXPECT_EQ(result.error.element, c.element);
        EXPECT_EQ(result.error.text, c.text);
        EXPECT_NE(result.error.message().find(c.element), std::string::npos) << result.error.message();
        EXPECT_TRUE(result.document.icons.empty());
    }
}

TEST(ProjectFileReaderTest, HeaderReadNeedsAllEightHeaderElements) {
    const std::string withoutUser = projectWith(replaceAll(kHeaderAndPicture, "<UserName>admin</UserName>", "") +
                                                "<MonitorCount>0</MonitorCount><IconCount>0</IconCount>"
                                                "<MONITOR_DATA/><ICON_DATA/>");
    const auto header = readProjectHeader(withoutUser);
    EXPECT_EQ(header.error.status, ProjectReadStatus::MissingElement);
    EXPECT_EQ(header.error.element, "DATA/UserName");
    // The full read needs only what it lays out; a missing user name stays empty.
    const auto full = readProjectFile(withoutUser);
    ASSERT_TRUE(full.ok()) << full.error.message();
    EXPECT_EQ(full.document.header.UserName, "");
    EXPECT_EQ(full.document.header.ComputerName, "PC01");
}

}  // namespace
}  // namespace plenvik
