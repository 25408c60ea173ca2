// A file put back onto a desktop: its bytes go into a temporary file beside it, which takes the file's
// name only when it is complete and only while no file or folder of that name exists. A user's file is
// never replaced, and a failure leaves nothing half-written behind.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/FileSystem.h"
#include "project/clsFile.h"

namespace plenvik {

// True for a plain name of a file or folder: not empty, no path separator, no drive, not "." or "..",
// and no character Windows forbids in a name. A project file is data from outside: a name that would
// reach beyond the desktop folder must never be written.
bool isBareFileName(std::string_view name);

class NewDesktopFile {
public:
    NewDesktopFile(FileSystem& files, std::string target);
    // Removes the temporary file unless it took the target's name.
    ~NewDesktopFile();
    NewDesktopFile(const NewDesktopFile&) = delete;
    NewDesktopFile& operator=(const NewDesktopFile&) = delete;

    // Creates the temporary file (clsFile mode 2, normal attributes).
    FileResult open();
    // Writes all of bytes; anything less is a failure.
    FileResult write(std::vector<std::uint8_t> bytes);
    // Closes the temporary file and gives it the target's name. False when closing or renaming failed
    // or when the target has appeared meanwhile; the temporary file is then removed.
    bool place();

    const std::string& target() const { return target_; }

private:
    void discard();

    FileSystem& files_;
    std::string target_;
    std::string temporary_;
    clsFile file_;
    bool opened_ = false;
    bool placed_ = false;
};

}  // namespace plenvik
