#include "restore/EmbeddedContent.h"

#include <algorithm>
#include <string_view>
#include <vector>

#include "base64/Base64ContentDecoder.h"
#include "platform/FileSystem.h"
#include "project/DesktopIcon.h"
#include "restore/NewDesktopFile.h"
#include "system/FileRange.h"

namespace plenvik {
namespace {

constexpr std::string_view kOpenTag = "<FileData_BASE64>";
constexpr std::string_view kCloseTag = "</FileData_BASE64>";
constexpr std::size_t kPieceSize = 1 << 20;

// Reads exactly count bytes into text.
bool readExactly(FileHandle& file, std::size_t count, std::string& text) {
    text.resize(count);
    std::size_t done = 0;
    while (done < count) {
        const auto n = file.read(text.data() + done, count - done);
        if (!n || *n == 0) return false;
        done += *n;
    }
    return true;
}

}  // namespace

ContentCopy copyEmbeddedContent(FileSystem& files, const std::string& projectPath, std::uint64_t projectSize, const DesktopIcon& icon,
                                NewDesktopFile& file) {
    auto project = files.open({projectPath, kGenericRead, kShareRead, kOpenExisting, kAttrNormal, true});
    if (!project || project->size() != projectSize || icon.ContentOffset < kOpenTag.size()) return ContentCopy::Failed;
    std::string tag;
    if (!skipFileBytes(*project, icon.ContentOffset - kOpenTag.size()) || !readExactly(*project, kOpenTag.size(), tag) || tag != kOpenTag)
        return ContentCopy::Failed;

    Base64ContentDecoder decoder;
    std::vector<char> piece(kPieceSize);
    std::vector<std::uint8_t> bytes;
    bytes.reserve(kPieceSize);
    for (std::uint64_t left = icon.ContentLength; left > 0;) {
        const auto n = project->read(piece.data(), static_cast<std::size_t>(std::min<std::uint64_t>(left, piece.size())));
        if (!n || *n == 0) return ContentCopy::Failed;
        left -= *n;
        bytes.clear();
        if (!decoder.feed(std::string_view(piece.data(), *n), bytes)) return ContentCopy::Damaged;
        if (!file.write(bytes).ok()) return ContentCopy::Failed;
    }
    bytes.clear();
    if (!decoder.finish(bytes)) return ContentCopy::Damaged;
    if (!readExactly(*project, kCloseTag.size(), tag) || tag != kCloseTag) return ContentCopy::Failed;
    if (!file.write(bytes).ok()) return ContentCopy::Failed;
    return ContentCopy::Written;
}

}  // namespace plenvik
