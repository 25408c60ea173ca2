// Bounded random inputs with a fixed seed: the table-driven codec against a plain character-by-character
// model of the same rules, and every way of chunking against the one-call result.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "base64/Base64StreamEncoder.h"
#include "base64/Base64.h"

namespace plenvik {
namespace {

using Bytes = std::vector<std::uint8_t>;

// Sextet by sextet, through the module's own one-character operations.
std::string modelEncode(const Bytes& data) {
    std::string text;
    for (std::size_t i = 0; i < data.size(); i += 3) {
        const int b1 = data[i];
        const bool has2 = i + 1 < data.size(), has3 = i + 2 < data.size();
        const int b2 = has2 ? data[i + 1] : 0, b3 = has3 ? data[i + 2] : 0;
        text += base64Char(static_cast<std::int16_t>(b1 / 4));
        text += base64Char(static_cast<std::int16_t>(b1 % 4 * 16 + b2 / 16));
        if (has2) text += base64Char(static_cast<std::int16_t>(b2 % 16 * 4 + b3 / 64));
        if (has3) text += base64Char(static_cast<std::int16_t>(b3 % 64));
    }
    return text;
}

Bytes modelDecode(const std::string& text) {
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

class Base64Random : public ::testing::Test {
protected:
    std::mt19937 rng{20071206};

    std::size_t below(std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n - 1)(rng); }

    Bytes randomBytes() {
        // Mostly short inputs, where the group edges are; now and then a long one.
        const std::size_t size = below(10) == 0 ? below(20000) : below(64);
        Bytes data(size);
        for (auto& b : data) b = static_cast<std::uint8_t>(below(256));
        return data;
    }

    // Cut points of a random split of size into chunks, empty chunks included.
    std::vector<std::size_t> randomCuts(std::size_t size) {
        std::vector<std::size_t> cuts{0};
        while (cuts.back() < size) cuts.push_back(std::min(size, cuts.back() + below(below(4) == 0 ? 50 : 5)));
        return cuts;
    }
};

TEST_F(Base64Random, EncodeAndDecodeMatchTheModelAndRoundTrip) {
    for (int round = 0; round < 3000; ++round) {
        const Bytes data = randomBytes();
        const std::string text = encodeBase64(std::span<const std::uint8_t>(data));
        ASSERT_EQ(text, modelEncode(data)) << "round " << round;
        ASSERT_EQ(decodeBase64(text), data) << "round " << round;
        Base64EncodeState padded;
        ASSERT_EQ(decodeBase64(encodeBase64(data, padded, true, true, 0)), data) << "round " << round;
    }
}

TEST_F(Base64Random, ChunkedEncodeEqualsOneCall) {
    for (int round = 0; round < 2000; ++round) {
        const Bytes data = randomBytes();
        const auto lineLength = static_cast<std::int16_t>(below(3) == 0 ? 0 : 1 + below(80));
        const bool pad = below(2) == 0;
        Base64EncodeState whole;
        const std::string expected = encodeBase64(data, whole, true, pad, lineLength);

        Base64EncodeState state;
        std::string chunked;
        const auto cuts = randomCuts(data.size());
        for (std::size_t i = 1; i < cuts.size(); ++i)
            chunked += encodeBase64(std::span(data).subspan(cuts[i - 1], cuts[i] - cuts[i - 1]), state, false, pad, lineLength);
        chunked += encodeBase64(std::span<const std::uint8_t>(), state, true, pad, lineLength);
        ASSERT_EQ(chunked, expected) << "round " << round;
        ASSERT_EQ(state.column, whole.column) << "round " << round;

        if (lineLength > 0) {
            // Lines are full except the last; without the breaks the text is the unwrapped one.
            std::string joined;
            std::size_t start = 0;
            for (std::size_t end; (end = expected.find("\r\n", start)) != std::string::npos; start = end + 2) {
                ASSERT_EQ(end - start, static_cast<std::size_t>(lineLength)) << "round " << round;
                joined += expected.substr(start, end - start);
            }
            ASSERT_LE(expected.size() - start, static_cast<std::size_t>(lineLength));
            joined += expected.substr(start);
            Base64EncodeState flat;
            ASSERT_EQ(joined, encodeBase64(data, flat, true, pad, 0)) << "round " << round;
        }
    }
}

TEST_F(Base64Random, StreamEncoderEqualsOneCallForEveryChunking) {
    for (int round = 0; round < 1000; ++round) {
        const Bytes data = randomBytes();
        const std::string expected = encodeBase64(std::span<const std::uint8_t>(data));
        const auto cuts = randomCuts(data.size());

        std::string appended = "prefix:";
        Base64StreamEncoder toString(appended);
        std::string collected;
        Base64StreamEncoder toSink([&collected](std::string_view piece) {
            EXPECT_FALSE(piece.empty());
            EXPECT_LE(piece.size(), Base64StreamEncoder::kBlockChars);
            collected += piece;
        });
        for (std::size_t i = 1; i < cuts.size(); ++i) {
            const auto chunk = std::span(data).subspan(cuts[i - 1], cuts[i] - cuts[i - 1]);
            toString.write(chunk);
            toSink.write(chunk);
        }
        toString.finish();
        toSink.finish();
        ASSERT_EQ(appended, "prefix:" + expected) << "round " << round;
        ASSERT_EQ(collected, expected) << "round " << round;
        ASSERT_EQ(toSink.bytesRead(), data.size());
    }
}

TEST_F(Base64Random, AnyTextDecodesLikeTheModelInAnyChunking) {
    // Mostly alphabet characters, with the characters that garble a group: padding, line breaks, bytes
    // outside ASCII, NUL.
    const std::string junk = std::string("=\r\n \x80\xFF-_", 9) + std::string(1, '\0');
    const std::string alphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    for (int round = 0; round < 3000; ++round) {
        const std::size_t size = below(10) == 0 ? below(5000) : below(40);
        const std::size_t junkRate = 1 + below(20);
        std::string text(size, '\0');
        for (auto& c : text) c = below(junkRate) == 0 ? junk[below(junk.size())] : alphabet[below(64)];

        const Bytes expected = modelDecode(text);
        ASSERT_EQ(decodeBase64(text), expected) << "round " << round;

        Base64DecodeState state;
        Bytes chunked;
        const auto cuts = randomCuts(text.size());
        for (std::size_t i = 1; i < cuts.size(); ++i) {
            const Bytes part = decodeBase64Chunk(std::string_view(text).substr(cuts[i - 1], cuts[i] - cuts[i - 1]), state, false);
            ASSERT_LT(state.remainder.size(), 4u);
            chunked.insert(chunked.end(), part.begin(), part.end());
        }
        const Bytes last = decodeBase64Chunk("", state, true);
        chunked.insert(chunked.end(), last.begin(), last.end());
        ASSERT_EQ(chunked, expected) << "round " << round;
    }
}

TEST(Base64Stream, LargeInputReachesTheSinkInBoundedPieces) {
    Bytes data(1'000'003);
    for (std::size_t i = 0; i < data.size(); ++i) data[i] = static_cast<std::uint8_t>(i * 2654435761u >> 13);
    std::string collected;
    std::size_t pieces = 0;
    Base64StreamEncoder encoder([&](std::string_view piece) {
        ++pieces;
        ASSERT_LE(piece.size(), Base64StreamEncoder::kBlockChars);
        collected += piece;
    });
    encoder.write(data);  // one write far larger than a block
    encoder.finish();
    encoder.finish();  // a second finish adds nothing
    EXPECT_EQ(collected, encodeBase64(std::span<const std::uint8_t>(data)));
    EXPECT_GE(pieces, collected.size() / Base64StreamEncoder::kBlockChars);
    EXPECT_THROW(encoder.write(std::string_view("x")), std::logic_error);
}

TEST(Base64Stream, FinishWritesTheUnpaddedTail) {
    const std::pair<std::string, std::string> cases[] = {{"", ""}, {"f", "Zg"}, {"fo", "Zm8"}, {"foo", "Zm9v"}};
    for (const auto& [data, expected] : cases) {
        std::string out;
        Base64StreamEncoder encoder(out);
        for (char c : data) encoder.write(std::string_view(&c, 1));
        EXPECT_EQ(out.size(), data.size() / 3 * 4);  // the tail waits for finish
        encoder.finish();
        EXPECT_EQ(out, expected);
    }
}

}  // namespace
}  // namespace plenvik
