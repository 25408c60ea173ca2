#include "project/BackgroundFileSink.h"

#include <algorithm>
#include <cstring>

namespace plenvik {

BackgroundFileSink::BackgroundFileSink(FileHandle& file, std::size_t bufferSize, std::size_t bufferCount)
    : file_(file), flushBehind_(file), bufferSize_(std::max<std::size_t>(bufferSize, 1)) {
    current_.bytes.resize(bufferSize_);
    for (std::size_t i = 1; i < std::max<std::size_t>(bufferCount, 2); ++i) free_.push_back({std::vector<char>(bufferSize_), 0});
    writer_ = std::thread([this] { writerLoop(); });
}

BackgroundFileSink::~BackgroundFileSink() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
        queued_.clear();
    }
    changed_.notify_all();
    writer_.join();
}

void BackgroundFileSink::write(std::string_view bytes) {
    while (!bytes.empty()) {
        if (current_.used == bufferSize_) handOver();
        const std::size_t count = std::min(bytes.size(), bufferSize_ - current_.used);
        std::memcpy(current_.bytes.data() + current_.used, bytes.data(), count);
        current_.used += count;
        bytes.remove_prefix(count);
    }
}

void BackgroundFileSink::flush() {
    if (current_.used > 0) handOver();
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return failure_ || (queued_.empty() && !writing_); });
    throwIfFailed();
    if (!flushBehind_.finish()) throwIncompleteWrite();
}

std::uint64_t BackgroundFileSink::written() const {
    std::lock_guard lock(mutex_);
    return written_;
}

// Queues the full buffer for the writer and takes a free one, waiting while all are in use.
void BackgroundFileSink::handOver() {
    std::unique_lock lock(mutex_);
    throwIfFailed();
    queued_.push_back(std::move(current_));
    changed_.notify_all();
    changed_.wait(lock, [this] { return failure_ || !free_.empty(); });
    throwIfFailed();
    current_ = std::move(free_.back());
    free_.pop_back();
    current_.used = 0;
}

void BackgroundFileSink::throwIfFailed() const {
    if (failure_) std::rethrow_exception(failure_);
}

void BackgroundFileSink::writerLoop() {
    std::unique_lock lock(mutex_);
    for (;;) {
        changed_.wait(lock, [this] { return stopping_ || !queued_.empty(); });
        if (stopping_) return;
        Buffer buffer = std::move(queued_.front());
        queued_.pop_front();
        writing_ = true;
        lock.unlock();
        std::exception_ptr failure;
        std::uint64_t done = 0;
        try {
            done = writeAll(file_, buffer.bytes.data(), buffer.used);
            if (!flushBehind_.wrote(done)) throwIncompleteWrite();
        } catch (...) {
            failure = std::current_exception();
        }
        lock.lock();
        writing_ = false;
        written_ += done;
        if (failure) {
            failure_ = failure;
            queued_.clear();
        }
        free_.push_back(std::move(buffer));
        changed_.notify_all();
    }
}

}  // namespace plenvik
