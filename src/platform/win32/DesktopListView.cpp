#include "platform/win32/DesktopListView.h"

#include <commctrl.h>

#include <algorithm>
#include <cstring>

#include "errors/RuntimeError.h"
#include "platform/win32/Wide.h"

namespace plenvik::win32 {

namespace {

// The block: the position first, then the item block (room for the 64-bit layout), then the text.
constexpr std::size_t kPointOffset = 0, kItemOffset = 16, kTextOffset = 112;
// A desktop that does not answer within this time is reported, not waited for without end.
constexpr UINT kSendTimeoutMs = 10000;

std::size_t blockSize(int capacity) { return kTextOffset + static_cast<std::size_t>(capacity) * sizeof(wchar_t); }

[[noreturn]] void fail(const char* operation) {
    const DWORD code = GetLastError();
    throw RuntimeError(static_cast<long>(code), kAppTitle, win32FailureText(operation, code));
}

}  // namespace

DesktopListView::DesktopListView(HWND listView, int initialLabelCapacity)
    : listView_(listView), initialCapacity_(std::clamp(initialLabelCapacity, 2, kMaxLabelCapacity)) {
    DWORD processId = 0;
    GetWindowThreadProcessId(listView_, &processId);
    process_.reset(OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE | PROCESS_QUERY_LIMITED_INFORMATION,
                               FALSE, processId));
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
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(listView_, message, wParam, lParam, SMTO_ABORTIFHUNG, kSendTimeoutMs, &result)) {
        if (GetLastError() == ERROR_TIMEOUT) fail("SendMessageTimeout");
        return 0;  // the window is gone: nothing to read
    }
    return static_cast<LRESULT>(result);
}

int DesktopListView::itemCount() { return static_cast<int>(send(LVM_GETITEMCOUNT, 0, 0)); }

IconItem DesktopListView::readItem(RemoteMemory& block, int& capacity, int index, bool withPosition) {
    for (;;) {
        const bool positioned = withPosition && send(LVM_GETITEMPOSITION, index, block.lparamAt(kPointOffset)) != 0;
        const std::vector<std::uint8_t> request = listViewTextRequest(layout_, index, block.addressAt(kTextOffset), capacity);
        if (!block.write(kItemOffset, request.data(), request.size())) fail("WriteProcessMemory");
        const int length = static_cast<int>(std::clamp<LRESULT>(send(LVM_GETITEMTEXTW, index, block.lparamAt(kItemOffset)), 0, capacity - 1));
        if (length == capacity - 1 && capacity < kMaxLabelCapacity) {
            // The label may have been cut: read it again with four times the room.
            capacity = std::min(capacity * 4, kMaxLabelCapacity);
            block = allocate(blockSize(capacity));
            continue;
        }
        // Position and text in one read.
        const std::size_t from = withPosition ? kPointOffset : kTextOffset;
        std::vector<std::uint8_t> bytes(blockSize(length) - from);
        if (!block.read(from, bytes.data(), bytes.size())) fail("ReadProcessMemory");
        IconItem item;
        if (positioned) {
            POINT p{};
            std::memcpy(&p, bytes.data() + (kPointOffset - from), sizeof p);
            item.position = {static_cast<int>(p.x), static_cast<int>(p.y)};
        }
        std::wstring text(static_cast<std::size_t>(length), L'\0');
        std::memcpy(text.data(), bytes.data() + (kTextOffset - from), text.size() * sizeof(wchar_t));
        item.label = narrow(text);
        return item;
    }
}

std::vector<IconItem> DesktopListView::readAll() {
    std::vector<IconItem> items;
    const int count = itemCount();
    if (count <= 0) return items;
    items.reserve(static_cast<std::size_t>(count));
    int capacity = initialCapacity_;
    RemoteMemory block = allocate(blockSize(capacity));
    for (int i = 0; i < count; ++i) items.push_back(readItem(block, capacity, i, true));
    return items;
}

std::string DesktopListView::label(int index) {
    int capacity = initialCapacity_;
    RemoteMemory block = allocate(blockSize(capacity));
    return readItem(block, capacity, index, false).label;
}

IconPosition DesktopListView::position(int index) {
    RemoteMemory block = allocate(sizeof(POINT));
    if (!send(LVM_GETITEMPOSITION, index, block.lparamAt(0))) return {};
    POINT p{};
    if (!block.read(0, &p, sizeof p)) fail("ReadProcessMemory");
    return {static_cast<int>(p.x), static_cast<int>(p.y)};
}

bool DesktopListView::setPosition(int index, IconPosition to) {
    if (const auto packed = packPosition16(to.x, to.y))
        return send(LVM_SETITEMPOSITION, index, static_cast<LPARAM>(*packed)) != 0;
    // Beyond 16 bits: the position as a POINT in the list view's process.
    RemoteMemory block = allocate(sizeof(POINT));
    const POINT p{to.x, to.y};
    if (!block.write(0, &p, sizeof p)) fail("WriteProcessMemory");
    send(LVM_SETITEMPOSITION32, index, block.lparamAt(0));  // answers nothing of use
    return index >= 0 && index < itemCount();
}

std::string GetLVWLabel(HWND listView, int index) { return DesktopListView(listView).label(index); }

}  // namespace plenvik::win32
