#include "desktop/ListViewItemLayout.h"

namespace plenvik {

namespace {

void put32(std::vector<std::uint8_t>& block, std::size_t offset, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) block[offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

}  // namespace

ListViewItemLayout listViewItemLayout(bool target64) { return target64 ? kListViewItemLayout64 : kListViewItemLayout32; }

bool targetIs64Bit(bool weAre64Bit, bool weRunUnderWow64, bool targetRunsUnderWow64) {
    return (weAre64Bit || weRunUnderWow64) && !targetRunsUnderWow64;
}

std::vector<std::uint8_t> listViewTextRequest(const ListViewItemLayout& layout, int index, std::uint64_t textAddress, int capacity) {
    std::vector<std::uint8_t> block(layout.size, 0);
    put32(block, kLvItemMaskOffset, kLvifText);
    put32(block, kLvItemIndexOffset, static_cast<std::uint32_t>(index));
    put32(block, kLvItemSubItemOffset, 0);
    for (std::size_t i = 0; i < layout.pointerSize; ++i) block[layout.textOffset + i] = static_cast<std::uint8_t>(textAddress >> (8 * i));
    put32(block, layout.textMaxOffset, static_cast<std::uint32_t>(capacity));
    return block;
}

std::optional<std::uint32_t> packPosition16(int x, int y) {
    const auto fits = [](int v) { return v >= -32768 && v <= 32767; };
    if (!fits(x) || !fits(y)) return std::nullopt;
    return static_cast<std::uint32_t>(static_cast<std::uint16_t>(x)) | static_cast<std::uint32_t>(static_cast<std::uint16_t>(y)) << 16;
}

IconPosition unpackPosition16(std::uint32_t packed) {
    return {static_cast<std::int16_t>(packed & 0xFFFF), static_cast<std::int16_t>(packed >> 16)};
}

}  // namespace plenvik
