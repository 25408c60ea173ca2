// The local time and the regional formats (dates, decimal and thousands separators).
#pragma once

#include <optional>
#include <string>

namespace plenvik {

struct LocalTime {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    bool operator==(const LocalTime&) const = default;
};

class Clock {
public:
    virtual ~Clock() = default;
    virtual LocalTime now() = 0;
};

// The user's regional settings. The general date form is the short date, a blank and the long time
// (06.12.2007 11:16:20 on a German system).
class Locale {
public:
    virtual ~Locale() = default;
    virtual std::string formatGeneralDate(const LocalTime& t) = 0;
    virtual std::optional<LocalTime> parseGeneralDate(const std::string& text) = 0;
    virtual char decimalSeparator() = 0;
    virtual char thousandsSeparator() = 0;
};

}  // namespace plenvik
