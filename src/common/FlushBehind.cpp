#include "common/FlushBehind.h"

#include <chrono>
#include <system_error>

#include "platform/FileSystem.h"

namespace plenvik {

bool FlushBehind::wrote(std::uint64_t count) {
    unflushed_ += count;
    if (unflushed_ < kStep) return true;
    if (flushing_.valid()) {
        if (flushing_.wait_for(std::chrono::seconds(0)) != std::future_status::ready) return true;
        if (!flushing_.get()) return false;
    }
    unflushed_ = 0;
    try {
        flushing_ = std::async(std::launch::async, [&file = file_] { return file.flush(); });
    } catch (const std::system_error&) {
        // No thread to spare: the last flush puts it all on the disk.
    }
    return true;
}

bool FlushBehind::finish() {
    unflushed_ = 0;
    return !flushing_.valid() || flushing_.get();
}

}  // namespace plenvik
