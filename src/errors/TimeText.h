// The fixed (not regional) time and date forms of the error report.
#pragma once

#include <string>

#include "platform/Clock.h"

namespace plenvik {

// "07:25:46"
std::string clockTimeText(const LocalTime& t);
// "12-06-2026": month, day, year
std::string protocolDateText(const LocalTime& t);

}  // namespace plenvik
