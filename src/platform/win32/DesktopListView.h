// The list-view route to the desktop's icons: messages to the desktop list view with the item blocks,
// positions and label texts in one block of memory in the list view's process. The process is opened
// once per object, and one block serves a whole inventory; both are released before the call returns.
// An inventory asks for the items in batches: the requests of a batch are queued without waiting
// (SendNotifyMessage), and one ordinary message after them returns when the list view has answered
// them all, so a batch costs one round trip instead of two per icon. Every message goes through
// sendToDesktop (DesktopMessages.h): a list view that does not answer in time is reported, and a block
// a message refers to is then left to the list view's process.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "desktop/ListViewItemLayout.h"
#include "platform/IconView.h"
#include "platform/win32/DesktopMessages.h"
#include "platform/win32/Scoped.h"

namespace plenvik::win32 {

class DesktopListView {
public:
    // Room for a label of this many UTF-16 units (a file name's length) per item; a longer label is read
    // again on its own with more room.
    static constexpr int kInitialLabelCapacity = 260;
    // Items asked for at once.
    static constexpr int kBatchSize = 256;
    // More than any list-view label holds; a label that fills this much is taken as it is.
    static constexpr int kMaxLabelCapacity = 32768;

    // Opens the list view's process; throws RuntimeError when it is refused. A message the list view has
    // not answered within timeoutMs throws RuntimeError.
    explicit DesktopListView(HWND listView, int initialLabelCapacity = kInitialLabelCapacity, int batchSize = kBatchSize,
                             UINT timeoutMs = kDesktopTimeoutMs);

    bool target64() const { return target64_; }
    int itemCount();
    std::vector<IconItem> readAll();
    std::string label(int index);
    // (0, 0) for an item that does not exist.
    IconPosition position(int index);
    // In 16-bit halves where both coordinates fit, else as a POINT (LVM_SETITEMPOSITION32).
    bool setPosition(int index, IconPosition to);

    // Blocks allocated in the list view's process so far (one per inventory, unless a label outgrew it).
    int blocksAllocated() const { return blocksAllocated_; }

private:
    struct Block;
    RemoteMemory allocate(std::size_t size);
    LRESULT send(UINT message, WPARAM wParam, LPARAM lParam);
    // For a message that refers to the block.
    LRESULT send(UINT message, WPARAM wParam, LPARAM lParam, RemoteMemory& referred);
    // Reads the label of one item through a block of its own, with room for capacity units at first and
    // more while the label fills it.
    std::string readLabel(int index, int capacity);
    // Reads items first .. first + count - 1 through the batch block into items.
    void readBatch(RemoteMemory& block, int first, int count, std::vector<IconItem>& items);

    HWND listView_;
    UniqueHandle process_;
    bool target64_ = false;
    ListViewItemLayout layout_;
    int initialCapacity_;
    int batchSize_;
    UINT timeoutMs_;
    int blocksAllocated_ = 0;
};

// The label of one item, read whole.
std::string readListViewLabel(HWND listView, int index);

}  // namespace plenvik::win32
