#include "jpeg/HuffmanTable.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "jpeg/JpegError.h"
#include "jpeg/JpegWriter.h"
#include "unit/jpeg/SyntheticImages.h"

namespace plenvik {
namespace {

struct CountsCase {
    const char* name;
    SymbolCounts counts;
};

SymbolCounts fibonacci(int n) {  // the counts that make the deepest unlimited Huffman tree
    SymbolCounts c{};
    std::uint32_t a = 1, b = 1;
    for (int i = 0; i < n; ++i) {
        c[i * 7 % 256] = a;
        const std::uint32_t next = a + b;
        a = b;
        b = next;
    }
    return c;
}

std::vector<CountsCase> countCases() {
    std::vector<CountsCase> cases;
    SymbolCounts one{};
    one[0x00] = 1000;
    cases.push_back({"one symbol", one});
    SymbolCounts two{};
    two[0x01] = 5, two[0xF0] = 1;
    cases.push_back({"two symbols", two});
    SymbolCounts all{};
    all.fill(3);
    cases.push_back({"all 256 alike", all});
    cases.push_back({"fibonacci 30", fibonacci(30)});
    cases.push_back({"fibonacci 45", fibonacci(45)});
    SymbolCounts skewed{};
    testimages::Noise noise(3);
    for (int s = 0; s < 256; ++s)
        skewed[s] = s % 3 == 0 ? 0 : static_cast<std::uint32_t>(1 + (noise.next(1000) + 1000) * (s < 20 ? 5000 : 1));
    cases.push_back({"skewed", skewed});
    return cases;
}

TEST(HuffmanTable, OptimalTablesAreValidPrefixCodesOfAtMost16Bits) {
    for (const auto& c : countCases()) {
        SCOPED_TRACE(c.name);
        const HuffmanSpec table = buildOptimalHuffman(c.counts);
        const HuffmanCodes codes = huffmanCodes(table, false);  // raises for an invalid table
        // Unlimited, Fibonacci counts would need codes of 29 and 44 bits: the limit must have acted.
        if (std::string(c.name).rfind("fibonacci", 0) == 0) {
            EXPECT_GT(table.counts[15], 0);
        }

        // Exactly the symbols that occur have codes.
        for (int s = 0; s < 256; ++s) EXPECT_EQ(codes.length[s] != 0, c.counts[s] != 0) << "symbol " << s;
        // Kraft sum below 1: a prefix code with the all-ones code left free.
        std::uint64_t kraft = 0;
        for (int len = 1; len <= 16; ++len) kraft += static_cast<std::uint64_t>(table.counts[len - 1]) << (16 - len);
        EXPECT_LT(kraft, 1u << 16);
        // No code is the prefix of another, and none is all ones.
        for (int a = 0; a < 256; ++a) {
            if (!codes.length[a]) continue;
            EXPECT_LE(codes.length[a], 16);
            EXPECT_NE(codes.code[a], (1u << codes.length[a]) - 1) << "all-ones code for " << a;
            for (int b = 0; b < 256; ++b) {
                if (a == b || !codes.length[b] || codes.length[b] < codes.length[a]) continue;
                EXPECT_NE(codes.code[b] >> (codes.length[b] - codes.length[a]), codes.code[a]) << a << " prefixes " << b;
            }
        }
        // Within a bit per symbol of the entropy, the bound of any Huffman code; the 16-bit limit and
        // the reserved code cost a little, far less than a bit per symbol.
        double total = 0, entropy = 0, cost = 0;
        for (auto n : c.counts) total += n;
        for (int s = 0; s < 256; ++s) {
            if (!c.counts[s]) continue;
            entropy -= c.counts[s] * std::log2(c.counts[s] / total);
            cost += static_cast<double>(c.counts[s]) * codes.length[s];
        }
        EXPECT_LE(cost, entropy + total);
        // Below the limit, more frequent symbols never get longer codes. (At the limit the adjusted
        // lengths go by symbol number among codes that were equally long before.)
        if (*std::max_element(codes.length.begin(), codes.length.end()) < 16) {
            for (int a = 0; a < 256; ++a)
                for (int b = 0; b < 256; ++b)
                    if (c.counts[a] > c.counts[b] && c.counts[b] > 0) {
                        EXPECT_LE(codes.length[a], codes.length[b]);
                    }
        }
    }
}

TEST(HuffmanTable, BuildsTheKnownOptimalLengths) {
    // Counts 8, 4, 2, 1, 1 give lengths 1, 2, 3, 4, 4 in a full tree; keeping the all-ones code free
    // pushes the rarest symbol one level down.
    SymbolCounts counts{};
    counts[10] = 8, counts[11] = 4, counts[12] = 2, counts[13] = 1, counts[14] = 1;
    const HuffmanCodes codes = huffmanCodes(buildOptimalHuffman(counts), false);
    EXPECT_EQ(codes.length[10], 1);
    EXPECT_EQ(codes.length[11], 2);
    EXPECT_EQ(codes.length[12], 3);
    EXPECT_EQ(codes.length[13], 4);
    EXPECT_EQ(codes.length[14], 5);
    // Canonical codes, as Annex C assigns them: 0, 10, 110, 1110, 11110.
    EXPECT_EQ(codes.code[10], 0b0);
    EXPECT_EQ(codes.code[11], 0b10);
    EXPECT_EQ(codes.code[14], 0b11110);
}

TEST(HuffmanTable, InvalidTablesAreRefused) {
    struct Case {
        const char* name;
        HuffmanSpec table;
        bool dc;
    };
    auto table = [](std::initializer_list<std::pair<int, int>> lengthCounts, std::vector<std::uint8_t> symbols) {
        HuffmanSpec s;
        for (auto [length, count] : lengthCounts) s.counts[length - 1] = static_cast<std::uint8_t>(count);
        s.symbols = std::move(symbols);
        return s;
    };
    const Case cases[] = {
        {"three one-bit codes", table({{1, 3}}, {0, 1, 2}), false},
        {"the all-ones code", table({{1, 2}}, {0, 1}), false},
        {"a symbol twice", table({{2, 2}}, {5, 5}), false},
        {"fewer symbols than codes", table({{2, 2}}, {5}), false},
        {"no symbols", table({}, {}), false},
        {"DC category 16", table({{2, 2}}, {3, 16}), true},
    };
    for (const Case& c : cases) {
        try {
            huffmanCodes(c.table, c.dc);
            ADD_FAILURE() << c.name << " was accepted";
        } catch (const RuntimeError& e) {
            EXPECT_EQ(e.number(), 1) << c.name;
            EXPECT_EQ(e.description(), "Bad Huffman Table") << c.name;
        }
    }
    EXPECT_NO_THROW(huffmanCodes(table({{2, 3}}, {0, 1, 2}), true));
}

}  // namespace
}  // namespace plenvik
