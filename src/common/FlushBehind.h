// Flushes a file behind its writes: every kStep bytes written, a flush of the file starts on a thread of
// its own (unless the one before still runs), so the disk takes the bytes while the writer makes the
// next ones and the last flush waits only for the rest. The file must stay open until finish() has
// returned (the destructor calls it).
#pragma once

#include <cstdint>
#include <future>

namespace plenvik {

class FileHandle;

class FlushBehind {
public:
    static constexpr std::uint64_t kStep = 16u << 20;

    explicit FlushBehind(FileHandle& file) : file_(file) {}
    ~FlushBehind() { finish(); }
    FlushBehind(const FlushBehind&) = delete;
    FlushBehind& operator=(const FlushBehind&) = delete;

    // Counts bytes the file has taken and starts a flush when their time has come. False when a flush
    // started earlier failed: what was written may not be on the disk.
    bool wrote(std::uint64_t count);
    // Waits for the flush that runs; false when it failed.
    bool finish();

private:
    FileHandle& file_;
    std::future<bool> flushing_;
    std::uint64_t unflushed_ = 0;
};

}  // namespace plenvik
