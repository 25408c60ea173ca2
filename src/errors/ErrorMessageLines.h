// The lines of the error description list (lstErrMsg) and the error number label.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/Clock.h"

namespace plenvik {

inline constexpr std::size_t kInfoPieceLength = 68;  // characters of the info text per list line
inline constexpr std::size_t kInfoMaxLines = 5;      // then "        :  ..."
inline constexpr const char* kInfoFirstPrefix = "  Aktion:  ";
inline constexpr const char* kInfoNextPrefix = "        :  ";
inline constexpr const char* kErrorPrefix = "  Fehler:  ";

// "---------------------------------- 07:25:46 -----------------------------------"
std::string errMsgSeparatorLine(const LocalTime& time);

// The info text as list lines: pieces of 68 characters, the first with "  Aktion:  " in front, the others
// with "        :  "; a line break inside a piece starts a new line with the same prefix. At most five
// lines; when text is left over, "        :  ..." closes the list.
std::vector<std::string> infoTextLines(std::string_view info);

// The whole list: separator, "  Fehler:  " + description, the info text lines.
std::vector<std::string> errMsgLines(const LocalTime& time, std::string_view description, std::string_view info);

// The number a description begins with ("0" when it begins with none): "53 Datei fehlt" -> "53".
std::string leadingNumberText(std::string_view description);

// Label text 0: "<number> - <leading number of the description>".
std::string errorNumberText(long number, std::string_view description);

}  // namespace plenvik
