#include "platform/win32/DesktopListView.h"

#include <commctrl.h>

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <cwchar>
#include <utility>

#include "errors/RuntimeError.h"
#include "platform/win32/DesktopMessages.h"
#include "platform/win32/Wide.h"

namespace plenvik::win32 {

namespace {

// The layout this build writes for a target of its own bitness is the compiler's own LVITEMW: the
// 64-bit build pins the 88-byte layout, the 32-bit build the 60-byte one.
constexpr ListViewItemLayout kOwnItemLayout = sizeof(void*) == 8 ? kListViewItemLayout64 : kListViewItemLayout32;
static_assert(sizeof(LVITEMW) == kOwnItemLayout.size, "LVITEMW size");
static_assert(offsetof(LVITEMW, pszText) == kOwnItemLayout.textOffset, "LVITEMW::pszText");
static_assert(offsetof(LVITEMW, cchTextMax) == kOwnItemLayout.textMaxOffset, "LVITEMW::cchTextMax");
static_assert(sizeof(LVITEMW::pszText) == kOwnItemLayout.pointerSize, "LVITEMW pointer size");
static_assert(offsetof(LVITEMW, mask) == kLvItemMaskOffset && offsetof(LVITEMW, iItem) == kLvItemIndexOffset &&
                  offsetof(LVITEMW, iSubItem) == kLvItemSubItemOffset,
              "LVITEMW head");

// The block for one label: the item block (room for the 64-bit layout), then the text.
constexpr std::size_t kItemOffset = 0, kTextOffset = 96;

std::size_t blockSize(int capacity) { return kTextOffset + static_cast<std::size_t>(capacity) * sizeof(wchar_t); }

// A batch block: the positions, then the item blocks, then the texts of all items of the batch.
struct BatchLayout {
    std::size_t itemSize, textBytes, items, texts, size;
    BatchLayout(std::size_t itemBlockSize, int capacity, int count)
        : itemSize(itemBlockSize),
          textBytes(static_cast<std::size_t>(capacity) * sizeof(wchar_t)),
          items(static_cast<std::size_t>(count) * sizeof(POINT)),
          texts(items + static_cast<std::size_t>(count) * itemSize),
          size(texts + static_cast<std::size_t>(count) * textBytes) {}
    std::size_t point(int i) const { return static_cast<std::size_t>(i) * sizeof(POINT); }
    std::size_t item(int i) const { return items + static_cast<std::size_t>(i) * itemSize; }
    std::size_t text(int i) const { return texts + static_cast<std::size_t>(i) * textBytes; }
};

[[noreturn]] void fail(const char* operation) {
    const DWORD code = GetLastError();
    throw RuntimeError(static_cast<long>(code), kAppTitle, win32FailureText(operation, code));
}

}  // namespace

DesktopListView::DesktopListView(HWND listView, int initialLabelCapacity, int batchSize, UINT timeoutMs)
    : listView_(listView),
      initialCapacity_(std::clamp(initialLabelCapacity, 2, kMaxLabelCapacity)),
      batchSize_(std::max(1, batchSize)),
      timeoutMs_(timeoutMs) {
    DWORD processId = 0;
    GetWindowThreadProcessId(listView_, &processId);
    process_.reset(
        OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
    if (!process_) fail("OpenProcess");
    BOOL weRunUnderWow64 = FALSE, targetRunsUnderWow64 = FALSE;
    if (!IsWow64Process(GetCurrentProcess(), &weRunUnderWow64) || !IsWow64Process(process_.get(), &targetRunsUnderWow64))
        fail("IsWow64Process");
    target64_ = targetIs64Bit(sizeof(void*) == 8, weRunUnderWow64 != FALSE, targetRunsUnderWow64 != FALSE);
    layout_ = listViewItemLayout(target64_);
}

RemoteMemory DesktopListView::allocate(std::size_t size) {
    RemoteMemory block(process_.get(), size);
    if (!block) fail("VirtualAllocEx");
    ++blocksAllocated_;
    return block;
}

LRESULT DesktopListView::send(UINT message, WPARAM wParam, LPARAM lParam) {
    return sendToDesktop(listView_, message, wParam, lParam, timeoutMs_);
}

LRESULT DesktopListView::send(UINT message, WPARAM wParam, LPARAM lParam, RemoteMemory& referred) {
    return sendToDesktop(listView_, message, wParam, lParam, timeoutMs_, referred);
}

int DesktopListView::itemCount() { return static_cast<int>(send(LVM_GETITEMCOUNT, 0, 0)); }

std::string DesktopListView::readLabel(int index, int capacity) {
    for (;;) {
        RemoteMemory block = allocate(blockSize(capacity));
        const std::vector<std::uint8_t> request = listViewTextRequest(layout_, index, block.addressAt(kTextOffset), capacity);
        if (!block.write(kItemOffset, request.data(), request.size())) fail("WriteProcessMemory");
        const LRESULT answer = send(LVM_GETITEMTEXTW, index, block.lparamAt(kItemOffset), block);
        const int length = static_cast<int>(std::clamp<LRESULT>(answer, 0, capacity - 1));
        if (length == capacity - 1 && capacity < kMaxLabelCapacity) {
            // The label may have been cut: read it again with four times the room.
            capacity = std::min(capacity * 4, kMaxLabelCapacity);
            continue;
        }
        std::wstring text(static_cast<std::size_t>(length), L'\0');
        if (!block.read(kTextOffset, text.data(), text.size() * sizeof(wchar_t))) fail("ReadProcessMemory");
        return narrow(text);
    }
}

std::vector<IconItem> DesktopListView::readAll() {
    std::vector<IconItem> items;
    const int count = itemCount();
    if (count <= 0) return items;
    items.reserve(static_cast<std::size_t>(count));
    RemoteMemory block = allocate(BatchLayout(layout_.size, initialCapacity_, std::min(count, batchSize_)).size);
    for (int first = 0; first < count; first += batchSize_) readBatch(block, first, std::min(batchSize_, count - first), items);
    return items;
}

void DesktopListView::readBatch(RemoteMemory& block, int first, int count, std::vector<IconItem>& items) {
    const BatchLayout at(layout_.size, initialCapacity_, count);
    // Zeroed positions and texts, so that an answer that does not come reads as (0, 0) and "".
    std::vector<std::uint8_t> bytes(at.size, 0);
    for (int i = 0; i < count; ++i) {
        const auto request = listViewTextRequest(layout_, first + i, block.addressAt(at.text(i)), initialCapacity_);
        std::memcpy(bytes.data() + at.item(i), request.data(), request.size());
    }
    if (!block.write(0, bytes.data(), bytes.size())) fail("WriteProcessMemory");
    for (int i = 0; i < count; ++i) {
        SendNotifyMessageW(listView_, LVM_GETITEMPOSITION, first + i, block.lparamAt(at.point(i)));
        SendNotifyMessageW(listView_, LVM_GETITEMTEXTW, first + i, block.lparamAt(at.item(i)));
    }
    // Messages sent to a thread are handled in the order they were sent: when this one returns, so have
    // the requests before it. Where the window is gone, the requests went with it and the block reads
    // as empty.
    send(LVM_GETITEMCOUNT, 0, 0, block);
    if (!block.read(0, bytes.data(), bytes.size())) fail("ReadProcessMemory");
    for (int i = 0; i < count; ++i) {
        POINT p{};
        std::memcpy(&p, bytes.data() + at.point(i), sizeof p);
        const wchar_t* text = reinterpret_cast<const wchar_t*>(bytes.data() + at.text(i));
        const std::size_t length = wcsnlen(text, static_cast<std::size_t>(initialCapacity_));
        IconItem item{narrow(std::wstring(text, length)), {static_cast<int>(p.x), static_cast<int>(p.y)}};
        if (length + 1 >= static_cast<std::size_t>(initialCapacity_)) {
            // It filled its room and may have been cut: read it again on its own with more.
            item.label = readLabel(first + i, std::min(initialCapacity_ * 4, kMaxLabelCapacity));
        }
        items.push_back(std::move(item));
    }
}

std::string DesktopListView::label(int index) { return readLabel(index, initialCapacity_); }

IconPosition DesktopListView::position(int index) {
    RemoteMemory block = allocate(sizeof(POINT));
    if (!send(LVM_GETITEMPOSITION, index, block.lparamAt(0), block)) return {};
    POINT p{};
    if (!block.read(0, &p, sizeof p)) fail("ReadProcessMemory");
    return {static_cast<int>(p.x), static_cast<int>(p.y)};
}

bool DesktopListView::setPosition(int index, IconPosition to) {
    if (const auto packed = packPosition16(to.x, to.y)) return send(LVM_SETITEMPOSITION, index, static_cast<LPARAM>(*packed)) != 0;
    // Beyond 16 bits: the position as a POINT in the list view's process.
    RemoteMemory block = allocate(sizeof(POINT));
    const POINT p{to.x, to.y};
    if (!block.write(0, &p, sizeof p)) fail("WriteProcessMemory");
    send(LVM_SETITEMPOSITION32, index, block.lparamAt(0), block);  // answers nothing of use
    return index >= 0 && index < itemCount();
}

std::string readListViewLabel(HWND listView, int index) { return DesktopListView(listView).label(index); }

}  // namespace plenvik::win32
