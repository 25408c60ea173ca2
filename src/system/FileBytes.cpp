#include "system/FileBytes.h"

#include <algorithm>
#include <vector>

#include "common/AtomicFile.h"
#include "platform/FileSystem.h"

namespace plenvik {

std::optional<std::string> readFileBytes(FileSystem& files, const std::string& path) {
    auto file = files.open({path, kGenericRead, kShareRead, kOpenExisting, kAttrNormal, true});
    if (!file) return std::nullopt;
    std::string bytes;
    if (const auto size = file->size()) bytes.reserve(static_cast<std::size_t>(*size));
    char chunk[64 * 1024];
    for (;;) {
        const auto n = file->read(chunk, sizeof chunk);
        if (!n) return std::nullopt;
        if (*n == 0) break;
        bytes.append(chunk, *n);
    }
    return bytes;
}

std::optional<FileHead> readFileHead(FileSystem& files, const std::string& path, std::initializer_list<std::string_view> markers) {
    // Not opened for a sequential read: the system would read far ahead into a file of which only the
    // first kilobytes are wanted.
    auto file = files.open({path, kGenericRead, kShareRead, kOpenExisting, kAttrNormal});
    if (!file) return std::nullopt;
    std::size_t longest = 0;
    for (std::string_view m : markers) longest = std::max(longest, m.size());
    FileHead head;
    // Small pieces first: a header lies within the first few kilobytes.
    std::vector<char> chunk(8 * 1024);
    for (;;) {
        const auto n = file->read(chunk.data(), chunk.size());
        if (!n) return std::nullopt;
        if (*n == 0) {
            head.whole = true;
            return head;
        }
        // A marker may straddle two pieces: search from a little before the new bytes.
        const std::size_t from = head.bytes.size() > longest ? head.bytes.size() - longest : 0;
        head.bytes.append(chunk.data(), *n);
        if (chunk.size() < 1024 * 1024) chunk.resize(chunk.size() * 2);
        std::size_t first = std::string::npos;
        for (std::string_view m : markers) first = std::min(first, head.bytes.find(m, from));
        if (first != std::string::npos) {
            head.bytes.resize(first);
            return head;
        }
    }
}

bool replaceFileBytes(FileSystem& files, const std::string& path, std::string_view bytes) {
    return writeFileAtomically(files, path, bytes);
}

}  // namespace plenvik
