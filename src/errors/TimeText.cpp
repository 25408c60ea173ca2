#include "errors/TimeText.h"

#include <cstdio>

namespace plenvik {

std::string clockTimeText(const LocalTime& t) {
    char text[32];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", t.hour, t.minute, t.second);
    return text;
}

std::string protocolDateText(const LocalTime& t) {
    char text[32];
    std::snprintf(text, sizeof text, "%02d-%02d-%04d", t.month, t.day, t.year);
    return text;
}

}  // namespace plenvik
