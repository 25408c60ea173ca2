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

namespace plenvik {
namespace {

// Small enough for the piece to stay in the processor's cache from its read to its decoded write.
constexpr std::size_t kPieceSize = 1 << 18;

// Whether the next bytes of the file are exactly tag.
bool readsTag(FileHandle& file, std::string_view tag) {
    char text[32];
    for (std::size_t done = 0; done < tag.size();) {
        const auto n = file.read(text + done, tag.size() - done);
        if (!n || *n == 0) return false;
        done += *n;
    }
    return std::string_view(text, tag.size()) == tag;
}

}  // namespace

ContentCopy copyEmbeddedContent(FileSystem& files, const LoadedProject& project, const DesktopIcon& icon, NewDesktopFile& file,
                                RunFeedback& feedback) {
    auto source = files.open({project.path(), kGenericRead, kShareRead, kOpenExisting, kAttrNormal, true});
    if (!source || source->size() != project.fileSize || !project.fileTime || source->lastWriteTime() != project.fileTime ||
        icon.ContentOffset < kContentOpenTag.size())
        return ContentCopy::Failed;
    if (!skipFileBytes(*source, icon.ContentOffset - kContentOpenTag.size()) || !readsTag(*source, kContentOpenTag))
        return ContentCopy::Failed;

    // The text is read and decoded a piece at a time straight into the bytes written.
    Base64ContentDecoder decoder;
    std::vector<char> piece(kPieceSize);
    std::vector<std::uint8_t> bytes(Base64ContentDecoder::maxBytes(kPieceSize));
    for (std::uint64_t left = icon.ContentLength; left > 0;) {
        const auto n = source->read(piece.data(), static_cast<std::size_t>(std::min<std::uint64_t>(left, piece.size())));
        if (!n || *n == 0) return ContentCopy::Failed;
        left -= *n;
        const auto decoded = decoder.feed(std::string_view(piece.data(), *n), bytes.data());
        if (!decoded) return ContentCopy::Damaged;
        if (!file.write(std::span(bytes.data(), *decoded)).ok()) return ContentCopy::Failed;
        feedback.pumpEvents();
        if (feedback.cancelRequested()) return ContentCopy::Cancelled;
    }
    const auto last = decoder.finish(bytes.data());
    if (!last) return ContentCopy::Damaged;
    if (!readsTag(*source, kContentCloseTag)) return ContentCopy::Failed;
    if (!file.write(std::span(bytes.data(), *last)).ok()) return ContentCopy::Failed;
    return ContentCopy::Written;
}

}  // namespace plenvik
