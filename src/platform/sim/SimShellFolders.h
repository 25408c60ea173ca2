// The shell of the simulated platform: special folders are paths given to the constructor (created
// when first asked for), and links are real .lnk files read and written with LnkFile through the
// file system.
#pragma once

#include <map>
#include <string>

#include "platform/FileSystem.h"
#include "platform/ShellLinks.h"

namespace plenvik {

class SimShellFolders : public ShellFolders {
public:
    SimShellFolders(FileSystem& files, std::map<int, std::string> folders);

    // Unknown codes raise RuntimeError(E_INVALIDARG), as the shell answers them.
    std::string specialFolderPath(int csidl) override;
    std::unique_ptr<ShellLink> createLink() override;

    // Sim only: makes the shell fail every request for a special folder with this code (0 = answer again).
    void failFolders(long code) { failure_ = code; }

private:
    FileSystem& files_;
    std::map<int, std::string> folders_;
    long failure_ = 0;
};

}  // namespace plenvik
