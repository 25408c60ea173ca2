#include "system/ReadAheadFile.h"

#include <algorithm>
#include <utility>

#include "platform/FileSystem.h"

namespace plenvik {

ReadAheadFile::ReadAheadFile(FileHandle& file, std::uint64_t limit, std::size_t pieceSize, std::size_t pieceCount)
    : file_(file), left_(limit) {
    const std::size_t size = static_cast<std::size_t>(std::min<std::uint64_t>(pieceSize, std::max<std::uint64_t>(limit, 1)));
    if (limit <= size) {
        // One piece holds it all: read at once, on this thread.
        readAll(size);
        return;
    }
    for (std::size_t i = 0; i < std::max<std::size_t>(pieceCount, 2); ++i) free_.push_back(Piece{std::vector<char>(size)});
    reader_ = std::thread([this] { readerLoop(); });
}

void ReadAheadFile::readAll(std::size_t size) {
    Piece piece{std::vector<char>(size)};
    while (piece.size < left_) {
        const auto n = file_.read(piece.bytes.data() + piece.size, static_cast<std::size_t>(left_) - piece.size);
        if (!n) failed_ = true;
        if (!n || *n == 0) break;
        piece.size += *n;
    }
    if (piece.size > 0) filled_.push_back(std::move(piece));
    ended_ = true;
}

ReadAheadFile::~ReadAheadFile() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
    if (reader_.joinable()) reader_.join();
}

void ReadAheadFile::readerLoop() {
    for (;;) {
        Piece piece;
        {
            std::unique_lock lock(mutex_);
            changed_.wait(lock, [&] { return stopping_ || !free_.empty(); });
            if (stopping_) return;
            piece = std::move(free_.back());
            free_.pop_back();
        }
        const std::size_t want = static_cast<std::size_t>(std::min<std::uint64_t>(piece.bytes.size(), left_));
        const auto n = want > 0 ? file_.read(piece.bytes.data(), want) : std::optional<std::size_t>(0);
        {
            std::lock_guard lock(mutex_);
            if (!n) failed_ = true;
            else if (*n == 0) ended_ = true;
            else {
                left_ -= *n;
                piece.size = *n;
                filled_.push_back(std::move(piece));
            }
        }
        changed_.notify_all();
        if (!n || *n == 0) return;
    }
}

std::optional<std::string_view> ReadAheadFile::read(std::size_t count) {
    if (taken_ == current_.size) {
        std::unique_lock lock(mutex_);
        if (!current_.bytes.empty()) free_.push_back(std::move(current_));
        current_ = Piece{};
        taken_ = 0;
        changed_.notify_all();
        changed_.wait(lock, [&] { return !filled_.empty() || ended_ || failed_; });
        if (filled_.empty()) {
            if (failed_) return std::nullopt;
            return std::string_view();
        }
        current_ = std::move(filled_.front());
        filled_.pop_front();
    }
    const std::size_t n = std::min(count, current_.size - taken_);
    const std::string_view bytes(current_.bytes.data() + taken_, n);
    taken_ += n;
    return bytes;
}

}  // namespace plenvik
