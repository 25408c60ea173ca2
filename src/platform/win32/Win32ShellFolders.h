// The shell's special folders (SHGetFolderPathW) and its link object (IShellLinkW with IPersistFile).
#pragma once

#include "platform/ShellLinks.h"

namespace plenvik::win32 {

class Win32ShellFolders : public ShellFolders {
public:
    std::string specialFolderPath(int csidl) override;
    std::unique_ptr<ShellLink> createLink() override;
};

}  // namespace plenvik::win32
