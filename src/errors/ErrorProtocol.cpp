#include "errors/ErrorProtocol.h"

#include "common/Text.h"
#include "errors/ErrorTexts.h"
#include "errors/TimeText.h"

namespace plenvik {
namespace {

constexpr const char* kLineEnd = "\r\n";

class Lines {
public:
    Lines& line(const std::string& text = {}) {
        text_ += text;
        text_ += kLineEnd;
        return *this;
    }
    Lines& separator() { return line(protocolSeparator()); }
    Lines& heading(const std::string& text) { return line("  " + text); }
    // An item: six blanks, the title, one or two tabs, the value.
    Lines& item(const std::string& title, int tabs, const std::string& value) {
        return line("      " + title + std::string(static_cast<std::size_t>(tabs), '\t') + value);
    }
    std::string take() { return std::move(text_); }

private:
    std::string text_;
};

}  // namespace

std::string protocolSeparator() { return "  " + std::string(83, '-'); }

std::string platformName(int platformId) {
    switch (platformId) {
    case 0: return "Win32s";
    case 1: return "Windows 95";
    case 2: return "Windows NT";
    default: return std::to_string(platformId);
    }
}

std::string protocolSystemPart(const ErrorProtocolFacts& f) {
    Lines out;
    out.line().line().separator();
    out.heading("F E H L E R P R O T O K O L L");
    out.heading("SYSTEMINFO:");
    out.item("Plattform:", 1, platformName(f.os.platformId));
    out.item("Version:", 2, std::to_string(f.os.major) + "." + std::to_string(f.os.minor));
    out.item("Build:", 2, std::to_string(f.os.build) + "   " + f.os.servicePack);
    out.separator().separator();
    out.heading(toUpperAscii(errtext::kFramProgInfo));
    out.item("Programm:", 2, f.progInfo);
    out.item("Computer:", 2, f.errText[3]);
    out.item("Benutzer:", 2, f.errText[4]);
    out.line();
    return out.take();
}

std::string protocolErrorPart(const ErrorProtocolFacts& f) {
    Lines out;
    out.separator();
    out.heading(toUpperAscii(errtext::kFraErrMsg));
    out.item("Fehler-Nr:", 1, f.errText[0]);
    out.item("Prozedur:", 2, f.errText[1]);
    out.item("Zeilen-Nr.:", 1, f.errText[2]);
    out.item("Datum/Uhrzeit:", 1, protocolDateText(f.time) + " / " + clockTimeText(f.time));
    out.line();
    for (const auto& l : f.errMsgLines) out.line("      " + l);
    out.separator();
    out.heading(toUpperAscii(errtext::kFramCallStack));
    for (const auto& l : f.callStackLines) out.line("      " + l);
    out.separator();
    out.heading("Info Aktion, Befehl:");
    out.line();
    out.line(f.infoText);
    out.separator();
    return out.take();
}

}  // namespace plenvik
