// A file put back onto a desktop: its bytes go into a temporary file beside it, which takes the file's
// name only when it is complete and only while no file or folder of that name exists. A user's file is
// never replaced, and a failure leaves nothing half-written behind.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "common/AtomicFile.h"
#include "platform/FileSystem.h"
#include "project/ProjectFileNameCheck.h"
#include "system/FileBuffer.h"

namespace plenvik {

class NewDesktopFile {
public:
    // The temporary file is removed when the object goes unless it took the target's name.
    NewDesktopFile(FileSystem& files, std::string target);

    // Creates the temporary file (normal attributes).
    FileResult open();
    // Gives the open temporary file a named stream (its Zone.Identifier), so that it has the stream
    // from the moment it takes the target's name. False when it could not be written.
    bool writeStream(const std::string& name, std::string_view bytes);
    // Writes all of bytes; anything less is a failure.
    FileResult write(std::span<const std::uint8_t> bytes);
    // Closes the temporary file and gives it the target's name. False when closing or renaming failed
    // or when the target has appeared meanwhile; the temporary file is then removed.
    bool place();

    const std::string& target() const { return file_.target(); }

private:
    FileSystem& files_;
    AtomicFile file_;
    bool open_ = false;
};

}  // namespace plenvik
