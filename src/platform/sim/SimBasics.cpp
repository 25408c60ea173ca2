#include "platform/sim/SimBasics.h"

#include <cstdio>

namespace plenvik::sim {
namespace {

bool isLeap(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }
int daysIn(int y, int m) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && isLeap(y) ? 29 : kDays[m - 1];
}
bool valid(const LocalTime& t) {
    return t.year >= 100 && t.month >= 1 && t.month <= 12 && t.day >= 1 && t.day <= daysIn(t.year, t.month) && t.hour >= 0 && t.hour < 24 &&
           t.minute >= 0 && t.minute < 60 && t.second >= 0 && t.second < 60;
}

}  // namespace

LocalTime SimClock::now() {
    const LocalTime t = time;
    if (tickPerReading) advanceSeconds(1);
    return t;
}

void SimClock::advanceSeconds(int seconds) {
    for (int i = 0; i < seconds; ++i) {
        if (++time.second < 60) continue;
        time.second = 0;
        if (++time.minute < 60) continue;
        time.minute = 0;
        if (++time.hour < 24) continue;
        time.hour = 0;
        if (++time.day <= daysIn(time.year, time.month)) continue;
        time.day = 1;
        if (++time.month <= 12) continue;
        time.month = 1;
        ++time.year;
    }
}

std::string SimLocale::formatGeneralDate(const LocalTime& t) {
    char text[64];
    if (style == Style::German) {
        std::snprintf(text, sizeof text, "%02d.%02d.%04d %02d:%02d:%02d", t.day, t.month, t.year, t.hour, t.minute, t.second);
    } else {
        const int hour12 = t.hour % 12 == 0 ? 12 : t.hour % 12;
        std::snprintf(text, sizeof text, "%d/%d/%04d %d:%02d:%02d %s", t.month, t.day, t.year, hour12, t.minute, t.second,
                      t.hour < 12 ? "AM" : "PM");
    }
    return text;
}

std::optional<LocalTime> SimLocale::parseGeneralDate(const std::string& text) {
    LocalTime t;
    int used = 0;
    if (style == Style::German) {
        if (std::sscanf(text.c_str(), "%d.%d.%d %d:%d:%d%n", &t.day, &t.month, &t.year, &t.hour, &t.minute, &t.second, &used) != 6)
            return std::nullopt;
    } else {
        char half[3] = {};
        if (std::sscanf(text.c_str(), "%d/%d/%d %d:%d:%d %2s%n", &t.month, &t.day, &t.year, &t.hour, &t.minute, &t.second, half, &used) !=
            7)
            return std::nullopt;
        if (t.hour < 1 || t.hour > 12) return std::nullopt;
        const std::string h = half;
        if (h != "AM" && h != "PM") return std::nullopt;
        t.hour = t.hour % 12 + (h == "PM" ? 12 : 0);
    }
    if (static_cast<std::size_t>(used) != text.size() || !valid(t)) return std::nullopt;
    return t;
}

}  // namespace plenvik::sim
