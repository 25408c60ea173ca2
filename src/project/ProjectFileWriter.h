// Writes a project file: windows-1252 text, CR LF lines, the elements in their fixed order. The file
// is streamed into a sink; the embedded contents (the picture, each icon's file) may be streamed by
// the caller too, so that no file content has to be held as one text.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "display/MonitorRecord.h"
#include "project/ByteSink.h"
#include "project/DesktopIcon.h"

namespace plenvik {

// One icon in the order it is written; Nr is its index in the save's icon table.
struct ProjectFileIcon {
    std::int32_t Nr = 0;
    const DesktopIcon* icon = nullptr;
};

struct ProjectWriteData {
    std::string version;  // "03.01.0001"
    std::string computerName;
    std::string userName;
    std::string dateTime;           // the save time in the regional general date form
    std::int32_t arrangeStyle = 0;  // 5: icons snap to the grid, 0: they do not
    std::int32_t viewStyle = 0;     // the desktop list view's window style word
    std::string screenPicture;      // Base64 of the JPEG, unless a picture writer is given
    float horizontalOperator = 1.0f;
    float verticalOperator = 1.0f;
    char decimalSeparator = ',';          // of the writing system's regional settings
    std::vector<MonitorRecord> monitors;  // in table order: the k-th becomes Monitor k
    std::vector<ProjectFileIcon> icons;   // in the order to write: the j-th becomes Icon j
};

// Where the writer stands when it asks whether to go on.
enum class WriteStage {
    Picture,   // the picture and its two factors are written
    Monitor,   // monitor `index` (from 1) is written
    Monitors,  // all monitors are written
    Icon,      // icon `index` (from 1) is written
    Icons,     // all icons are written; only the closing lines are left
};

struct WriteProgress {
    WriteStage stage;
    std::size_t index = 0;
};

enum class WriteDecision { Continue, Stop };
enum class WriteOutcome { Completed, Stopped };

struct ProjectWriteCallbacks {
    // Writes the picture's Base64 text into the sink; without it data.screenPicture is written.
    std::function<void(ByteSink&)> screenPicture;
    // Writes the Base64 text of an icon's content into the sink; without it the icon's
    // FileData_BASE64 is written. Base64 is plain ASCII, so it goes into the file unchanged.
    std::function<void(const ProjectFileIcon&, ByteSink&)> iconContent;
    // Called right before an icon's element is written: the last moment to settle what it says
    // (FileReasonNotLoaded comes before the content).
    std::function<void(const ProjectFileIcon&)> beforeIcon;
    // Asked after the picture, after each monitor and icon and after each of the two lists; Stop
    // ends the writing at once, with the lines so far flushed (the file is then incomplete).
    std::function<WriteDecision(const WriteProgress&)> progress;
};

// Writes the whole file into the sink and flushes it. Throws RuntimeError when the sink fails.
WriteOutcome writeProjectFile(const ProjectWriteData& data, ByteSink& sink, const ProjectWriteCallbacks& callbacks = {});

// A text value as the file holds it: escaped with escapeXmlText, line breaks and characters that
// XML cannot carry made safe, and converted to windows-1252 with every other character written as a
// numeric character reference, so that a label in any script survives.
std::string projectFileText(std::string_view utf8);

}  // namespace plenvik
