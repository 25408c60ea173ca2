#include "errors/PrintLayout.h"

#include "common/Text.h"

namespace plenvik {
namespace {

std::u32string expandTabs(std::string_view utf8) {
    std::u32string out;
    for (std::size_t pos = 0; pos < utf8.size();) {
        const char32_t cp = nextCodePoint(utf8, pos);
        if (cp == U'\t') {
            do out += U' ';
            while (out.size() % kPrintTabWidth != 0);
        } else {
            out += cp;
        }
    }
    return out;
}

std::string encode(std::u32string_view text) {
    std::string out;
    for (char32_t cp : text) appendUtf8(out, cp);
    return out;
}

}  // namespace

std::vector<std::string> breakPrintLine(std::string_view line) {
    std::u32string rest = expandTabs(line);
    std::vector<std::string> out;
    std::u32string prefix;
    while (prefix.size() + rest.size() > kPrintLineWidth) {
        const std::size_t room = kPrintLineWidth - prefix.size();
        // The last blank that still fits (a blank right after a full line counts too) and has text
        // before it; blanks that only indent the line are no place to break.
        const std::size_t firstText = rest.find_first_not_of(U' ');
        std::size_t cut = rest.rfind(U' ', room);
        const bool atBlank = cut != std::u32string::npos && cut > firstText;
        if (!atBlank) cut = room;
        std::u32string piece = rest.substr(0, cut);
        while (!piece.empty() && piece.back() == U' ') piece.pop_back();
        out.push_back(encode(prefix + piece));
        rest.erase(0, cut);
        const std::size_t next = rest.find_first_not_of(U' ');
        rest.erase(0, next == std::u32string::npos ? rest.size() : next);
        prefix.assign(kPrintContinuationIndent, U' ');
        if (rest.empty()) return out;
    }
    out.push_back(encode(prefix + rest));
    return out;
}

std::vector<std::string> printLines(std::string_view protocol) {
    std::vector<std::string> out;
    std::size_t start = 0;
    while (start < protocol.size()) {
        std::size_t end = protocol.find_first_of("\r\n", start);
        if (end == std::string_view::npos) end = protocol.size();
        for (auto& l : breakPrintLine(protocol.substr(start, end - start))) out.push_back(std::move(l));
        if (end < protocol.size() && protocol[end] == '\r' && end + 1 < protocol.size() && protocol[end + 1] == '\n') ++end;
        start = end + 1;
    }
    return out;
}

}  // namespace plenvik
