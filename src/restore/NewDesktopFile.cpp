#include "restore/NewDesktopFile.h"

#include <utility>

namespace plenvik {

NewDesktopFile::NewDesktopFile(FileSystem& files, std::string target) : file_(files, std::move(target), AtomicFile::Mode::NeverReplace) {}

FileResult NewDesktopFile::open() { return FileResult{file_.create() ? kFileOk : kFilePlatformFailed, {}}; }

FileResult NewDesktopFile::write(std::span<const std::uint8_t> bytes) {
    if (file_.write(bytes)) return FileResult{kFileOk, {}};
    return FileResult{kFileFailed, "unvollständig geschrieben"};
}

// The rename itself refuses a name taken meanwhile: a user's file is never replaced.
bool NewDesktopFile::place() { return file_.commit(); }

}  // namespace plenvik
