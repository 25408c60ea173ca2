#include "system/UserIdentity.h"

#include "common/Text.h"
#include "platform/SystemInfo.h"

namespace plenvik {
namespace {

// The system's answer may carry padding from a fixed buffer: cut at the first NUL, drop trailing blanks.
std::string trimmedName(const std::string& raw) { return trimRight(trimAtNull(raw), " "); }

}  // namespace

std::string computerName(SystemInfo& system) { return trimmedName(system.computerName()); }

std::string userName(SystemInfo& system) { return trimmedName(system.userName()); }

}  // namespace plenvik
