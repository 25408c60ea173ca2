// A file that is either complete or not there: the bytes go into a temporary file of its own in the
// target's folder, which is put on the disk and then takes the target's name in one step.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "common/FlushBehind.h"
#include "platform/FileSystem.h"

namespace plenvik {

class AtomicFile {
public:
    enum class Mode {
        Replace,       // the temporary file is renamed over the target
        NeverReplace,  // only while nothing holds the target's name: a file that appears there stays
    };
    // Where a write through the file failed.
    enum class Stage { None, Create, Write, Flush, Close, Rename };

    AtomicFile(FileSystem& files, std::string target, Mode mode = Mode::Replace);
    // Removes the temporary file unless it took the target's name.
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    // Creates a new temporary file "<target>.~tmp", "<target>.~tmp1", ..., skipping names that exist:
    // nothing found there is ever overwritten. False, with the system's error code, when none could be.
    bool create(unsigned long* error = nullptr);
    // Writes all of the bytes; a failed or short write removes the temporary file and answers false.
    // A big file is flushed behind the writes (FlushBehind): a flush that failed fails a later write or
    // the commit (Stage::Flush).
    bool write(std::span<const std::uint8_t> bytes);
    bool write(std::string_view bytes);
    // The open temporary file, for a writer that streams and checks each count itself (writeAll).
    FileHandle& file() { return *file_; }
    // Flushes and closes the temporary file and gives it the target's name. False when anything failed
    // or nothing was created; the temporary file is then removed and the target is as it was.
    bool commit();
    // Closes and removes the temporary file (nothing happens after a commit).
    void discard();

    const std::string& target() const { return target_; }
    // The name created, or the last one tried.
    const std::string& temporaryPath() const { return temporary_; }
    Stage failedAt() const { return failedAt_; }

private:
    bool fail(Stage stage);

    FileSystem& files_;
    std::string target_;
    Mode mode_;
    std::string temporary_;
    std::unique_ptr<FileHandle> file_;
    std::optional<FlushBehind> flushBehind_;  // while file_ is open
    bool created_ = false;
    Stage failedAt_ = Stage::None;
};

// The whole file in one call: false when it could not be written completely (the target is as it was).
bool writeFileAtomically(FileSystem& files, const std::string& target, std::string_view bytes);
bool writeFileAtomically(FileSystem& files, const std::string& target, std::span<const std::uint8_t> bytes);

}  // namespace plenvik
