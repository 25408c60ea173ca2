// Shell links (.lnk) and the shell's special folders.
#pragma once

#include <memory>
#include <string>

namespace plenvik {

inline constexpr int kCsidlDesktopDirectory = 16, kCsidlCommonDesktopDirectory = 25;

// One shell link object: load a link file, read and change its properties, save it.
class ShellLink {
public:
    virtual ~ShellLink() = default;
    virtual bool load(const std::string& linkFile) = 0;
    virtual std::string path() = 0;
    virtual bool setPath(const std::string& path) = 0;
    virtual std::string workingDirectory() = 0;
    virtual bool setWorkingDirectory(const std::string& dir) = 0;
    virtual std::string description() = 0;
    virtual bool setDescription(const std::string& text) = 0;
    virtual std::string arguments() = 0;
    virtual bool setArguments(const std::string& text) = 0;
    virtual int showCommand() = 0;
    virtual bool setShowCommand(int cmd) = 0;
    virtual int hotKey() = 0;
    virtual bool setHotKey(int key) = 0;
    virtual std::string iconLocation(int* index) = 0;
    virtual bool setIconLocation(const std::string& path, int index) = 0;
    // Resolves a loaded link (IShellLink::Resolve); returns the HRESULT.
    virtual long resolve(long windowHandle, unsigned long flags) = 0;
    virtual long save(const std::string& linkFile) = 0;
};

class ShellFolders {
public:
    virtual ~ShellFolders() = default;
    // The path of a special folder (16 user desktop, 25 all-users desktop), created when missing;
    // throws when the shell cannot answer.
    virtual std::string specialFolderPath(int csidl) = 0;
    virtual std::unique_ptr<ShellLink> createLink() = 0;
};

}  // namespace plenvik
