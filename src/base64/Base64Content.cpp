#include "base64/Base64Content.h"

#include <string>

#include "base64/Base64.h"

namespace plenvik {
namespace {

bool inAlphabet(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '+' || c == '/'; }

bool isSkipped(char c) { return c == '\r' || c == '\n' || c == ' ' || c == '\t'; }

}  // namespace

std::optional<std::vector<std::uint8_t>> decodeBase64Content(std::string_view text) {
    std::string sextets;
    sextets.reserve(text.size());
    std::size_t padding = 0;
    for (const char c : text) {
        if (isSkipped(c)) continue;
        if (c == '=') {
            ++padding;
            continue;
        }
        if (!inAlphabet(c) || padding > 0) return std::nullopt;  // a character after "=" is damage too
        sextets += c;
    }
    const std::size_t tail = sextets.size() % 4;
    if (tail == 1) return std::nullopt;
    if (padding > 0 && (padding > 2 || tail == 0 || tail + padding != 4)) return std::nullopt;
    return decodeBase64(sextets);
}

}  // namespace plenvik
