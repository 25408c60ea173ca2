// A file put back onto a desktop: its bytes go into a temporary file beside it, which takes the file's
// name only when it is complete and only while no file or folder of that name exists. A user's file is
// never replaced, and a failure leaves nothing half-written behind.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/FileSystem.h"
#include "project/ProjectFileNameCheck.h"
#include "system/FileBuffer.h"

namespace plenvik {

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
