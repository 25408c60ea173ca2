#include "project/ProjectFileNameCheck.h"

#include "common/Text.h"

namespace plenvik {

std::string projectFileNameProblem(const std::string& name) {
    const std::string allowed = "Ein Dateiname darf keines der Zeichen \\ / : * ? \" < > | enthalten.";
    for (const char c : name)
        if (std::string("\\/:*?\"<>|").find(c) != std::string::npos || static_cast<unsigned char>(c) < 32)
            return "Der Dateiname '" + name + "' ist nicht zulässig. " + allowed;
    if (name.back() == ' ' || name.back() == '.')
        return "Der Dateiname '" + name + "' ist nicht zulässig: er darf nicht mit einem Leerzeichen oder Punkt enden.";
    // The device names stay reserved whatever extension follows.
    const std::string stem = toUpperAscii(name.substr(0, name.find('.')));
    for (const char* device : {"CON", "PRN", "AUX", "NUL", "COM1", "COM2", "COM3", "COM4", "COM5", "COM6", "COM7", "COM8",
                               "COM9", "LPT1", "LPT2", "LPT3", "LPT4", "LPT5", "LPT6", "LPT7", "LPT8", "LPT9"})
        if (stem == device) return "Der Dateiname '" + name + "' ist unter Windows für ein Gerät reserviert.";
    return {};
}

}  // namespace plenvik
