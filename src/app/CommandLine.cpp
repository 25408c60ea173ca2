#include "app/CommandLine.h"

#include <cmath>
#include <cstdlib>
#include <limits>

namespace plenvik {

std::vector<std::string> splitCommandLine(std::string_view raw) {
    std::vector<std::string> tokens;
    std::string current;
    bool inToken = false, quoted = false;
    for (const char c : raw) {
        if (!inToken) {
            if (c == ' ' || c == '\t') continue;
            if (tokens.size() == kMaxCommandTokens) return tokens;  // a 33rd token would begin
            inToken = true;
            current.clear();
            quoted = c == '"';
            current += c;
            continue;
        }
        if ((c == ' ' || c == '\t') && !quoted) {
            tokens.push_back(current);
            inToken = false;
            continue;
        }
        if (c == '"') quoted = false;
        current += c;
    }
    if (inToken) tokens.push_back(current);
    return tokens;
}

double leadingNumber(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    std::string number;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) number += text[i++];
    const auto digits = [&] {
        bool any = false;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9') { number += text[i++]; any = true; }
        return any;
    };
    bool any = digits();
    if (i < text.size() && text[i] == '.') {
        number += text[i++];
        any = digits() || any;
    }
    if (!any) return 0.0;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E' || text[i] == 'd' || text[i] == 'D')) {
        std::string exponent = "e";
        std::size_t j = i + 1;
        if (j < text.size() && (text[j] == '-' || text[j] == '+')) exponent += text[j++];
        const std::size_t start = j;
        while (j < text.size() && text[j] >= '0' && text[j] <= '9') exponent += text[j++];
        if (j > start) number += exponent;
    }
    return std::strtod(number.c_str(), nullptr);
}

std::int32_t diagnosticFlagsFrom(std::string_view token) {
    const double value = std::fabs(leadingNumber(token));
    const double rounded = std::nearbyint(value);  // the default rounding mode: halves to even
    if (!std::isfinite(rounded) || rounded > std::numeric_limits<std::int32_t>::max()) return 0;
    return static_cast<std::int32_t>(rounded);
}

StartCommand parseStartCommand(const std::vector<std::string>& tokens) {
    StartCommand c;
    if (tokens.empty()) return c;
    c.word = tokens[0];
    if (c.word == "SAVE") {
        if (tokens.size() >= 2) c.diagnosticFlags = diagnosticFlagsFrom(tokens[1]);
    } else if (c.word == "RESTORE") {
        if (tokens.size() >= 2) {
            for (const char ch : tokens[1])
                if (ch != '"') c.restoreFile += ch;
        }
        if (tokens.size() >= 3) c.diagnosticFlags = diagnosticFlagsFrom(tokens[2]);
    } else {
        c.diagnosticFlags = diagnosticFlagsFrom(tokens[0]);
    }
    return c;
}

RestoreTarget splitRestoreFile(const std::string& restoreFile) {
    const auto cut = restoreFile.find_last_of("\\/:");
    if (cut == std::string::npos) return {"", restoreFile};
    return {restoreFile.substr(0, cut + 1), restoreFile.substr(cut + 1)};
}

}  // namespace plenvik
