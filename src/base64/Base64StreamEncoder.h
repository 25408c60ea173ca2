// Base64 of a byte stream that arrives in chunks of any size, written to a sink as it is produced: the
// save embeds a file's contents without holding the whole file in memory. The text is one line without
// padding, the same characters encodeBase64 writes for the concatenated chunks.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>

namespace plenvik {

class Base64StreamEncoder {
public:
    // Receives the text in pieces of at most kBlockChars characters, in order.
    using Sink = std::function<void(std::string_view text)>;
    static constexpr std::size_t kBlockChars = 64 * 1024;

    // Appends the text to target, which must outlive the encoder.
    explicit Base64StreamEncoder(std::string& target);
    explicit Base64StreamEncoder(Sink sink);

    Base64StreamEncoder(const Base64StreamEncoder&) = delete;
    Base64StreamEncoder& operator=(const Base64StreamEncoder&) = delete;

    // Encodes the next bytes of the stream; a trailing one or two bytes wait for the next call.
    // Throws std::logic_error after finish().
    void write(std::span<const std::uint8_t> bytes);
    void write(std::string_view bytes);

    // Writes the waiting bytes as the unpadded tail (two or three characters) and hands every character
    // still held to the sink. The stream is complete afterwards; a second call does nothing. Without
    // finish() the text is incomplete: the destructor writes nothing, because a sink may fail.
    void finish();

    // Bytes taken by write() so far.
    std::uint64_t bytesRead() const { return bytesRead_; }

private:
    void emitGroups(const std::uint8_t* in, std::size_t groups);
    void flushBlock();

    std::string* target_ = nullptr;
    Sink sink_;
    std::string block_;  // characters waiting for the sink (sink mode only)
    std::size_t blockUsed_ = 0;
    std::uint8_t pending_[2] = {};
    std::size_t pendingCount_ = 0;
    std::uint64_t bytesRead_ = 0;
    bool finished_ = false;
};

}  // namespace plenvik
