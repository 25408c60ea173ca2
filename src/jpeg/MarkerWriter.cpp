#include "jpeg/MarkerWriter.h"

#include "jpeg/JpegError.h"

namespace plenvik {

void MarkerWriter::marker(Marker m) {
    out_.put8(0xFF);
    out_.put8(m);
}

void MarkerWriter::startOfImage() { marker(kSOI); }

void MarkerWriter::jfifHeader() {
    marker(kAPP0);
    out_.put16(16);
    out_.put(std::string_view("JFIF\0", 5));
    out_.put8(1);  // version 1.01
    out_.put8(1);
    out_.put8(0);   // no unit: the densities give the aspect ratio only
    out_.put16(1);  // horizontal density
    out_.put16(1);  // vertical density
    out_.put8(0);   // no thumbnail
    out_.put8(0);
}

void MarkerWriter::comment(std::string_view bytes) {
    if (bytes.size() > kMaxCommentBytes) raiseJpegError(kIllegalCommentLength);
    marker(kCOM);
    out_.put16(static_cast<std::uint16_t>(bytes.size() + 2));
    out_.put(bytes);
}

void MarkerWriter::quantizationTable(int id, const QuantizationTable& table) {
    if (id < 0 || id > 3) raiseJpegError(kBadQuantizationTable);
    for (auto entry : table) {
        if (entry > 255) raiseJpegError(kIllegalQuantizationPrecision);
        if (entry == 0) raiseJpegError(kBadQuantizationTable);
    }
    marker(kDQT);
    out_.put16(2 + 1 + 64);
    out_.put8(static_cast<std::uint8_t>(id));  // precision 0 (8-bit) in the high nibble
    for (auto entry : table) out_.put8(static_cast<std::uint8_t>(entry));
    quantDefined_[id] = true;
}

void MarkerWriter::startOfFrame(const FrameLayout& layout) {
    for (const auto& c : layout.components)
        if (c.quantTable < 0 || c.quantTable > 3 || !quantDefined_[c.quantTable]) raiseJpegError(kBadQuantizationTable);
    marker(kSOF0);
    out_.put16(static_cast<std::uint16_t>(8 + 3 * layout.components.size()));
    out_.put8(8);  // sample precision
    out_.put16(static_cast<std::uint16_t>(layout.height));
    out_.put16(static_cast<std::uint16_t>(layout.width));
    out_.put8(static_cast<std::uint8_t>(layout.components.size()));
    for (const auto& c : layout.components) {
        out_.put8(static_cast<std::uint8_t>(c.id));
        out_.put8(static_cast<std::uint8_t>(c.h << 4 | c.v));
        out_.put8(static_cast<std::uint8_t>(c.quantTable));
    }
}

void MarkerWriter::huffmanTable(int tableClass, int id, const HuffmanSpec& table) {
    huffmanCodes(table, tableClass == 0);  // raises for an invalid table
    marker(kDHT);
    out_.put16(static_cast<std::uint16_t>(2 + 1 + 16 + table.symbols.size()));
    out_.put8(static_cast<std::uint8_t>(tableClass << 4 | id));
    for (auto count : table.counts) out_.put8(count);
    for (auto symbol : table.symbols) out_.put8(symbol);
}

void MarkerWriter::startOfScan(const FrameLayout& layout) {
    marker(kSOS);
    out_.put16(static_cast<std::uint16_t>(6 + 2 * layout.components.size()));
    out_.put8(static_cast<std::uint8_t>(layout.components.size()));
    for (const auto& c : layout.components) {
        out_.put8(static_cast<std::uint8_t>(c.id));
        out_.put8(static_cast<std::uint8_t>(c.huffmanTable << 4 | c.huffmanTable));
    }
    out_.put8(0);   // spectral selection start
    out_.put8(63);  // spectral selection end
    out_.put8(0);   // successive approximation
}

void MarkerWriter::endOfImage() { marker(kEOI); }

}  // namespace plenvik
