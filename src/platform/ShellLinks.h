// Shell links (.lnk) and the shell's special folders.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace plenvik {

inline constexpr int kCsidlDesktopDirectory = 16, kCsidlCommonDesktopDirectory = 25;

// Results of the link object's calls (HRESULT values).
inline constexpr long kShellOk = 0, kShellFalse = 1;
inline constexpr long kShellFail = static_cast<std::int32_t>(0x80004005u), kShellInvalidArg = static_cast<std::int32_t>(0x80070057u);

// One shell link object: load a link file, read and change its properties, save it. Texts are UTF-8;
// a property of a link that holds nothing reads as the empty text or 0.
class ShellLink {
public:
    virtual ~ShellLink() = default;
    // False when the file is no readable link; the object then holds an empty link.
    virtual bool load(const std::string& linkFile) = 0;
    // The target path, whole (not cut to MAX_PATH).
    virtual std::string path() = 0;
    // The setters return the call's HRESULT (0 = done).
    virtual long setPath(const std::string& path) = 0;
    virtual std::string workingDirectory() = 0;
    virtual long setWorkingDirectory(const std::string& dir) = 0;
    virtual std::string description() = 0;
    virtual long setDescription(const std::string& text) = 0;
    virtual std::string arguments() = 0;
    virtual long setArguments(const std::string& text) = 0;
    virtual int showCommand() = 0;
    virtual long setShowCommand(int cmd) = 0;
    virtual int hotKey() = 0;
    virtual long setHotKey(int key) = 0;
    virtual std::string iconLocation(int* index) = 0;
    virtual long setIconLocation(const std::string& path, int index) = 0;
    // Resolves a loaded link (IShellLink::Resolve); returns the HRESULT.
    virtual long resolve(long windowHandle, unsigned long flags) = 0;
    virtual long save(const std::string& linkFile) = 0;
};

class ShellFolders {
public:
    virtual ~ShellFolders() = default;
    // The path of a special folder (16 user desktop, 25 all-users desktop), created when missing;
    // throws a RuntimeError whose number is the failure's code when the shell cannot answer.
    virtual std::string specialFolderPath(int csidl) = 0;
    // A new, empty link object; throws a RuntimeError with the failure's code when none can be made.
    virtual std::unique_ptr<ShellLink> createLink() = 0;
};

}  // namespace plenvik
