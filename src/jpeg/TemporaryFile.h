// Writes a file so that it is either complete or not there: the bytes go into a temporary file in the
// target's folder, which then replaces the target in one step.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/FileSystem.h"

namespace plenvik {

// A name in the target's folder that no file has yet: "<name>.~tmp", "<name>.~tmp1", ...
std::string temporaryNameFor(FileSystem& files, const std::string& target);

// False when the temporary file could not be created, written or renamed; the temporary file is then
// removed and the target is as it was.
bool writeFileAtomically(FileSystem& files, const std::string& target, const std::vector<std::uint8_t>& bytes);

}  // namespace plenvik
