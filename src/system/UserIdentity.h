// Who and where: the computer and user names as the project file's header, the automatic file name,
// the project list and the restore checks use them.
#pragma once

#include <string>

namespace plenvik {

class SystemInfo;

// The local computer's name, trailing blanks and NUL characters removed.
std::string computerName(SystemInfo& system);
// The logged-on user's name, trimmed the same way.
std::string userName(SystemInfo& system);

}  // namespace plenvik
