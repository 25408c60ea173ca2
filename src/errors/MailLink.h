// The mail link that hands the error protocol to the user's mail program.
#pragma once

#include <string>
#include <string_view>

namespace plenvik {

// "03.01.0001": major and minor with two digits, revision with four.
std::string programVersionText(int major, int minor, int revision);

// Percent-encodes UTF-8 text for a mailto field (everything but letters, digits and "-._~").
std::string percentEncode(std::string_view utf8);

// "mailto:<address>?subject=Orvel Verwaltung, Fehler, <version>&body=<protocol>", subject and body
// percent-encoded so that line breaks, "&" and "#" in the protocol reach the mail unchanged.
std::string mailLink(std::string_view address, std::string_view versionText, std::string_view protocol);

}  // namespace plenvik
