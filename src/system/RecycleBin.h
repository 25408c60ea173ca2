// Removing a file or folder the way Plenvik removes the user's things: into the Recycle Bin, and for
// good only when the bin would not keep it and the user says so.
#pragma once

#include <string>

namespace plenvik {

class Dialogs;
class FileSystem;

enum class Removal {
    Recycled,  // in the Recycle Bin
    Deleted,   // the bin would not keep it; the user chose to delete it for good
    Kept,      // the bin would not keep it; the user kept it
    Failed,    // it could be neither recycled nor deleted
};

// Sends path (made absolute first) to the Recycle Bin; where the bin would not keep it, asks whether to
// delete it for good ("No" is the default).
Removal removeToRecycleBin(FileSystem& files, Dialogs& dialogs, const std::string& path);

}  // namespace plenvik
