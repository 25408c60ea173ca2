#include "app/AboutInfo.h"

#include "project/ProjectNames.h"

namespace plenvik {

AboutInfo makeAboutInfo(const std::string& webAddress) {
    AboutInfo info;
    info.version = "Version " + projectVersionText();
    info.webAddress = webAddress;
    return info;
}

}  // namespace plenvik
