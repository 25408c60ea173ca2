#include "common/NumberText.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace plenvik {
namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Converts "digits[.digits][e[sign]digits]" (already checked) without looking at the C locale.
double toDouble(const std::string& plain) {
    double value = 0;
    const auto [end, error] = std::from_chars(plain.data(), plain.data() + plain.size(), value, std::chars_format::general);
    (void)end;
    if (error == std::errc::result_out_of_range) {
        // Too large or too small for a double: the exponent's sign tells which.
        const auto e = plain.find('e');
        const bool tiny = e != std::string::npos && e + 1 < plain.size() && plain[e + 1] == '-';
        return tiny ? 0.0 : std::numeric_limits<double>::infinity();
    }
    return error == std::errc() ? value : 0.0;
}

}  // namespace

std::optional<double> parsePlainNumber(std::string_view text, char decimalSeparator) {
    std::size_t pos = 0, end = text.size();
    auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (pos < end && blank(text[pos])) ++pos;
    while (end > pos && blank(text[end - 1])) --end;
    bool negative = false;
    if (pos < end && (text[pos] == '+' || text[pos] == '-')) negative = text[pos++] == '-';
    std::string plain;
    bool separatorSeen = false, digitSeen = false;
    for (; pos < end; ++pos) {
        const char c = text[pos];
        if (isDigit(c)) {
            plain += c;
            digitSeen = true;
        } else if (c == decimalSeparator && !separatorSeen) {
            plain += '.';
            separatorSeen = true;
        } else {
            return std::nullopt;
        }
    }
    if (!digitSeen) return std::nullopt;
    if (plain.back() == '.') plain.pop_back();
    if (plain.front() == '.') plain.insert(plain.begin(), '0');
    const double value = toDouble(plain);
    return negative ? -value : value;
}

double leadingNumber(std::string_view text) {
    std::string kept;
    for (char c : text)
        if (c != ' ' && c != '\t' && c != '\n') kept += c;
    std::size_t pos = 0;
    bool negative = false;
    if (pos < kept.size() && (kept[pos] == '+' || kept[pos] == '-')) negative = kept[pos++] == '-';
    std::string plain;
    bool digitSeen = false;
    while (pos < kept.size() && isDigit(kept[pos])) {
        plain += kept[pos++];
        digitSeen = true;
    }
    if (pos < kept.size() && kept[pos] == '.') {
        plain += kept[pos++];
        while (pos < kept.size() && isDigit(kept[pos])) {
            plain += kept[pos++];
            digitSeen = true;
        }
    }
    if (!digitSeen) return 0.0;
    if (plain.back() == '.') plain.pop_back();
    if (plain.front() == '.') plain.insert(plain.begin(), '0');
    if (pos < kept.size() && (kept[pos] == 'e' || kept[pos] == 'E' || kept[pos] == 'd' || kept[pos] == 'D')) {
        std::size_t look = pos + 1;
        std::string exponent = "e";
        if (look < kept.size() && (kept[look] == '+' || kept[look] == '-')) exponent += kept[look++];
        if (look < kept.size() && isDigit(kept[look])) {
            while (look < kept.size() && isDigit(kept[look])) exponent += kept[look++];
            plain += exponent;
        }
    }
    const double value = toDouble(plain);
    return negative ? -value : value;
}

std::optional<std::int32_t> roundHalfEvenToInt32(double value) {
    if (!std::isfinite(value)) return std::nullopt;
    const double floor = std::floor(value);
    const double fraction = value - floor;
    double rounded = floor;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(floor, 2.0) != 0.0)) rounded = floor + 1.0;
    if (rounded < static_cast<double>(std::numeric_limits<std::int32_t>::min()) ||
        rounded > static_cast<double>(std::numeric_limits<std::int32_t>::max()))
        return std::nullopt;
    return static_cast<std::int32_t>(rounded);
}

}  // namespace plenvik
