// Times the Base64 codec on the bytes of a file, best of several runs, and writes what it produced so
// that bench/base64.sh can check it against the system's base64 tool.
//   base64_bench INPUT ENCODED_OUT DECODED_OUT [RUNS]
// Prints "<what> <MB/s>" lines, MB = 10^6 bytes of binary data: "encode" and "decode" through bounded
// buffers, "decode-content" as the restore decodes an embedded file (the strict decoder, 1 MB pieces of
// text into one reused buffer), then the one-call entry points, whose figures include the first touch
// of a result as large as the whole text (on some virtual machines that alone costs more than the
// coding).
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "base64/Base64ContentDecoder.h"
#include "base64/Base64StreamEncoder.h"
#include "base64/Base64.h"

namespace {

using Clock = std::chrono::steady_clock;

template <class Run>
double bestSeconds(int runs, Run&& run) {
    double best = 1e30;
    for (int i = 0; i < runs; ++i) {
        const auto start = Clock::now();
        run();
        best = std::min(best, std::chrono::duration<double>(Clock::now() - start).count());
    }
    return best;
}

bool writeFile(const char* path, const void* data, std::size_t size) {
    std::ofstream out(path, std::ios::binary);
    out.write(static_cast<const char*>(data), static_cast<std::streamsize>(size));
    return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv) {
    using namespace plenvik;
    if (argc < 4) {
        std::fprintf(stderr, "usage: %s INPUT ENCODED_OUT DECODED_OUT [RUNS]\n", argv[0]);
        return 2;
    }
    const int runs = argc > 4 ? std::max(1, std::atoi(argv[4])) : 3;
    std::ifstream in(argv[1], std::ios::binary);
    const std::vector<std::uint8_t> data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (!in.eof() && !in) {
        std::fprintf(stderr, "cannot read %s\n", argv[1]);
        return 1;
    }
    const double megabytes = static_cast<double>(data.size()) / 1e6;

    // Through bounded buffers, as the save embeds a file and as the tool works: 64 KiB of bytes per
    // write to the stream encoder, 64 KiB of text per chunked decode call.
    constexpr std::size_t kChunk = 64 * 1024;
    std::size_t streamedChars = 0;
    const double encode = bestSeconds(runs, [&] {
        streamedChars = 0;
        Base64StreamEncoder encoder([&streamedChars](std::string_view piece) { streamedChars += piece.size(); });
        for (std::size_t at = 0; at < data.size(); at += kChunk)
            encoder.write(std::span(data).subspan(at, std::min(kChunk, data.size() - at)));
        encoder.finish();
    });
    const std::string text = encodeBase64(std::span<const std::uint8_t>(data));
    const auto decodeInChunks = [&text](auto&& take) {
        Base64DecodeState state;
        for (std::size_t at = 0; at < text.size(); at += kChunk)
            take(decodeBase64Chunk(std::string_view(text).substr(at, kChunk), state, false));
        take(decodeBase64Chunk({}, state, true));
    };
    std::size_t decodedBytes = 0;
    const double decode = bestSeconds(runs, [&] {
        decodedBytes = 0;
        decodeInChunks([&decodedBytes](const std::vector<std::uint8_t>& bytes) { decodedBytes += bytes.size(); });
    });
    // As the restore does it: each piece of text decoded into the same buffer, handed to take(bytes, n).
    // False when the decoder finds the text damaged.
    constexpr std::size_t kContentPiece = 1 << 20;
    std::vector<std::uint8_t> contentBuffer(Base64ContentDecoder::maxBytes(kContentPiece));
    const auto decodeContent = [&text, &contentBuffer](auto&& take) {
        Base64ContentDecoder decoder;
        for (std::size_t at = 0; at < text.size(); at += kContentPiece) {
            const auto n = decoder.feed(std::string_view(text).substr(at, kContentPiece), contentBuffer.data());
            if (!n) return false;
            take(contentBuffer.data(), *n);
        }
        const auto n = decoder.finish(contentBuffer.data());
        if (n) take(contentBuffer.data(), *n);
        return n.has_value();
    };
    const double content = bestSeconds(runs, [&] { decodeContent([](const std::uint8_t*, std::size_t) {}); });
    std::size_t contentBytes = 0;
    bool contentSame = true;
    const bool contentWhole = decodeContent([&](const std::uint8_t* bytes, std::size_t n) {
        contentSame = contentSame && contentBytes + n <= data.size() && std::equal(bytes, bytes + n, data.begin() + contentBytes);
        contentBytes += n;
    });
    std::vector<std::uint8_t> chunked;
    decodeInChunks([&chunked](const std::vector<std::uint8_t>& bytes) { chunked.insert(chunked.end(), bytes.begin(), bytes.end()); });

    // In one call, each into a freshly allocated result as large as the whole text or data.
    std::string whole;
    const double encodeOnce = bestSeconds(runs, [&] { whole = encodeBase64(std::span<const std::uint8_t>(data)); });
    std::vector<std::uint8_t> decoded;
    const double decodeOnce = bestSeconds(runs, [&] {
        Base64DecodeState state;
        decoded = decodeBase64Chunk(text, state, true);
    });
    std::vector<std::uint8_t> decodedAll;
    const double decodeAll = bestSeconds(runs, [&] { decodedAll = decodeBase64(text); });
    // What fresh memory alone costs here: allocating and filling a block the size of the text.
    const double freshMemory = bestSeconds(runs, [&] { whole = std::string(text.size(), 'x'); });
    whole = encodeBase64(std::span<const std::uint8_t>(data));

    if (streamedChars != text.size() || whole != text) {
        std::fprintf(stderr, "the encoders disagree\n");
        return 1;
    }
    if (decodedBytes != data.size() || chunked != data || decoded != data || decodedAll != data || !contentWhole || !contentSame ||
        contentBytes != data.size()) {
        std::fprintf(stderr, "decoding the encoded text did not give the input back\n");
        return 1;
    }
    if (!writeFile(argv[2], text.data(), text.size()) || !writeFile(argv[3], chunked.data(), chunked.size())) {
        std::fprintf(stderr, "cannot write the outputs\n");
        return 1;
    }
    std::printf("encode %.0f\n", megabytes / encode);
    std::printf("decode %.0f\n", megabytes / decode);
    std::printf("decode-content %.0f\n", megabytes / content);
    std::printf("encode-one-call %.0f\n", megabytes / encodeOnce);
    std::printf("decode-one-call %.0f\n", megabytes / decodeOnce);
    std::printf("decode-all-one-call %.0f\n", megabytes / decodeAll);
    std::printf("fresh-memory-for-the-text-alone %.0f\n", megabytes / freshMemory);
    return 0;
}
