// Writes into an open file on a second thread, so that producing the bytes (reading and encoding the
// embedded files) and storing them (the system's file writes) run at the same time; a big file is
// flushed behind those writes (FlushBehind). Memory stays bounded: a fixed number of buffers circulate
// between the two threads.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <exception>
#include <mutex>
#include <string_view>
#include <thread>
#include <vector>

#include "common/FlushBehind.h"
#include "project/ByteSink.h"

namespace plenvik {

class BackgroundFileSink : public ByteSink {
public:
    explicit BackgroundFileSink(FileHandle& file, std::size_t bufferSize = 1024 * 1024, std::size_t bufferCount = 3);
    // Stops the writer thread. Bytes not yet flushed are dropped, as a write that failed half-way would
    // leave them; the file is not touched after the destructor returns.
    ~BackgroundFileSink() override;

    BackgroundFileSink(const BackgroundFileSink&) = delete;
    BackgroundFileSink& operator=(const BackgroundFileSink&) = delete;

    // Throws the writer's RuntimeError once a write has failed; nothing is written after that.
    void write(std::string_view bytes) override;
    // Returns once every byte written so far is in the file and no flush behind the writes runs any
    // more; throws the writer's RuntimeError.
    void flush() override;
    // Bytes the file has taken so far.
    std::uint64_t written() const;

private:
    struct Buffer {
        std::vector<char> bytes;
        std::size_t used = 0;
    };

    void handOver();
    void throwIfFailed() const;
    void writerLoop();

    FileHandle& file_;
    FlushBehind flushBehind_;  // used by the writer thread, and by flush() while that thread waits
    std::size_t bufferSize_;
    Buffer current_;

    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<Buffer> free_;
    std::deque<Buffer> queued_;
    bool writing_ = false;
    bool stopping_ = false;
    std::exception_ptr failure_;
    std::uint64_t written_ = 0;

    std::thread writer_;  // last: started once everything above exists
};

}  // namespace plenvik
