#include "project/ProjectFileScan.h"

#include <array>
#include <string_view>
#include <vector>

#include "base64/Base64Vector.h"
#include "platform/FileSystem.h"
#include "system/FileBytes.h"
#include "system/FileRange.h"

namespace plenvik {
namespace {

constexpr char kMarker = '@';  // never part of Base64: "@3" stands for the fourth left-out text
// Small enough for the piece to stay in the processor's cache while it is checked.
constexpr std::size_t kPieceSize = 1 << 18;

struct ContentRange {
    std::uint64_t offset = 0, length = 0;
    std::size_t skeletonAt = 0, markerLength = 0;  // where its marker stands in the skeleton
    // Counted only to place an error in the file: its line breaks and the file offset of the last.
    std::uint64_t newlines = 0;
    std::optional<std::uint64_t> lastNewline;
};

const std::array<bool, 256> kBase64Text = [] {
    std::array<bool, 256> table{};
    for (int c = 'A'; c <= 'Z'; ++c) table[c] = true;
    for (int c = 'a'; c <= 'z'; ++c) table[c] = true;
    for (int c = '0'; c <= '9'; ++c) table[c] = true;
    for (const char c : std::string_view("+/= \t\r\n")) table[static_cast<unsigned char>(c)] = true;
    return table;
}();

// The file's text with the Base64 texts left out, and where they lie.
struct Skeleton {
    std::string text;
    std::vector<ContentRange> ranges;
    std::uint64_t fileSize = 0;
    std::optional<std::uint64_t> fileTime;
};

class SkeletonScanner {
public:
    SkeletonScanner(FileSystem& files, const std::string& path, bool countLines = false)
        : files_(files), path_(path), countLines_(countLines) {}

    // False when the file could not be read.
    bool scan(Skeleton& skeleton) {
        auto file = files_.open({path_, kGenericRead, kShareRead, kOpenExisting, kAttrNormal, true});
        if (!file) return false;
        skeleton.fileTime = file->lastWriteTime();
        std::vector<char> piece(kPieceSize);
        std::uint64_t base = 0;
        for (;;) {
            const auto n = file->read(piece.data(), piece.size());
            if (!n) return false;
            if (*n == 0) break;
            if (!take(std::string_view(piece.data(), *n), base, skeleton)) return false;
            base += *n;
        }
        // A text still open at the end is the file's own (the parser reports the incomplete element).
        if (state_ != State::Outside && !putBack(base, skeleton)) return false;
        skeleton.fileSize = base;
        return true;
    }

private:
    enum class State { Outside, Content, CloseTag };

    bool take(std::string_view bytes, std::uint64_t base, Skeleton& skeleton) {
        std::size_t i = 0;
        while (i < bytes.size()) {
            switch (state_) {
            case State::Outside: {
                const char c = bytes[i++];
                skeleton.text += c;
                if (c == '>' && std::string_view(skeleton.text).ends_with(kContentOpenTag)) {
                    state_ = State::Content;
                    contentStart_ = base + i;
                    newlines_ = 0;
                    lastNewline_.reset();
                }
                break;
            }
            case State::Content: {
                // Whole blocks of Base64 text at once where the processor can, the rest one by one.
                const std::size_t from = i;
                i += base64TextBlocksVector(bytes.data() + i, bytes.size() - i);
                while (i < bytes.size() && kBase64Text[static_cast<unsigned char>(bytes[i])]) ++i;
                if (countLines_) countLines(bytes.substr(from, i - from), base + from);
                if (i == bytes.size()) break;
                if (bytes[i] == '<') {
                    state_ = State::CloseTag;
                    closeMatched_ = 1;
                    ++i;
                } else if (!putBack(base + i, skeleton)) {
                    return false;
                }
                break;
            }
            case State::CloseTag:
                if (bytes[i] != kContentCloseTag[closeMatched_]) {
                    if (!putBack(base + i, skeleton)) return false;
                    break;
                }
                ++i;
                if (++closeMatched_ == kContentCloseTag.size()) {
                    const std::uint64_t length = base + i - kContentCloseTag.size() - contentStart_;
                    if (length > 0) {
                        const std::string marker = kMarker + std::to_string(skeleton.ranges.size());
                        skeleton.ranges.push_back({contentStart_, length, skeleton.text.size(), marker.size(), newlines_, lastNewline_});
                        skeleton.text += marker;
                    }
                    skeleton.text += kContentCloseTag;
                    state_ = State::Outside;
                }
                break;
            }
        }
        return true;
    }

    // The text from the open tag up to end is the file's own after all: it goes into the skeleton.
    bool putBack(std::uint64_t end, Skeleton& skeleton) {
        state_ = State::Outside;
        return appendFileRange(files_, path_, contentStart_, end - contentStart_, skeleton.text);
    }

    void countLines(std::string_view text, std::uint64_t at) {
        for (std::size_t p = text.find('\n'); p != std::string_view::npos; p = text.find('\n', p + 1)) {
            ++newlines_;
            lastNewline_ = at + p;
        }
    }

