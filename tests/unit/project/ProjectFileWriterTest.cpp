#include "project/ProjectFileWriter.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

#include "errors/RuntimeError.h"
#include "platform/FileSystem.h"
#include "ProjectTestData.h"
#include "RecordingFile.h"

namespace plenvik {
namespace {

using testdata::goldenIcons;
using testdata::goldenMonitors;
using testdata::makeIcon;
using testdata::writeDataFor;

std::string writeToString(const ProjectWriteData& data, const ProjectWriteCallbacks& callbacks = {}) {
    StringSink sink;
    EXPECT_EQ(writeProjectFile(data, sink, callbacks), WriteOutcome::Completed);
    return sink.take();
}

std::size_t countOf(const std::string& text, const std::string& part) {
    std::size_t n = 0;
    for (auto pos = text.find(part); pos != std::string::npos; pos = text.find(part, pos + 1)) ++n;
    return n;
}

TEST(ProjectFileWriterTest, WritesTheGoldenFileByteForByte) {
    const auto icons = goldenIcons();
    const std::string written = writeToString(writeDataFor(icons, goldenMonitors()));
    const std::string golden = testdata::readBinaryFile(testdata::goldenPath());
    ASSERT_FALSE(golden.empty()) << "missing " << testdata::goldenPath();
    EXPECT_EQ(written, golden);
}

TEST(ProjectFileWriterTest, EmptyDesktopWritesAnEmptyIconList) {
    const std::string written = writeToString(writeDataFor({}, {}));
    EXPECT_NE(written.find("    <MonitorCount>0</MonitorCount>\r\n    <MONITOR_DATA>\r\n    </MONITOR_DATA>\r\n"), std::string::npos);
    EXPECT_NE(written.find("    <IconCount>0</IconCount>\r\n    <ICON_DATA>\r\n    </ICON_DATA>\r\n</DATA>\r\n"), std::string::npos);
}

TEST(ProjectFileWriterTest, NumbersElementsPastTheirMinimumDigits) {
    std::vector<MonitorRecord> monitors(10);
    for (int k = 0; k < 10; ++k) monitors[k].Nr = k + 1;
    std::vector<DesktopIcon> icons(1000);
    for (int j = 0; j < 1000; ++j) icons[j].PosOrder = j + 1;
    const std::string written = writeToString(writeDataFor(icons, monitors));
    EXPECT_EQ(countOf(written, "        <Monitor10>\r\n"), 1u);
    EXPECT_EQ(countOf(written, "        </Monitor10>\r\n"), 1u);
    EXPECT_EQ(countOf(written, "<Monitor010>"), 0u);
    EXPECT_EQ(countOf(written, "        <Icon999>\r\n"), 1u);
    EXPECT_EQ(countOf(written, "        <Icon1000>\r\n"), 1u);
    EXPECT_EQ(countOf(written, "<Icon0999>"), 0u);
    EXPECT_NE(written.find("<IconCount>1000</IconCount>"), std::string::npos);
    EXPECT_NE(written.find("<MonitorCount>10</MonitorCount>"), std::string::npos);
    // Every line ends with CR LF, none with a bare LF.
    EXPECT_EQ(countOf(written, "\n"), countOf(written, "\r\n"));
}

TEST(ProjectFileWriterTest, EscapesEveryNameAndConvertsToWindows1252) {
    const auto icons = std::vector<DesktopIcon>{makeIcon(1, "&amp; <x> \xE2\x82\xAC \xF0\x9F\x98\x80", 0, 0, "a&b.txt", "FILE", 16, 0, "")};
    auto data = writeDataFor(icons, {MonitorRecord{1, 0, 0, 1, 1, 1, 1, 60, 32, "\\\\.\\DISPLAY<1>&"}});
    data.computerName = "PC&<1>";
    data.userName = "\xE4\xB8\xAD";
    const std::string written = writeToString(data);
    EXPECT_NE(written.find("<Name>&amp;amp; &lt;x&gt; \x80 &#x1F600;</Name>"), std::string::npos);
    EXPECT_NE(written.find("<FileName>a&amp;b.txt</FileName>"), std::string::npos);
    EXPECT_NE(written.find("<ComputerName>PC&amp;&lt;1&gt;</ComputerName>"), std::string::npos);
    EXPECT_NE(written.find("<UserName>&#x4E2D;</UserName>"), std::string::npos);
    EXPECT_NE(written.find("<DeviceName>\\\\.\\DISPLAY&lt;1&gt;&amp;</DeviceName>"), std::string::npos);
}

TEST(ProjectFileWriterTest, LineBreaksAndControlsInNamesKeepTheLayout) {
    EXPECT_EQ(projectFileText("a\r\nb\tc"), "a&#xD;&#xA;b\tc");
    EXPECT_EQ(projectFileText(std::string("x\x01y", 3)), "x&#xFFFD;y");
    EXPECT_EQ(projectFileText("bad \xFF byte"), "bad &#xFFFD; byte");
}

TEST(ProjectFileWriterTest, StreamsContentsThroughTheCallbacks) {
    const auto icons = goldenIcons();
    auto data = writeDataFor(icons, goldenMonitors());
    data.screenPicture = "never written";
    std::vector<std::int32_t> asked;
    ProjectWriteCallbacks callbacks;
    callbacks.screenPicture = [](ByteSink& sink) {
        sink.write("/9j/");
        sink.write("4AAQSkZJRg");
    };
    callbacks.iconContent = [&](const ProjectFileIcon& entry, ByteSink& sink) {
        asked.push_back(entry.Nr);
        sink.write(entry.icon->FileData_BASE64);
    };
    // Streamed in pieces, the file is the same as with the contents given as text.
    EXPECT_EQ(writeToString(data, callbacks), testdata::readBinaryFile(testdata::goldenPath()));
    EXPECT_EQ(asked, (std::vector<std::int32_t>{3, 1, 2, 4, 5}));
}

TEST(ProjectFileWriterTest, AsksAfterEachPartAndStopsWhereToldTo) {
    const auto icons = goldenIcons();
    const auto data = writeDataFor(icons, goldenMonitors());
    std::vector<std::string> seen;
    ProjectWriteCallbacks callbacks;
    callbacks.progress = [&](const WriteProgress& p) {
        static const char* names[] = {"Picture", "Monitor", "Monitors", "Icon", "Icons"};
        seen.push_back(std::string(names[static_cast<int>(p.stage)]) + std::to_string(p.index));
        return WriteDecision::Continue;
    };
    writeToString(data, callbacks);
    EXPECT_EQ(seen, (std::vector<std::string>{"Picture0", "Monitor1", "Monitor2", "Monitors2", "Icon1", "Icon2", "Icon3", "Icon4", "Icon5",
                                              "Icons5"}));

    for (const auto& [stage, index, lastLine] : {std::tuple{WriteStage::Monitor, std::size_t{1}, std::string("        </Monitor01>\r\n")},
                                                 std::tuple{WriteStage::Icon, std::size_t{2}, std::string("        </Icon002>\r\n")},
                                                 std::tuple{WriteStage::Icons, std::size_t{5}, std::string("    </ICON_DATA>\r\n")}}) {
        // Copies: clang 14 cannot capture structured bindings.
        callbacks.progress = [stopStage = stage, stopIndex = index](const WriteProgress& p) {
            return p.stage == stopStage && p.index == stopIndex ? WriteDecision::Stop : WriteDecision::Continue;
        };
        StringSink sink;
        EXPECT_EQ(writeProjectFile(data, sink, callbacks), WriteOutcome::Stopped);
        const std::string& text = sink.text();
        ASSERT_GE(text.size(), lastLine.size());
        EXPECT_EQ(text.substr(text.size() - lastLine.size()), lastLine);
    }
}

TEST(ProjectFileWriterTest, FileSinkBuffersAndWritesEverything) {
    const auto icons = goldenIcons();
    const auto data = writeDataFor(icons, goldenMonitors());
    RecordingFile file;
    file.chunk = 7;  // short writes must be continued
    FileHandleSink sink(file, 64);
    EXPECT_EQ(writeProjectFile(data, sink), WriteOutcome::Completed);
    EXPECT_EQ(file.bytes, testdata::readBinaryFile(testdata::goldenPath()));
    EXPECT_EQ(sink.written(), file.bytes.size());

    RecordingFile big;
    FileHandleSink bigSink(big, 1024);
    bigSink.write(std::string(100, 'a'));
    EXPECT_EQ(big.calls, 0u);               // still buffered
    bigSink.write(std::string(5000, 'b'));  // larger than the buffer: goes through after the buffered bytes
    bigSink.flush();
    EXPECT_EQ(big.bytes, std::string(100, 'a') + std::string(5000, 'b'));
}

TEST(ProjectFileWriterTest, FailingFileRaisesARuntimeError) {
    const auto icons = goldenIcons();
    RecordingFile file;
    file.failing = true;
    FileHandleSink sink(file, 16);
    try {
        writeProjectFile(writeDataFor(icons, goldenMonitors()), sink);
        FAIL() << "a failing write must not be reported as success";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.number(), 57);
        EXPECT_FALSE(e.description().empty());
    }
}

TEST(ProjectFileWriterTest, FileIsWellFormedForXmllint) {
#ifdef _WIN32
    GTEST_SKIP() << "xmllint is a Linux tool";
#else
    auto icons = goldenIcons();
    icons.push_back(makeIcon(6, "&amp; \xF0\x9F\x98\x80 \xD0\x9F\xD1\x80\xD0\xB8 a\r\nb \x01", -5, -7, "x&y", "LINK", 16, 3, ""));
    auto data = writeDataFor(icons, goldenMonitors());
    data.userName = "a&b<c>";
    data.computerName = "\xC3\x84&";
    const auto path = std::filesystem::temp_directory_path() / "plenvik-xmllint-test.Plenvk";
    {
        std::ofstream out(path, std::ios::binary);
        out << writeToString(data);
    }
    const std::string command = "xmllint --noout '" + path.string() + "' 2>&1";
    const int status = std::system(command.c_str());
    std::filesystem::remove(path);
    EXPECT_EQ(status, 0) << command;
#endif
}

}  // namespace
}  // namespace plenvik
