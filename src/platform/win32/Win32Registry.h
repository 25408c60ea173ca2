// HKEY_CURRENT_USER through the wide registry functions: UTF-8 names and texts inside, UTF-16 in the
// registry, so that values written by the program read back unchanged in any language.
#pragma once

#include "platform/Registry.h"

namespace plenvik::win32 {

class Win32Registry : public Registry {
public:
    std::unique_ptr<RegistryKey> openCurrentUser(const std::string& subKey, bool writable, long* error) override;
    std::string errorText(long code) override;
};

}  // namespace plenvik::win32
