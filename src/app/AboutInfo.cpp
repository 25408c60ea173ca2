#include "app/AboutInfo.h"

#include <cstdio>

namespace plenvik {

std::string programVersionText() {
    char text[32];
    std::snprintf(text, sizeof text, "%02d.%02d.%04d", PLENVIK_VERSION_MAJOR, PLENVIK_VERSION_MINOR, PLENVIK_VERSION_REVISION);
    return text;
}

AboutInfo makeAboutInfo(const std::string& webAddress) {
    AboutInfo info;
    info.version = "Version " + programVersionText();
    info.webAddress = webAddress;
    return info;
}

}  // namespace plenvik
