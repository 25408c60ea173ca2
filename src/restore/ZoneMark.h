// The mark Windows gives a file that came from elsewhere (downloaded, saved from a mail): its
// "Zone.Identifier" stream. A file re-created from a marked project file gets the same mark before it
// takes its name, so that Explorer and SmartScreen treat it as carefully as the project file itself.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace plenvik {

class FileSystem;
class RunFeedback;

inline constexpr const char* kZoneStreamName = "Zone.Identifier";
// Windows writes a few hundred bytes; a larger stream is not copied.
inline constexpr std::size_t kZoneMarkLimit = 64 * 1024;

// The project file's mark, read at the first file a run re-creates and kept for the run.
class ZoneMark {
public:
    // The bytes each re-created file gets as its mark, as they are; nullopt when the project file has no
    // mark or none that can be read. A mark beyond kZoneMarkLimit is not copied, and the protocol says so.
    const std::optional<std::string>& of(FileSystem& files, const std::string& projectPath, RunFeedback& feedback);

private:
    bool read_ = false;
    std::optional<std::string> bytes_;
};

}  // namespace plenvik
