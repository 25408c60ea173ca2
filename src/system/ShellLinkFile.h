// ShellLinkFile: a shell link file (.lnk) through the shell's own link object. The inventory loads a
// link with Resolve(file, -1, ...) and reads its Path; the other properties and Save are offered too.
#pragma once

#include <memory>
#include <string>

#include "platform/FileSystem.h"
#include "platform/ShellLinks.h"

namespace plenvik {

// Flags of Resolve: -1 loads without resolving; SLR_NO_UI takes a time-out in its upper 16 bits.
inline constexpr long kResolveLoadOnly = -1, kResolveNoUi = 1;
// The link object's time-out (HRESULT_FROM_WIN32(ERROR_TIMEOUT)).
inline constexpr long kShellTimeout = static_cast<std::int32_t>(0x800705B4u);
// Run-time error numbers this class raises itself.
inline constexpr long kErrorFileNotFound = 53, kErrorBadFileName = 52;

struct IconLocation {
    std::string path;
    int index = 0;
};

class ShellLinkFile {
public:
    ShellLinkFile(ShellFolders& shell, FileSystem& files);

    // The target path; the empty text when the link was not loaded or has none.
    std::string Path();
    // Only for an existing file or folder; else raises run-time error 53.
    void setPath(const std::string& path);
    std::string WorkingDirectory();
    void setWorkingDirectory(const std::string& dir);
    std::string Description();
    void setDescription(const std::string& text);
    std::string Arguments();
    void setArguments(const std::string& text);
    int DisplayMode();
    // 1 normal, 3 maximised, 7 minimised without activation; any other value is stored as 1.
    void setDisplayMode(int mode);
    int HotKey();
    void setHotKey(int key);  // 16 bits
    // Where the link's icon comes from. (The icon picture itself is a view's business.)
    IconLocation Icon();
    // A number: that icon of the current Path. A text: the first icon of that file.
    void setIcon(int index);
    void setIcon(const std::string& file);
    // Saves the link as file name (and remembers it); an empty name raises run-time error 52.
    void Save(const std::string& linkFile);
    // Loads the link file (a failing load leaves an empty link and raises nothing); unless flags is -1,
    // resolves it and raises a failure with the link object's result code.
    void Resolve(const std::string& linkFile, long flags, long windowHandle, long timeoutMs);

private:
    ShellLink& link();
    void check(long hr, const char* operation);

    ShellFolders& shell_;
    FileSystem& files_;
    std::unique_ptr<ShellLink> link_;
};

// What the inventory does with a desktop link: load it with Resolve(-1), trying again up to three more
// times when the link object reports a time-out and ignoring any other failure, then read its Path.
std::string linkTargetPath(ShellFolders& shell, FileSystem& files, const std::string& linkFile, long windowHandle);

}  // namespace plenvik
