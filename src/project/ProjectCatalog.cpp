#include "project/ProjectCatalog.h"

#include <cstdio>
#include <optional>

#include "platform/Clock.h"
#include "system/FileBytes.h"
#include "project/ProjectNames.h"

namespace plenvik {
namespace {

bool validTime(const LocalTime& t) {
    return t.year >= 1900 && t.month >= 1 && t.month <= 12 && t.day >= 1 && t.day <= 31 && t.hour >= 0 && t.hour < 24 && t.minute >= 0 &&
           t.minute < 60 && t.second >= 0 && t.second < 60;
}

// The date forms a project written on another system may carry.
std::optional<LocalTime> parseOtherDateForms(const std::string& text) {
    LocalTime t;
    int used = 0;
    if (std::sscanf(text.c_str(), "%d.%d.%d %d:%d:%d%n", &t.day, &t.month, &t.year, &t.hour, &t.minute, &t.second, &used) == 6 &&
        static_cast<std::size_t>(used) == text.size() && validTime(t))
        return t;
    t = {};
    used = 0;
    if (std::sscanf(text.c_str(), "%d-%d-%d %d:%d:%d%n", &t.year, &t.month, &t.day, &t.hour, &t.minute, &t.second, &used) == 6 &&
        static_cast<std::size_t>(used) == text.size() && validTime(t))
        return t;
    t = {};
    used = 0;
    char half[3] = {};
    if (std::sscanf(text.c_str(), "%d/%d/%d %d:%d:%d %2s%n", &t.month, &t.day, &t.year, &t.hour, &t.minute, &t.second, half, &used) == 7 &&
        static_cast<std::size_t>(used) == text.size() && t.hour >= 1 && t.hour <= 12) {
        const std::string h = half;
        if (h == "AM" || h == "PM") {
            t.hour = t.hour % 12 + (h == "PM" ? 12 : 0);
            if (validTime(t)) return t;
        }
    }
    return std::nullopt;
}

}  // namespace

// The header of a project file from the bytes before its icons, whose contents may run to
// gigabytes: the list reads no more. Where that part alone does not give the header (another element
// order, or an error in it), the whole file is read as before, so that every error row says what it
// always said. Damage after the header shows when the project is shown, whose reading is complete.
ProjectHeaderResult readListedHeader(FileSystem& files, const std::string& path, bool& readable) {
    readable = true;
    if (const auto head = readFileHead(files, path, {"<ICON_DATA"}); head && !head->whole) {
        ProjectHeaderResult fromHead = readProjectHeader(head->bytes + "</DATA>");
        if (fromHead.ok()) return fromHead;
    }
    const std::optional<std::string> bytes = readFileBytes(files, path);
    if (!bytes) {
        readable = false;
        return {};
    }
    return readProjectHeader(*bytes);
}

std::string projectDateSortKey(Locale& locale, const std::string& dateTime) {
    std::optional<LocalTime> t = locale.parseGeneralDate(dateTime);
    if (!t) t = parseOtherDateForms(dateTime);
    return t ? timeKey(*t) : std::string();
}

}  // namespace plenvik
