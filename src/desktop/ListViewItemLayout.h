// The list-view item block (LVITEMW) as the process that owns the list view lays it out: 60 bytes in a
// 32-bit process, 88 bytes in a 64-bit one (the text pointer is 8 bytes wide and aligned). The block is
// written into that process, so its layout follows the target's bitness, not ours. Also the packing of
// a position into LVM_SETITEMPOSITION's 32-bit argument.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "platform/IconView.h"

namespace plenvik {

struct ListViewItemLayout {
    std::size_t size;           // sizeof(LVITEMW)
    std::size_t textOffset;     // pszText
    std::size_t textMaxOffset;  // cchTextMax
    std::size_t pointerSize;
};

// 32-bit: mask, iItem, iSubItem, state, stateMask, pszText@20, cchTextMax@24 ... iGroup@56 = 60 bytes.
// 64-bit: the same up to stateMask, 4 bytes padding, pszText@24 (8 bytes), cchTextMax@32, lParam and the
// two column pointers 8 bytes each, iGroup@80 and padding = 88 bytes. The Windows build checks these
// against the compiler's own LVITEMW at compile time.
inline constexpr ListViewItemLayout kListViewItemLayout32{60, 20, 24, 4}, kListViewItemLayout64{88, 24, 32, 8};

inline constexpr std::size_t kLvItemMaskOffset = 0, kLvItemIndexOffset = 4, kLvItemSubItemOffset = 8;
inline constexpr std::uint32_t kLvifText = 0x1;

ListViewItemLayout listViewItemLayout(bool target64);

// Whether the process that owns the list view is a 64-bit one, from what IsWow64Process says about us
// and about it. A 32-bit process outside WOW64 runs on a 32-bit system, where every process is 32-bit.
bool targetIs64Bit(bool weAre64Bit, bool weRunUnderWow64, bool targetRunsUnderWow64);

// A block that asks for the text of item index, sub-item 0, into capacity UTF-16 units at textAddress
// (an address in the target process).
std::vector<std::uint8_t> listViewTextRequest(const ListViewItemLayout& layout, int index, std::uint64_t textAddress, int capacity);

// x in the low, y in the high 16 bits, each as a signed 16-bit number (so a negative x does not borrow
// from y); nullopt when either does not fit in 16 bits (then LVM_SETITEMPOSITION32 is needed).
std::optional<std::uint32_t> packPosition16(int x, int y);
// The list view's reading of that argument.
IconPosition unpackPosition16(std::uint32_t packed);

}  // namespace plenvik
