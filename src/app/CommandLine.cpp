#include "app/CommandLine.h"

#include <cmath>

#include "common/NumberText.h"

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

std::int32_t diagnosticFlagsFrom(std::string_view token) { return roundHalfEvenToInt32(std::fabs(leadingNumber(token))).value_or(0); }

namespace {

std::string withoutQuotes(std::string_view token) {
    std::string text;
    for (const char ch : token)
        if (ch != '"') text += ch;
    return text;
}

}  // namespace

bool namesProjectFile(std::string_view text) {
    constexpr std::string_view kExtension = ".plenvk";
    if (text.size() <= kExtension.size()) return false;
    const std::string_view tail = text.substr(text.size() - kExtension.size());
    for (std::size_t i = 0; i < tail.size(); ++i) {
        const char c = tail[i] >= 'A' && tail[i] <= 'Z' ? static_cast<char>(tail[i] - 'A' + 'a') : tail[i];
        if (c != kExtension[i]) return false;
    }
    return true;
}

StartCommand parseStartCommand(const std::vector<std::string>& tokens) {
    StartCommand c;
    if (tokens.empty()) return c;
    c.word = tokens[0];
    if (c.word == "SAVE") {
        if (tokens.size() >= 2) c.diagnosticFlags = diagnosticFlagsFrom(tokens[1]);
    } else if (c.word == "RESTORE") {
        if (tokens.size() >= 2) c.restoreFile = withoutQuotes(tokens[1]);
        if (tokens.size() >= 3) c.diagnosticFlags = diagnosticFlagsFrom(tokens[2]);
    } else if (const std::string file = withoutQuotes(tokens[0]); namesProjectFile(file)) {
        c.openFile = file;
        if (tokens.size() >= 2) c.diagnosticFlags = diagnosticFlagsFrom(tokens[1]);
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
