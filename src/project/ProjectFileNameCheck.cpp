#include "project/ProjectFileNameCheck.h"

#include <array>

#include "common/Text.h"

namespace plenvik {
namespace {

constexpr std::string_view kForbidden = "\\/:*?\"<>|";

constexpr std::array<std::string_view, 22> kDeviceNames{"CON",  "PRN",  "AUX",  "NUL",  "COM1", "COM2", "COM3", "COM4",
                                                        "COM5", "COM6", "COM7", "COM8", "COM9", "LPT1", "LPT2", "LPT3",
                                                        "LPT4", "LPT5", "LPT6", "LPT7", "LPT8", "LPT9"};

// The device names stay reserved whatever extension follows, and Windows ignores blanks before it.
bool namesDevice(std::string_view name) {
    const std::string stem = toUpperAscii(trimRight(name.substr(0, name.find('.'))));
    for (const std::string_view device : kDeviceNames)
        if (stem == device) return true;
    return false;
}

}  // namespace

FileNameFault fileNameFault(std::string_view name) {
    if (name.empty()) return FileNameFault::Empty;
    for (const char c : name)
        if (kForbidden.find(c) != std::string_view::npos || static_cast<unsigned char>(c) < 32) return FileNameFault::ForbiddenCharacter;
    if (name.back() == ' ' || name.back() == '.') return FileNameFault::TrailingBlankOrDot;
    if (namesDevice(name)) return FileNameFault::DeviceName;
    return FileNameFault::None;
}

std::string projectFileNameProblem(const std::string& name) {
    switch (fileNameFault(name)) {
    case FileNameFault::None: return {};
    case FileNameFault::Empty: return "Bitte geben Sie einen Dateinamen an.";
    case FileNameFault::ForbiddenCharacter:
        return "Der Dateiname '" + name + "' ist nicht zulässig. Ein Dateiname darf keines der Zeichen \\ / : * ? \" < > | enthalten.";
    case FileNameFault::TrailingBlankOrDot:
        return "Der Dateiname '" + name + "' ist nicht zulässig: er darf nicht mit einem Leerzeichen oder Punkt enden.";
    case FileNameFault::DeviceName: return "Der Dateiname '" + name + "' ist unter Windows für ein Gerät reserviert.";
    }
    return {};
}

}  // namespace plenvik
