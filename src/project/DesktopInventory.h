// The inventory: what lies behind each desktop icon - a file, a folder, a shell link (and whether its
// target still exists), an Internet shortcut or one of the shell's system icons - with the contents of
// files and links within the size limit.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "project/DesktopIcon.h"

namespace plenvik {

struct RunContext;

class ErrorHandler;
struct Platform;

// How the contents of files and links are taken.
enum class ContentMode {
    Load,   // Base64 into FileData_BASE64 now
    Skip,   // plain files carry no contents (links still do): the current-desktop view
    Defer,  // only the path is kept (ContentPath); the save streams the bytes when it writes the file
};

struct InventoryContext {
    Platform& platform;
    ErrorHandler& errors;
    std::int32_t fileSizeMaxKiB = 500;
    long windowHandle = 0;
    // The main window's status line: read and set (each change lets pending events run).
    std::function<std::string()> info;
    std::function<void(const std::string&)> setInfo;
    // A protocol entry of the running run (no new run, no separator).
    std::function<void(const std::string&)> log;
};

// An inventory within a run: the run's platform, handler, file size limit, status line and protocol.
InventoryContext inventoryContextOf(const RunContext& run);

// Fills the file fields of the icons: all of them (index 0; table[0] is unused) or the one at index.
// True when it ran to its end.
bool inventoryIconFiles(InventoryContext& context, std::vector<DesktopIcon>& table, std::int32_t index, ContentMode contents);

// The class identifier of the system icon that carries this label ("" when none does). Always true.
bool systemIconClassId(Platform& platform, const std::string& label, std::string& classId);
// Makes a system icon visible again under the label (the label is written when it differs). False, with
// nothing written, when classId is not one of the known system icons.
bool unhideSystemIcon(Platform& platform, const std::string& classId, const std::string& label);

// The file name without every ".lnk" and ".url", in any case ("a.lnk.txt" gives "a.txt").
std::string iconBaseName(const std::string& fileName);

}  // namespace plenvik
