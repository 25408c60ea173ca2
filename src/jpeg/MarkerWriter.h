// Writes the marker segments of a baseline JFIF file and checks that they fit together: a frame may
// only name quantisation tables written before it, table entries must fit the 8-bit precision, and
// Huffman tables must form valid codes.
#pragma once

#include <array>
#include <string_view>

#include "jpeg/ByteBuffer.h"
#include "jpeg/FrameLayout.h"
#include "jpeg/HuffmanTable.h"
#include "jpeg/QuantizationTables.h"

namespace plenvik {

enum Marker : std::uint8_t {
    kSOF0 = 0xC0,
    kDHT = 0xC4,
    kSOI = 0xD8,
    kEOI = 0xD9,
    kSOS = 0xDA,
    kDQT = 0xDB,
    kAPP0 = 0xE0,
    kCOM = 0xFE,
};

// The longest comment a COM segment holds (its length field counts itself).
inline constexpr std::size_t kMaxCommentBytes = 65533;

class MarkerWriter {
public:
    explicit MarkerWriter(ByteBuffer& out) : out_(out) {}

    void startOfImage();
    // JFIF 1.01, no density unit, aspect 1:1, no thumbnail.
    void jfifHeader();
    // Raises "Illegal Comment Length" above kMaxCommentBytes.
    void comment(std::string_view bytes);
    // One table of 8-bit entries, in zig-zag order. An entry above 255 would need 16-bit precision,
    // which 8-bit samples do not allow ("Illegal precission in Quantization Table"); an entry of 0 is
    // no table ("Bad Quantization Table").
    void quantizationTable(int id, const QuantizationTable& table);
    // Raises "Bad Quantization Table" when a component names a table not written before.
    void startOfFrame(const FrameLayout& layout);
    // tableClass 0 DC, 1 AC. Raises "Bad Huffman Table" for an invalid table.
    void huffmanTable(int tableClass, int id, const HuffmanSpec& table);
    // All components in one scan, the whole spectrum, no successive approximation.
    void startOfScan(const FrameLayout& layout);
    void endOfImage();

private:
    void marker(Marker m);

    ByteBuffer& out_;
    std::array<bool, 4> quantDefined_{};
};

}  // namespace plenvik
