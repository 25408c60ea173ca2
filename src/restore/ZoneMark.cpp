#include "restore/ZoneMark.h"

#include "platform/FileSystem.h"
#include "run/RunFeedback.h"

namespace plenvik {

const std::optional<std::string>& ZoneMark::of(FileSystem& files, const std::string& projectPath, RunFeedback& feedback) {
    if (read_) return bytes_;
    read_ = true;
    StreamContent mark = files.readStream(projectPath, kZoneStreamName, kZoneMarkLimit);
    if (mark.status == StreamStatus::Read) bytes_ = std::move(mark.bytes);
    if (mark.status == StreamStatus::TooLarge)
        feedback.addToProtocol("Herkunftsangabe (Zone.Identifier) der Projektdatei ist größer als 64 KB und wird nicht übernommen!");
    return bytes_;
}

}  // namespace plenvik
