#include "restore/NewDesktopFile.h"

#include <utility>

#include "jpeg/TemporaryFile.h"

namespace plenvik {

NewDesktopFile::NewDesktopFile(FileSystem& files, std::string target)
    : files_(files), target_(std::move(target)), temporary_(temporaryNameFor(files_, target_)), file_(files_) {}

NewDesktopFile::~NewDesktopFile() {
    if (!placed_) discard();
}

void NewDesktopFile::discard() {
    file_.fc_FileClose();
    if (opened_) files_.deleteFile(temporary_, true);
    opened_ = false;
}

FileResult NewDesktopFile::open() {
    FileResult opened = file_.fc_FileOpen(temporary_, kFileModeRecreate, static_cast<std::int32_t>(kAttrNormal));
    opened_ = opened_ || opened.ok() || files_.exists(temporary_);
    return opened;
}

FileResult NewDesktopFile::write(std::vector<std::uint8_t> bytes) {
    const auto wanted = static_cast<std::int64_t>(bytes.size());
    file_.setBytes(std::move(bytes));
    std::int32_t start = 0, count = file_.FileSize();
    FileResult written = file_.fc_FileWrite(start, count);
    if (written.ok() && start != wanted) written = FileResult{kFileFailed, "unvollständig geschrieben"};
    return written;
}

bool NewDesktopFile::place() {
    // The rename itself refuses a name taken meanwhile: a user's file is never replaced.
    if (!file_.isOpen() || !file_.fc_FileClose().ok() || !files_.renameNoReplace(temporary_, target_)) {
        discard();
        return false;
    }
    placed_ = true;
    return true;
}

}  // namespace plenvik