    FileSystem& files_;
    const std::string& path_;
    const bool countLines_;
    std::uint64_t newlines_ = 0;
    std::optional<std::uint64_t> lastNewline_;
    State state_ = State::Outside;
    std::uint64_t contentStart_ = 0;
    std::size_t closeMatched_ = 0;
};

// Gives each icon its range. False when the markers are not exactly the ranges in order (a marker
// found where no icon reads it, or text of the file's own that looks like one).
bool resolveMarkers(ProjectDocument& doc, const std::vector<ContentRange>& ranges) {
    std::size_t next = 0;
    for (DesktopIcon& icon : doc.icons) {
        const std::string& text = icon.FileData_BASE64;
        if (text.empty() || text.front() != kMarker) continue;
        if (text != kMarker + std::to_string(next) || next >= ranges.size()) return false;
        icon.ContentOffset = ranges[next].offset;
        icon.ContentLength = ranges[next].length;
        icon.FileData_BASE64.clear();
        ++next;
    }
    return next == ranges.size();
}

// A parse error of the skeleton, placed in the file: the left-out texts before it are put back into its
// offset, line and line position, and its source text is read from the file (as a whole reading would
// report it).
XmlParseError placeInFile(XmlParseError error, const Skeleton& skeleton, FileSystem& files, const std::string& path) {
    const std::uint64_t at = error.offset;
    const std::uint64_t lineStart = at - (error.linePosition - 1);
    std::uint64_t added = 0, addedBeforeLine = 0, lines = 0;
    std::optional<std::uint64_t> newlineOnLine;
    for (const ContentRange& range : skeleton.ranges) {
        if (range.skeletonAt + range.markerLength > at) break;
        added += range.length - range.markerLength;
        lines += range.newlines;
        if (range.skeletonAt + range.markerLength <= lineStart)
            addedBeforeLine = added;
        else if (range.lastNewline)
            newlineOnLine = range.lastNewline;
    }
    error.offset = static_cast<std::size_t>(at + added);
    error.line += static_cast<std::size_t>(lines);
    const std::uint64_t fileLineStart = newlineOnLine ? *newlineOnLine + 1 : lineStart + addedBeforeLine;
    error.linePosition = static_cast<std::size_t>(error.offset - fileLineStart + 1);

    constexpr std::uint64_t kContext = 80;
    const std::uint64_t from = error.offset > fileLineStart + kContext ? error.offset - kContext : fileLineStart;
    std::string window;
    error.sourceText.clear();
    // The line ends at its first carriage return, also one before the shown part: then nothing is shown.
    for (std::uint64_t at = fileLineStart; at < from; at += window.size()) {
        window.clear();
        if (!appendFileRange(files, path, at, std::min<std::uint64_t>(from - at, 1 << 20), window) || window.empty()) return error;
        if (window.find('\r') != std::string::npos) return error;
    }
    window.clear();
    if (!appendFileRange(files, path, from, std::min(error.offset - from + kContext, skeleton.fileSize - from), window)) return error;
    window = window.substr(0, window.find_first_of("\r\n"));
    error.sourceText = projectBytesAsUtf8(window, projectFileIsUtf8(skeleton.text));
    return error;
}

// A big file that does not read cleanly is not read whole (its contents would all be held at once):
// its skeleton's error is placed in the file. Empty when the skeleton reads cleanly after all (its
// markers out of place): only the whole reading can tell such a file.
std::optional<ScannedProject> readBigDamagedFile(FileSystem& files, const std::string& path) {
    Skeleton skeleton;
    if (!SkeletonScanner(files, path, true).scan(skeleton)) return std::nullopt;
    ScannedProject scanned{readProjectFile(skeleton.text), skeleton.fileSize, skeleton.fileTime};
    if (scanned.result.ok()) return std::nullopt;
    if (scanned.result.error.status == ProjectReadStatus::ParseError)
        scanned.result.error.parse = placeInFile(scanned.result.error.parse, skeleton, files, path);
    return scanned;
}

}  // namespace

std::optional<ScannedProject> scanProjectFile(FileSystem& files, const std::string& path, std::uint64_t wholeReadLimit) {
    ScannedProject scanned;
    {
        Skeleton skeleton;
        if (!SkeletonScanner(files, path).scan(skeleton)) return std::nullopt;
        scanned.fileSize = skeleton.fileSize;
        scanned.fileTime = skeleton.fileTime;
        scanned.result = readProjectFileReleasing(std::move(skeleton.text));
        if (scanned.result.ok() && resolveMarkers(scanned.result.document, skeleton.ranges)) return scanned;
    }
    if (scanned.fileSize > wholeReadLimit)
        if (auto placed = readBigDamagedFile(files, path)) return placed;
    // The whole file, read as it is: its errors name their true line and position.
    const std::optional<std::string> bytes = readFileBytes(files, path);
    if (!bytes) return std::nullopt;
    scanned.fileSize = bytes->size();
    scanned.result = readProjectFile(*bytes);
    return scanned;
}

}  // namespace plenvik
