#include "project/ProjectNames.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <system_error>

namespace plenvik {
namespace {

std::string twoDigits(int value) {
    char text[16];
    std::snprintf(text, sizeof text, "%02d", value);
    return text;
}

std::string_view trimBlanks(std::string_view text) {
    constexpr std::string_view kBlanks = " \t\r\n";
    const auto first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

}  // namespace

std::string escapeXmlText(std::string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 8);
    for (const char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        default: out += c;
        }
    }
    return out;
}

std::string formatProjectVersion(int major, int minor, int revision) {
    return formatZeroPadded(major, 2) + "." + formatZeroPadded(minor, 2) + "." + formatZeroPadded(revision, 4);
}

std::string projectVersionText() { return formatProjectVersion(PLENVIK_VERSION_MAJOR, PLENVIK_VERSION_MINOR, PLENVIK_VERSION_REVISION); }

std::string timeKey(const LocalTime& t) {
    const int year = ((t.year % 100) + 100) % 100;
    return twoDigits(year) + twoDigits(t.month) + twoDigits(t.day) + twoDigits(t.hour) + twoDigits(t.minute) + twoDigits(t.second);
}

std::string automaticProjectName(std::string_view computerName, std::string_view userName, const LocalTime& t) {
    std::string name(kProductTitle);
    name += ' ';
    name += computerName;
    name += ' ';
    name += userName;
    name += ' ';
    name += timeKey(t);
    return name;
}

std::string automaticProjectFileName(std::string_view computerName, std::string_view userName, const LocalTime& t) {
    return automaticProjectName(computerName, userName, t) + std::string(kProjectExtension);
}

std::string projectFilePath(std::string_view directory, std::string_view fileName) {
    std::string path(directory);
    if (path.empty() || path.back() != '\\') path += '\\';
    path += fileName;
    return path;
}

std::string formatZeroPadded(std::int64_t value, int digits) {
    // The magnitude as unsigned, so that the smallest 64-bit value does not overflow.
    const std::uint64_t magnitude = value < 0 ? std::uint64_t{0} - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
    std::string text = std::to_string(magnitude);
    if (static_cast<int>(text.size()) < digits) text.insert(0, static_cast<std::size_t>(digits) - text.size(), '0');
    if (value < 0) text.insert(0, 1, '-');
    return text;
}

std::string iconSortKey(std::int32_t posX, std::int32_t posY) { return formatZeroPadded(posX, 6) + "-" + formatZeroPadded(posY, 6); }

std::string monitorElementName(std::size_t k) { return "Monitor" + formatZeroPadded(static_cast<std::int64_t>(k), 2); }

std::string iconElementName(std::size_t j) { return "Icon" + formatZeroPadded(static_cast<std::int64_t>(j), 3); }

std::string formatSingle(float value, char decimalSeparator) {
    if (!std::isfinite(value) || value == 0.0f) return "0";
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 7);
    std::string text(buffer, result.ptr);
    for (char& c : text) {
        if (c == '.')
            c = decimalSeparator;
        else if (c == 'e')
            c = 'E';
    }
    return text;
}

std::optional<float> parseSingle(std::string_view text) {
    text = trimBlanks(text);
    if (text.empty()) return std::nullopt;
    std::string normal(text);
    int separators = 0;
    for (char& c : normal) {
        if (c == ',' || c == '.') {
            c = '.';
            ++separators;
        }
    }
    if (separators > 1) return std::nullopt;
    const char* first = normal.data();
    const char* last = normal.data() + normal.size();
    if (*first == '+' && ++first != last && *first == '-') return std::nullopt;  // from_chars takes a minus only
    float value = 0;
    const auto result = std::from_chars(first, last, value, std::chars_format::general);
    if (result.ec != std::errc() || result.ptr != last || !std::isfinite(value)) return std::nullopt;
    return value;
}

std::optional<std::int32_t> parseLong(std::string_view text) {
    text = trimBlanks(text);
    if (text.empty()) return std::nullopt;
    const char* first = text.data();
    const char* last = text.data() + text.size();
    if (*first == '+' && ++first != last && *first == '-') return std::nullopt;
    std::int32_t value = 0;
    const auto result = std::from_chars(first, last, value);
    if (result.ec != std::errc() || result.ptr != last) return std::nullopt;
    return value;
}

}  // namespace plenvik
