#include "system/FileRange.h"

#include <algorithm>
#include <vector>

#include "platform/FileSystem.h"

namespace plenvik {
namespace {

constexpr std::size_t kPieceSize = 1 << 20;

}  // namespace

bool skipFileBytes(FileHandle& file, std::uint64_t count) {
    if (count == 0 || file.skip(count)) return true;
    std::vector<char> piece(static_cast<std::size_t>(std::min<std::uint64_t>(count, kPieceSize)));
    while (count > 0) {
        const auto n = file.read(piece.data(), static_cast<std::size_t>(std::min<std::uint64_t>(count, piece.size())));
        if (!n || *n == 0) return false;
        count -= *n;
    }
    return true;
}

bool appendFileRange(FileSystem& files, const std::string& path, std::uint64_t offset, std::uint64_t length, std::string& out) {
    auto file = files.open({path, kGenericRead, kShareRead, kOpenExisting, kAttrNormal, true});
    if (!file || !skipFileBytes(*file, offset)) return false;
    std::vector<char> piece(static_cast<std::size_t>(std::min<std::uint64_t>(length, kPieceSize)));
    while (length > 0) {
        const auto n = file->read(piece.data(), static_cast<std::size_t>(std::min<std::uint64_t>(length, piece.size())));
        if (!n || *n == 0) return false;
        out.append(piece.data(), *n);
        length -= *n;
    }
    return true;
}

}  // namespace plenvik
