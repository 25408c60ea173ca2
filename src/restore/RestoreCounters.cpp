#include "restore/RestoreCounters.h"

#include "project/ProjectNames.h"

namespace plenvik {

std::string countsText(std::initializer_list<std::pair<int, const char*>> counts) {
    std::string text;
    for (const auto& [value, label] : counts) {
        if (!text.empty()) text += " - ";
        text += '(';
        text += formatZeroPadded(value, 4);
        text += ") ";
        text += label;
    }
    return text;
}

}  // namespace plenvik
