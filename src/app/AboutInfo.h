// What the about box ("Informationen" in the help menu) shows.
#pragma once

#include <string>

namespace plenvik {

struct AboutInfo {
    std::string title = "Informationen";
    std::string product = "Plenvik";
    std::string version;  // "Version 03.01.0001"
    std::string description = "Sichert die Anordnung der Desktopsymbole und stellt sie wieder her.";
    std::string webAddress;
    std::string systemInfoButton = "&Systeminfo...";
    std::string okButton = "OK";
    // The system-information tool; it is missing on some systems (and under Wine).
    std::string systemInfoProgram = "msinfo32.exe";
    std::string systemInfoFailed = "Das Systeminformationsprogramm konnte nicht gestartet werden.";
};

AboutInfo makeAboutInfo(const std::string& webAddress);

}  // namespace plenvik
