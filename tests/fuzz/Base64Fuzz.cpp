// libFuzzer target for the Base64 codec (scripts/fuzz base64; built in the sanitizer build).
// Every input is used twice: as bytes to encode (one call, chunked with line breaks, streamed; all must
// agree and decode back), and as text to decode (one call and chunked, against a plain model of the
// positional group rule). The sanitizers catch any read or write outside a buffer.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "base64/Base64StreamEncoder.h"
#include "base64/Base64.h"

namespace {

using namespace plenvik;
using Bytes = std::vector<std::uint8_t>;

void check(bool ok) {
    if (!ok) std::abort();
}

Bytes modelDecode(std::string_view text) {
    Bytes bytes;
    for (std::size_t i = 0; i < text.size(); i += 4) {
        int d[4];
        for (std::size_t k = 0; k < 4; ++k) d[k] = i + k < text.size() ? base64Value(text.substr(i + k, 1)) : -1;
        if (d[1] >= 0) bytes.push_back(static_cast<std::uint8_t>((d[0] * 4 + d[1] / 16) & 0xFF));
        if (d[2] >= 0) bytes.push_back(static_cast<std::uint8_t>((d[1] * 16 + d[2] / 4) & 0xFF));
        if (d[3] >= 0) bytes.push_back(static_cast<std::uint8_t>((d[2] * 64 + d[3]) & 0xFF));
    }
    return bytes;
}

// Chunk sizes drawn from the input itself, so that the fuzzer steers the splits too.
class Splitter {
public:
    explicit Splitter(std::span<const std::uint8_t> seed) : seed_(seed) {}
    std::size_t next(std::size_t left) {
        std::size_t n = seed_.empty() ? 1 : seed_[at_++ % seed_.size()] % 17;
        if (n == 0 && lastWasEmpty_) n = 1;  // empty chunks, but never two in a row: the split ends
        lastWasEmpty_ = n == 0;
        return n < left ? n : left;
    }

private:
    std::span<const std::uint8_t> seed_;
    std::size_t at_ = 0;
    bool lastWasEmpty_ = false;
};

void fuzzEncode(std::span<const std::uint8_t> data) {
    const std::string text = encodeBase64(data);
    check(text.size() == base64EncodedLength(data.size()));
    check(decodeBase64(text) == Bytes(data.begin(), data.end()));

    const auto lineLength = static_cast<std::int16_t>(data.empty() ? 0 : static_cast<int>(data[0] % 90) - 5);
    const bool pad = !data.empty() && (data.back() & 1) != 0;
    Base64EncodeState whole;
    whole.column = static_cast<std::int16_t>(data.size() > 1 ? data[1] % 100 : 0);
    Base64EncodeState chunkedState = whole;
    const std::string expected = encodeBase64(data, whole, true, pad, lineLength);
    std::string chunked;
    Splitter split(data);
    std::string streamed;
    Base64StreamEncoder stream(streamed);
    for (std::size_t at = 0; at < data.size();) {
        const std::size_t n = split.next(data.size() - at);
        chunked += encodeBase64(data.subspan(at, n), chunkedState, false, pad, lineLength);
        stream.write(data.subspan(at, n));
        at += n;
    }
    chunked += encodeBase64(std::span<const std::uint8_t>(), chunkedState, true, pad, lineLength);
    stream.finish();
    check(chunked == expected);
    check(chunkedState.column == whole.column);
    check(streamed == text);
}

void fuzzDecode(std::string_view text) {
    const Bytes expected = modelDecode(text);
    check(decodeBase64(text) == expected);
    Base64DecodeState state;
    Bytes chunked;
    Splitter split({reinterpret_cast<const std::uint8_t*>(text.data()), text.size()});
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t n = split.next(text.size() - at);
        const Bytes part = decodeBase64Chunk(text.substr(at, n), state, false);
        check(state.remainder.size() < 4);
        chunked.insert(chunked.end(), part.begin(), part.end());
        at += n;
    }
    const Bytes last = decodeBase64Chunk({}, state, true);
    chunked.insert(chunked.end(), last.begin(), last.end());
    check(chunked == expected);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    fuzzEncode(bytes);
    fuzzDecode(std::string_view(reinterpret_cast<const char*>(data), size));
    return 0;
}
