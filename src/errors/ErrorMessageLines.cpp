#include "errors/ErrorMessageLines.h"

#include "common/Text.h"
#include "errors/TimeText.h"

namespace plenvik {
namespace {

std::u32string decode(std::string_view utf8) {
    std::u32string out;
    for (std::size_t pos = 0; pos < utf8.size();) out += nextCodePoint(utf8, pos);
    return out;
}

std::string encode(std::u32string_view text) {
    std::string out;
    for (char32_t cp : text) appendUtf8(out, cp);
    return out;
}

// The parts of a piece between line breaks (CR, LF or CR LF); parts that a break leaves empty are
// dropped, so a CR LF never yields an empty list line.
std::vector<std::u32string_view> splitAtBreaks(std::u32string_view piece) {
    std::vector<std::u32string_view> parts;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= piece.size(); ++i) {
        if (i < piece.size() && piece[i] != U'\r' && piece[i] != U'\n') continue;
        if (i > start) parts.push_back(piece.substr(start, i - start));
        start = i + 1;
    }
    return parts;
}

}  // namespace

std::string errMsgSeparatorLine(const LocalTime& time) {
    return std::string(34, '-') + " " + clockTimeText(time) + " " + std::string(35, '-');
}

std::vector<std::string> infoTextLines(std::string_view info) {
    const std::u32string text = decode(info);
    std::vector<std::string> lines;
    for (std::size_t start = 0; start < text.size(); start += kInfoPieceLength) {
        const char* prefix = start == 0 ? kInfoFirstPrefix : kInfoNextPrefix;
        const std::u32string_view piece = std::u32string_view(text).substr(start, kInfoPieceLength);
        for (const auto part : splitAtBreaks(piece)) {
            if (lines.size() == kInfoMaxLines) {
                lines.push_back(std::string(kInfoNextPrefix) + "...");
                return lines;
            }
            lines.push_back(prefix + encode(part));
        }
    }
    return lines;
}

std::vector<std::string> errMsgLines(const LocalTime& time, std::string_view description, std::string_view info) {
    std::vector<std::string> lines{errMsgSeparatorLine(time), kErrorPrefix + std::string(description)};
    for (auto& line : infoTextLines(info)) lines.push_back(std::move(line));
    return lines;
}

std::string leadingNumberText(std::string_view description) {
    std::size_t i = 0;
    while (i < description.size() && (description[i] == ' ' || description[i] == '\t')) ++i;
    bool negative = false;
    if (i < description.size() && (description[i] == '-' || description[i] == '+')) negative = description[i++] == '-';
    std::string digits;
    for (; i < description.size() && description[i] >= '0' && description[i] <= '9'; ++i) {
        if (digits == "0") digits.clear();  // no leading zeros
        digits += description[i];
    }
    if (digits.empty() || digits == "0") return "0";
    return negative ? "-" + digits : digits;
}

std::string errorNumberText(long number, std::string_view description) {
    return std::to_string(number) + " - " + leadingNumberText(description);
}

}  // namespace plenvik
