#include "restore/NewDesktopFile.h"

#include <utility>

namespace plenvik {

NewDesktopFile::NewDesktopFile(FileSystem& files, std::string target)
    : files_(files), file_(files, std::move(target), AtomicFile::Mode::NeverReplace) {}

FileResult NewDesktopFile::open() {
    open_ = file_.create();
    return FileResult{open_ ? kFileOk : kFilePlatformFailed, {}};
}

// Only the temporary file this object made: the last name tried may be someone else's file.
bool NewDesktopFile::writeStream(const std::string& name, std::string_view bytes) {
    return open_ && files_.writeStream(file_.temporaryPath(), name, bytes);
}

FileResult NewDesktopFile::write(std::span<const std::uint8_t> bytes) {
    if (file_.write(bytes)) return FileResult{kFileOk, {}};
    return FileResult{kFileFailed, "unvollständig geschrieben"};
}

// The rename itself refuses a name taken meanwhile: a user's file is never replaced.
bool NewDesktopFile::place() { return file_.commit(); }

}  // namespace plenvik
