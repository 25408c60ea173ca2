#include "restore/EmbeddedContent.h"

#include <algorithm>
#include <string_view>
#include <vector>

#include "base64/Base64ContentDecoder.h"
#include "platform/FileSystem.h"
#include "project/DesktopIcon.h"
#include "project/LoadedProject.h"
#include "project/ProjectFileScan.h"
#include "restore/NewDesktopFile.h"
#include "run/RunFeedback.h"
#include "system/FileRange.h"
#include "system/ReadAheadFile.h"

namespace plenvik {
namespace {

constexpr std::size_t kPieceSize = ReadAheadFile::kPieceSize;

// Whether the next bytes of the file are exactly tag.
bool readsTag(ReadAheadFile& file, std::string_view tag) {
    for (std::size_t done = 0; done < tag.size();) {
        const auto bytes = file.read(tag.size() - done);
        if (!bytes || bytes->empty() || *bytes != tag.substr(done, bytes->size())) return false;
        done += bytes->size();
    }
    return true;
}

}  // namespace

ContentCopy copyEmbeddedContent(FileSystem& files, const LoadedProject& project, const DesktopIcon& icon, NewDesktopFile& file,
                                RunFeedback& feedback) {
    auto source = files.open({project.path(), kGenericRead, kShareRead, kOpenExisting, kAttrNormal, true});
    if (!source || source->size() != project.fileSize || !project.fileTime || source->lastWriteTime() != project.fileTime ||
        icon.ContentOffset < kContentOpenTag.size())
        return ContentCopy::Failed;
    if (!skipFileBytes(*source, icon.ContentOffset - kContentOpenTag.size())) return ContentCopy::Failed;
    // The text is read ahead and decoded a piece at a time straight into the bytes written.
    ReadAheadFile text(*source, kContentOpenTag.size() + icon.ContentLength + kContentCloseTag.size());
    if (!readsTag(text, kContentOpenTag)) return ContentCopy::Failed;

    Base64ContentDecoder decoder;
    std::vector<std::uint8_t> bytes(Base64ContentDecoder::maxBytes(kPieceSize));
    for (std::uint64_t left = icon.ContentLength; left > 0;) {
        const auto piece = text.read(static_cast<std::size_t>(std::min<std::uint64_t>(left, kPieceSize)));
        if (!piece || piece->empty()) return ContentCopy::Failed;
        left -= piece->size();
        const auto decoded = decoder.feed(*piece, bytes.data());
        if (!decoded) return ContentCopy::Damaged;
        if (!file.write(std::span(bytes.data(), *decoded)).ok()) return ContentCopy::Failed;
        feedback.pumpEvents();
        if (feedback.cancelRequested()) return ContentCopy::Cancelled;
    }
    const auto last = decoder.finish(bytes.data());
    if (!last) return ContentCopy::Damaged;
    if (!readsTag(text, kContentCloseTag)) return ContentCopy::Failed;
    if (!file.write(std::span(bytes.data(), *last)).ok()) return ContentCopy::Failed;
    return ContentCopy::Written;
}

}  // namespace plenvik
