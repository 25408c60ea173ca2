// Names, keys and number forms of project files: the automatic file name, the time key, the version
// text, the escaping of names and the numbered element names.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/Clock.h"

namespace plenvik {

inline constexpr std::string_view kProductTitle = "Plenvik";
inline constexpr std::string_view kProjectExtension = ".Plenvk";
inline constexpr std::string_view kProjectFilePattern = "*.Plenvk";

// "&" -> "&amp;", then "<" -> "&lt;", then ">" -> "&gt;"; everything else as it is. Escaping twice
// escapes twice: the text "&amp;" becomes "&amp;amp;".
std::string escapeXmlText(std::string_view text);

// Major as 2 digits, minor as 2, revision as 4: "03.01.0001".
std::string formatProjectVersion(int major, int minor, int revision);
// This program's version in that form.
std::string projectVersionText();

// "YYMMDDHHNNSS", two digits each: 071206111620. Names files and sorts the project list.
std::string timeKey(const LocalTime& t);

// "Plenvik PC01 admin 071206111620": the name the save proposes, without extension.
std::string automaticProjectName(std::string_view computerName, std::string_view userName, const LocalTime& t);
// The same with ".Plenvk".
std::string automaticProjectFileName(std::string_view computerName, std::string_view userName, const LocalTime& t);

// Directory, a backslash unless it ends in one, and the file name.
std::string projectFilePath(std::string_view directory, std::string_view fileName);

// At least `digits` digits with leading zeros; a negative number keeps its sign in front (-5 with 4
// digits is "-0005"); a longer number stays as it is.
std::string formatZeroPadded(std::int64_t value, int digits);

// The position key icons are sorted by as text: PosX as 6 digits, "-", PosY as 6 digits
// ("000075-000320", "-001280-000010").
std::string iconSortKey(std::int32_t posX, std::int32_t posY);

// Element names of the k-th monitor (Monitor01 ... Monitor10) and the j-th icon (Icon001 ... Icon1000).
std::string monitorElementName(std::size_t k);
std::string iconElementName(std::size_t j);

// A single-precision value as the system writes one as text: up to 7 significant digits, no trailing
// zeros, with the given decimal separator ("12,5" on a German system). A value that is not finite is
// written as 0.
std::string formatSingle(float value, char decimalSeparator);

// A decimal number as written by formatSingle. The one "," or "." it may hold is its decimal
// separator, whichever system wrote it: the file never carries thousands separators. Surrounding
// blanks are ignored; nullopt for anything else.
std::optional<float> parseSingle(std::string_view text);

// A whole number that fits into 32 bits ("-1280"), surrounding blanks ignored; nullopt otherwise.
std::optional<std::int32_t> parseLong(std::string_view text);

}  // namespace plenvik
