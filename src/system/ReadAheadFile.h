// Reads a file ahead on a second thread, so that reading (the system copying the file's pages) and
// using the bytes (checking or decoding Base64 text) run at the same time. Memory stays bounded: a few
// fixed pieces circulate between the two threads, and the caller sees them in place, without a copy.
// While a ReadAheadFile lives, the handle is its own: the caller reads only through it.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <optional>
#include <string_view>
#include <thread>
#include <vector>

namespace plenvik {

class FileHandle;

class ReadAheadFile {
public:
    static constexpr std::size_t kPieceSize = 1 << 20;

    // Reads at most limit bytes from the handle's position on; a limit that fits one piece is read at
    // once, without a second thread.
    ReadAheadFile(FileHandle& file, std::uint64_t limit, std::size_t pieceSize = kPieceSize, std::size_t pieceCount = 3);
    // Stops the reader; the handle's position is then somewhere past what was taken.
    ~ReadAheadFile();

    ReadAheadFile(const ReadAheadFile&) = delete;
    ReadAheadFile& operator=(const ReadAheadFile&) = delete;

    // The next bytes, at most count (> 0) and at least one, in place: valid until the next call. Empty at
    // the end of the file or of the limit; nullopt when the file could not be read.
    std::optional<std::string_view> read(std::size_t count);

private:
    struct Piece {
        std::vector<char> bytes;
        std::size_t size = 0;
    };

    void readerLoop();
    void readAll(std::size_t size);

    FileHandle& file_;
    std::uint64_t left_;  // the reader's: bytes still to read
    Piece current_;       // the caller's: the piece being taken
    std::size_t taken_ = 0;

    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<Piece> free_;
    std::deque<Piece> filled_;
    bool ended_ = false;
    bool failed_ = false;
    bool stopping_ = false;

    std::thread reader_;  // last: started once everything above exists
};

}  // namespace plenvik
