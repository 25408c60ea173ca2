#include "base64/Base64.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace plenvik {
namespace {

std::vector<std::uint8_t> bytesOf(std::string_view s) { return {s.begin(), s.end()}; }

std::string encodeOnce(std::string_view data, bool pad, std::int16_t lineLength = 0) {
    Base64EncodeState state;
    return encodeBase64(data, state, true, pad, lineLength);
}

struct Vector {
    std::string bytes;
    std::string unpadded;
    std::string padded;
};

const Vector kVectors[] = {
    {"", "", ""},
    {std::string(1, '\0'), "AA", "AA=="},  // an empty file is stored as one zero byte
    {"f", "Zg", "Zg=="},
    {"fo", "Zm8", "Zm8="},
    {"foo", "Zm9v", "Zm9v"},
    {"foob", "Zm9vYg", "Zm9vYg=="},
    {"fooba", "Zm9vYmE", "Zm9vYmE="},
    {"foobar", "Zm9vYmFy", "Zm9vYmFy"},
    {"\xFB\xEF\xBE", "++++", "++++"},
    {"\xFF\xFE\xFD", "//79", "//79"},
    {"\xFF", "/w", "/w=="},
    {std::string("\x00\x10\x83\x10\x51\x87\x20\x92\x8b", 9), "ABCDEFGHIJKL", "ABCDEFGHIJKL"},
};

TEST(Base64Encode, KnownVectorsWithAndWithoutPadding) {
    for (const auto& v : kVectors) {
        SCOPED_TRACE(v.unpadded);
        EXPECT_EQ(encodeOnce(v.bytes, false), v.unpadded);
        EXPECT_EQ(encodeOnce(v.bytes, true), v.padded);
        EXPECT_EQ(encodeBase64(v.bytes), v.unpadded);
        EXPECT_EQ(encodeBase64(std::span<const std::uint8_t>(bytesOf(v.bytes))), v.unpadded);
        EXPECT_EQ(base64EncodedLength(v.bytes.size()), v.unpadded.size());
    }
}

TEST(Base64Decode, KnownVectorsPaddedOrNot) {
    for (const auto& v : kVectors) {
        SCOPED_TRACE(v.unpadded);
        EXPECT_EQ(decodeBase64(v.unpadded), bytesOf(v.bytes));
        EXPECT_EQ(decodeBase64(v.padded), bytesOf(v.bytes));
        Base64DecodeState state;
        EXPECT_EQ(decodeBase64Chunk(v.padded, state, true), bytesOf(v.bytes));
        EXPECT_EQ(state.remainder, "");
    }
}

TEST(Base64Encode, EveryByteValueSurvivesTheRoundTrip) {
    std::string all;
    for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
    for (std::size_t cut = 0; cut < 3; ++cut) {
        const std::string data = all.substr(cut);
        const std::string text = encodeBase64(data);
        EXPECT_EQ(text.find('='), std::string::npos);
        EXPECT_EQ(decodeBase64(text), bytesOf(data));
    }
}

TEST(Base64Encode, NonFinalCallsHoldBackTheIncompleteGroup) {
    Base64EncodeState state;
    EXPECT_EQ(encodeBase64("foobarX", state, false, true, 0), "Zm9vYmFy");  // never padded before the end
    EXPECT_EQ(state.remainder, bytesOf("X"));
    EXPECT_EQ(encodeBase64("Y", state, false, true, 0), "");  // still no complete group
    EXPECT_EQ(state.remainder, bytesOf("XY"));
    EXPECT_EQ(encodeBase64("Zab", state, false, true, 0), "WFla");
    EXPECT_EQ(state.remainder, bytesOf("ab"));
    EXPECT_EQ(encodeBase64("", state, true, true, 0), "YWI=");
    EXPECT_TRUE(state.remainder.empty());
    EXPECT_EQ(encodeOnce("foobarXYZab", true), "Zm9vYmFyWFlaYWI=");
}

TEST(Base64Encode, LineBreaksSplitGroupsAndCarryTheColumn) {
    struct Case {
        std::string data;
        std::int16_t lineLength;
        std::int16_t columnIn;
        std::string expected;
        std::int16_t columnOut;
    };
    const Case cases[] = {
        {"foobar", 0, 7, "Zm9vYmFy", 7},                                            // no breaks: the column is left alone
        {"foobar", -5, 7, "Zm9vYmFy", 7},     {"foobar", 4, 0, "Zm9v\r\nYmFy", 4},  // a full last line ends without a break
        {"foobar", 6, 0, "Zm9vYm\r\nFy", 2},  {"foo", 10, 8, "Zm\r\n9v", 2},        // the first line continues at the caller's column
        {"foo", 10, 10, "\r\nZm9v", 4},       {"foo", 10, 12, "\r\nZm9v", 4},       // a column past the line length breaks at once
        {"foo", 1, 0, "Z\r\nm\r\n9\r\nv", 1},                                       // lines never grow past the line length
        {"foob", 3, 0, "Zm9\r\nvYg", 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.expected);
        Base64EncodeState state;
        state.column = c.columnIn;
        EXPECT_EQ(encodeBase64(c.data, state, true, false, c.lineLength), c.expected);
        EXPECT_EQ(state.column, c.columnOut);
    }
}

TEST(Base64Encode, PaddingCountsCharactersNotLineBreaks) {
    // 60 bytes are 80 characters, a whole number of groups; the CR LF after 76 needs no "=".
    const std::string data(60, 'x');
    const std::string text = encodeOnce(data, true, 76);
    EXPECT_EQ(text.size(), 82u);
    EXPECT_EQ(text.find('='), std::string::npos);
    EXPECT_EQ(text.substr(76, 2), "\r\n");
    // 61 bytes end in a group of one byte: "==" after it, wrapped like the characters before it.
    EXPECT_EQ(encodeOnce(std::string(61, 'x'), true, 76).substr(76), "\r\neHh4eA==");
    Base64EncodeState state;
    state.column = 2;
    EXPECT_EQ(encodeBase64("f", state, true, true, 4), "Zg\r\n==");
    EXPECT_EQ(state.column, 2);
}

TEST(Base64Encode, TwoChunksWithLineBreaksEqualOneCall) {
    std::string data;
    for (int i = 0; i < 300; ++i) data += static_cast<char>(i * 7 + 3);
    const std::string whole = encodeOnce(data, false, 76);

    Base64EncodeState state;
    std::string chunked = encodeBase64(data.substr(0, 100), state, false, false, 76);
    EXPECT_EQ(state.remainder.size(), 1u);
    chunked += encodeBase64(data.substr(100), state, true, false, 76);
    EXPECT_EQ(chunked, whole);
    EXPECT_EQ(whole.size(), 400u + 2 * 5);  // 400 characters: five full lines of 76 and one of 20
    EXPECT_EQ(state.column, 20);
}

TEST(Base64Decode, GroupsAreCountedByPosition) {
    struct Case {
        std::string text;
        std::string bytes;
    };
    const Case cases[] = {
        {"", ""},
        {"Q", ""},  // one sextet makes no byte
        {"Q=", ""},
        {"QQ", "A"},
        {"QQ=", "A"},
        {"QUI", "AB"},
        {"QQ==QUJD", "AABC"},                 // padding inside the text ends only its own group
        {"Zm9v\r\nYmFy", "foo\xF6\x26\x17"},  // CR LF shifts every later group: wrong bytes from here on
        {"*QQQ", "\xFD\x04\x10"},             // an absent first sextet counts as -1 in the sum
        {"Q*QQ", "\xF4\x10"},
        {"QQ*Q", "A\xD0"},
        {"****", ""},
        {"Zm9v====", "foo"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(decodeBase64(c.text), bytesOf(c.bytes));
        Base64DecodeState state;
        EXPECT_EQ(decodeBase64Chunk(c.text, state, true), bytesOf(c.bytes));
    }
}

TEST(Base64Decode, NonFinalCallsKeepTheIncompleteGroup) {
    Base64DecodeState state;
    EXPECT_EQ(decodeBase64Chunk("Zm9vYmFyWF", state, false), bytesOf("foobar"));
    EXPECT_EQ(state.remainder, "WF");
    EXPECT_EQ(decodeBase64Chunk("l", state, false), bytesOf(""));
    EXPECT_EQ(state.remainder, "WFl");
    EXPECT_EQ(decodeBase64Chunk("hYWI", state, false), bytesOf("XYa"));
    EXPECT_EQ(state.remainder, "YWI");
    EXPECT_EQ(decodeBase64Chunk("", state, true), bytesOf("ab"));
    EXPECT_EQ(state.remainder, "");
}

TEST(Base64Decode, LongTextIsDecodedWhole) {
    std::string data;
    for (int i = 0; i < 100000; ++i) data += static_cast<char>(i % 251);
    const std::string text = encodeBase64(data);
    ASSERT_GT(text.size(), 65000u);
    Base64DecodeState state;
    EXPECT_EQ(decodeBase64Chunk(text, state, true), bytesOf(data));
    EXPECT_EQ(decodeBase64(text), bytesOf(data));
}

TEST(Base64Alphabet, CharAndValueAreInverse) {
    const std::string alphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    for (std::int16_t i = 0; i < 64; ++i) {
        EXPECT_EQ(base64Char(i), std::string(1, alphabet[i]));
        EXPECT_EQ(base64Value(base64Char(i)), i);
    }
    for (std::int16_t outside : {-1, -32768, 64, 255}) EXPECT_EQ(base64Char(outside), "");
    for (int c = 0; c < 256; ++c) {
        if (alphabet.find(static_cast<char>(c)) == std::string::npos) {
            EXPECT_EQ(base64Value(std::string(1, static_cast<char>(c))), -1) << c;
        }
    }
    EXPECT_EQ(base64Value(""), -1);
    EXPECT_EQ(base64Value("AB"), -1);
    EXPECT_EQ(base64Value("a"), 26);  // case matters
    EXPECT_EQ(base64Value("A"), 0);
}

}  // namespace
}  // namespace plenvik
