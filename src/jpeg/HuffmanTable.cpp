#include "jpeg/HuffmanTable.h"

#include <algorithm>

#include "jpeg/JpegError.h"

namespace plenvik {
namespace {

constexpr int kSymbols = 257;  // 256 symbols and one reserved entry that keeps the all-ones code free
constexpr int kNone = -1;

// The symbol with the least count above zero, other than skip; on ties the higher symbol number.
int leastFrequent(const std::array<std::uint64_t, kSymbols>& freq, int skip) {
    int found = kNone;
    for (int i = 0; i < kSymbols; ++i) {
        if (i == skip || freq[i] == 0) continue;
        if (found == kNone || freq[i] <= freq[found]) found = i;
    }
    return found;
}

}  // namespace

HuffmanSpec buildOptimalHuffman(const SymbolCounts& counts) {
    std::array<std::uint64_t, kSymbols> freq{};
    std::copy(counts.begin(), counts.end(), freq.begin());
    freq[256] = 1;

    // Code sizes: join the two least frequent entries until one is left; every member of a joined
    // chain gets one bit longer.
    std::array<int, kSymbols> codeSize{};
    std::array<int, kSymbols> next{};
    next.fill(kNone);
    for (;;) {
        int v1 = leastFrequent(freq, kNone);
        int v2 = leastFrequent(freq, v1);
        if (v2 == kNone) break;
        freq[v1] += freq[v2];
        freq[v2] = 0;
        for (++codeSize[v1]; next[v1] != kNone; ++codeSize[v1]) v1 = next[v1];
        next[v1] = v2;
        for (++codeSize[v2]; next[v2] != kNone; ++codeSize[v2]) v2 = next[v2];
    }

    // Number of codes per length; a chain can be at most 256 joins deep.
    std::array<int, kSymbols + 1> bits{};
    int longest = 0;
    for (int i = 0; i < kSymbols; ++i) {
        if (codeSize[i] == 0) continue;
        ++bits[codeSize[i]];
        longest = std::max(longest, codeSize[i]);
    }

    // Limit to 16 bits: the two longest codes give up their pair; one takes the parent's place, and a
    // shorter code is split into two to host the other.
    for (int i = longest; i > 16; --i) {
        while (bits[i] > 0) {
            int j = i - 2;
            while (bits[j] == 0) --j;
            bits[i] -= 2;
            bits[i - 1] += 1;
            bits[j + 1] += 2;
            bits[j] -= 1;
        }
    }
    // Drop the reserved entry, which holds the longest code.
    int last = 16;
    while (bits[last] == 0) --last;
    --bits[last];

    HuffmanSpec table;
    for (int i = 1; i <= 16; ++i) table.counts[i - 1] = static_cast<std::uint8_t>(bits[i]);
    for (int size = 1; size <= longest; ++size)
        for (int symbol = 0; symbol < 256; ++symbol)
            if (codeSize[symbol] == size) table.symbols.push_back(static_cast<std::uint8_t>(symbol));
    return table;
}

HuffmanCodes huffmanCodes(const HuffmanSpec& table, bool dcTable) {
    std::size_t total = 0;
    for (auto c : table.counts) total += c;
    if (total == 0 || total > 256 || total != table.symbols.size()) raiseJpegError(kBadHuffmanTable);

    HuffmanCodes codes;
    std::uint32_t code = 0;
    std::size_t k = 0;
    for (int length = 1; length <= 16; ++length) {
        for (int n = 0; n < table.counts[length - 1]; ++n, ++k, ++code) {
            // Running out of codes of this length, or reaching the all-ones code, is no valid table.
            if (code + 1 >= (1u << length)) raiseJpegError(kBadHuffmanTable);
            const std::uint8_t symbol = table.symbols[k];
            if (codes.length[symbol] != 0 || (dcTable && symbol > 15)) raiseJpegError(kBadHuffmanTable);
            codes.code[symbol] = static_cast<std::uint16_t>(code);
            codes.length[symbol] = static_cast<std::uint8_t>(length);
        }
        code <<= 1;
    }
    return codes;
}

}  // namespace plenvik
