// The error protocol: the text that goes into the log file, the saved protocol file, the printout and
// the mail. Part 1 describes the system and the program, part 2 the error. Lines end with CR LF.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "platform/Clock.h"
#include "platform/SystemInfo.h"

namespace plenvik {

struct ErrorProtocolFacts {
    OsVersion os;
    std::string progInfo;                  // lblProgInfo
    std::array<std::string, 5> errText;    // lblErrText(0..4): number, procedure, line, computer, user
    LocalTime time;                        // when the protocol is made
    std::vector<std::string> errMsgLines;  // lstErrMsg
    std::vector<std::string> callStackLines;
    std::string infoText;
};

// "  " and 83 hyphens.
std::string protocolSeparator();
std::string platformName(int platformId);

std::string protocolSystemPart(const ErrorProtocolFacts& facts);
std::string protocolErrorPart(const ErrorProtocolFacts& facts);
inline std::string protocolText(const ErrorProtocolFacts& facts) { return protocolSystemPart(facts) + protocolErrorPart(facts); }

}  // namespace plenvik
