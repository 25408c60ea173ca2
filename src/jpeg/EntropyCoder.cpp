#include "jpeg/EntropyCoder.h"

#include <bit>
#include <cstdlib>

namespace plenvik {
namespace {

constexpr int kEndOfBlock = 0x00;
constexpr int kZeroRun16 = 0xF0;

// The magnitude category of a value (its bit length) and the bits that follow its code: the value
// itself when positive, its one's complement when negative.
inline int category(int value) { return std::bit_width(static_cast<unsigned>(std::abs(value))); }
inline std::uint32_t magnitude(int value, int size) {
    return static_cast<std::uint32_t>(value < 0 ? value - 1 : value) & ((1u << size) - 1u);
}

// Walks every block of the scan and hands each symbol with its magnitude bits to the sink.
template <class Sink>
void codeScan(const FrameLayout& layout, const CoefficientBlocks& blocks, Sink& sink) {
    std::array<int, 3> previousDc{};
    const std::size_t perMcu = blocks.mcuComponents.size();
    const std::size_t total = blocks.blockCount();
    const std::int16_t* ac = blocks.ac.data();
    for (std::size_t b = 0; b < total; ++b) {
        const int component = blocks.mcuComponents[b % perMcu];
        const int table = layout.components[component].huffmanTable;

        const int diff = blocks.dc[b] - previousDc[component];
        previousDc[component] = blocks.dc[b];
        const int dcSize = category(diff);
        sink.dc(table, dcSize, magnitude(diff, dcSize));

        int last = 0;
        for (std::uint64_t rest = blocks.nonZeroAc[b]; rest != 0; rest &= rest - 1) {
            const int k = std::countr_zero(rest);
            int run = k - last - 1;
            for (; run > 15; run -= 16) sink.ac(table, kZeroRun16, 0, 0);
            const int value = *ac++;
            const int size = category(value);
            sink.ac(table, (run << 4) | size, size, magnitude(value, size));
            last = k;
        }
        if (last != 63) sink.ac(table, kEndOfBlock, 0, 0);
    }
}

struct CountingSink {
    ScanStatistics& stats;
    void dc(int table, int size, std::uint32_t) { ++stats.dc[table][size]; }
    void ac(int table, int symbol, int, std::uint32_t) { ++stats.ac[table][symbol]; }
};

struct WritingSink {
    const std::array<HuffmanCodes, 2>& dcCodes;
    const std::array<HuffmanCodes, 2>& acCodes;
    BitWriter& out;
    void dc(int table, int size, std::uint32_t bits) {
        const HuffmanCodes& c = dcCodes[table];
        out.put((static_cast<std::uint32_t>(c.code[size]) << size) | bits, c.length[size] + size);
    }
    void ac(int table, int symbol, int size, std::uint32_t bits) {
        const HuffmanCodes& c = acCodes[table];
        out.put((static_cast<std::uint32_t>(c.code[symbol]) << size) | bits, c.length[symbol] + size);
    }
};

}  // namespace

ScanStatistics countSymbols(const FrameLayout& layout, const CoefficientBlocks& blocks) {
    ScanStatistics stats;
    CountingSink sink{stats};
    codeScan(layout, blocks, sink);
    return stats;
}

std::uint64_t magnitudeBits(const ScanStatistics& stats) {
    std::uint64_t bits = 0;
    for (int t = 0; t < 2; ++t)
        for (int s = 0; s < 256; ++s)
            bits += static_cast<std::uint64_t>(stats.dc[t][s]) * (s & 0x0F) + static_cast<std::uint64_t>(stats.ac[t][s]) * (s & 0x0F);
    return bits;
}

std::uint64_t codedBits(const ScanStatistics& stats, const std::array<HuffmanCodes, 2>& dc, const std::array<HuffmanCodes, 2>& ac,
                        std::uint64_t magnitude) {
    std::uint64_t bits = magnitude;
    for (int t = 0; t < 2; ++t)
        for (int s = 0; s < 256; ++s)
            bits +=
                static_cast<std::uint64_t>(stats.dc[t][s]) * dc[t].length[s] + static_cast<std::uint64_t>(stats.ac[t][s]) * ac[t].length[s];
    return bits;
}

void writeScan(const FrameLayout& layout, const CoefficientBlocks& blocks, const std::array<HuffmanCodes, 2>& dc,
               const std::array<HuffmanCodes, 2>& ac, BitWriter& out) {
    WritingSink sink{dc, ac, out};
    codeScan(layout, blocks, sink);
}

}  // namespace plenvik
