#include "errors/MailLink.h"

#include <cstdio>

#include "errors/ErrorTexts.h"

namespace plenvik {

std::string programVersionText(int major, int minor, int revision) {
    char text[32];
    std::snprintf(text, sizeof text, "%02d.%02d.%04d", major, minor, revision);
    return text;
}

std::string percentEncode(std::string_view utf8) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(utf8.size() * 3);
    for (const char c : utf8) {
        const auto b = static_cast<unsigned char>(c);
        const bool plain =
            (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z') || (b >= '0' && b <= '9') || b == '-' || b == '.' || b == '_' || b == '~';
        if (plain) {
            out += c;
        } else {
            out += '%';
            out += kHex[b >> 4];
            out += kHex[b & 0xF];
        }
    }
    return out;
}

std::string mailLink(std::string_view address, std::string_view versionText, std::string_view protocol) {
    return "mailto:" + std::string(address) + "?subject=" + percentEncode(std::string(errtext::kMailSubject) + std::string(versionText)) +
           "&body=" + percentEncode(protocol);
}

}  // namespace plenvik
