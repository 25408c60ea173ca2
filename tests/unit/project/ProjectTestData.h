// The project shared by the writer's and the reader's tests: the content of
// tests/data/project/golden.Plenvk (see the README.md beside it).
#pragma once

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "display/MonitorRecord.h"
#include "project/DesktopIcon.h"
#include "project/ProjectFileWriter.h"

namespace plenvik::testdata {

inline std::string readBinaryFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline std::string goldenPath() { return std::string(PLENVIK_TEST_DATA) + "/project/golden.Plenvk"; }

inline DesktopIcon makeIcon(std::int32_t nr, std::string name, std::int32_t x, std::int32_t y, std::string fileName, std::string type,
                            std::int32_t folder, std::int32_t reason, std::string base64) {
    DesktopIcon icon;
    icon.PosOrder = nr;
    icon.Name = std::move(name);
    icon.PosX = x;
    icon.PosY = y;
    icon.FileName = std::move(fileName);
    icon.FileType = std::move(type);
    icon.FileShellFolderType = folder;
    icon.FileReasonNotLoaded = reason;
    icon.FileData_BASE64 = std::move(base64);
    return icon;
}

// The golden project's icons in the order they are written (sorted by position key).
inline std::vector<DesktopIcon> goldenIcons() {
    return {
        makeIcon(3, "A&B <1>", -1200, 10, "A&B <1>.txt", "FILE", 16, 0, "QQ"),  // "A": 1 byte, 2 characters
        makeIcon(1, "Papierkorb", 75, 320, "", "{645FF040-5081-101B-9F08-00AA002F954E}", 0, 0, ""),
        makeIcon(2,
                 "Gr\xC3\xBC\xC3\x9F"
                 "e \xE2\x82\xAC",
                 75, 400,
                 "Gr\xC3\xBC\xC3\x9F"
                 "e \xE2\x82\xAC.lnk",
                 "ERRLINK", 25, 2, ""),
        makeIcon(4, "\xE4\xB8\xAD\xE6\x96\x87", 150, 20, "\xE4\xB8\xAD\xE6\x96\x87.txt", "FILE", 16, 0, "QUI"),  // "AB"
        makeIcon(5,
                 "Gro\xC3\x9F"
                 "es Video",
                 150, 100,
                 "Gro\xC3\x9F"
                 "es Video.avi",
                 "FILE", 16, 1, ""),
    };
}

inline std::vector<MonitorRecord> goldenMonitors() {
    return {
        MonitorRecord{1, -1280, 0, 0, 1024, 1280, 1024, 60, 32, "\\\\.\\DISPLAY2"},
        MonitorRecord{2, 0, 0, 1920, 1080, 1920, 1080, 144, 32, "\\\\.\\DISPLAY1"},
    };
}

// Write data for a list of icons, each written with its PosOrder as Nr.
inline ProjectWriteData writeDataFor(const std::vector<DesktopIcon>& icons, std::vector<MonitorRecord> monitors) {
    ProjectWriteData data;
    data.version = "03.01.0001";
    data.computerName = "PC01";
    data.userName = "M\xC3\xBCller&Co";
    data.dateTime = "06.12.2007 11:16:20";
    data.arrangeStyle = 5;
    data.viewStyle = 1442855500;
    data.screenPicture = "/9j/4AAQSkZJRg";
    data.horizontalOperator = 12.5f;
    data.verticalOperator = 9.375f;
    data.decimalSeparator = ',';
    data.monitors = std::move(monitors);
    for (const auto& icon : icons) data.icons.push_back(ProjectFileIcon{icon.PosOrder, &icon});
    return data;
}

}  // namespace plenvik::testdata
