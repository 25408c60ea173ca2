// Putting a missing desktop icon back from the project shown: its file with the saved content, an
// empty folder, or a system icon made visible again, on the desktop it came from; then the new icon
// is moved to its saved place.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace plenvik {

class frmMain;

// The answer to the question about icons of the all-users desktop, kept by the caller across calls.
inline constexpr std::int16_t kAllUsersNotAsked = 0, kAllUsersOnOwnDesktop = 1, kAllUsersSkip = 2;

// Re-creates icon fileIndex of the project icon table (0: the first icon named par_IconName) and
// raises par_IconCountCreate or par_IconCountCreateErr. False only when the user cancelled the
// question about the all-users desktop; the caller then stops.
bool fc_DesktopIconsLoadFromFile_IconCreate(frmMain& form, std::size_t fileIndex,
                                            std::int16_t& par_IconCreateErrorStatus, std::int16_t& par_IconCountCreate,
                                            std::int16_t& par_IconCountCreateErr, const std::string& par_IconName);

}  // namespace plenvik
