#include "project/LnkFile.h"

#include <algorithm>
#include <array>
#include <optional>

#include "common/Text.h"

namespace plenvik {
namespace {

constexpr std::uint32_t kHeaderSize = 0x4C;
// CLSID_ShellLink {00021401-0000-0000-C000-000000000046} as stored.
constexpr std::array<std::uint8_t, 16> kLinkClsid = {0x01, 0x14, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00,
                                                     0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46};
constexpr std::uint32_t kVolumeIdAndLocalBasePath = 0x1, kCommonNetworkRelativeLinkAndPathSuffix = 0x2;
constexpr std::uint32_t kEnvironmentVariableBlock = 0xA0000001u;
constexpr std::size_t kEnvironmentBlockSize = 0x314;

// A bounds-checked view of part of the file.
class Reader {
public:
    Reader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    std::size_t size() const { return size_; }
    bool has(std::size_t offset, std::size_t count) const { return offset <= size_ && count <= size_ - offset; }

    std::optional<std::uint16_t> u16(std::size_t at) const {
        if (!has(at, 2)) return std::nullopt;
        return static_cast<std::uint16_t>(data_[at] | data_[at + 1] << 8);
    }
    std::optional<std::uint32_t> u32(std::size_t at) const {
        if (!has(at, 4)) return std::nullopt;
        return static_cast<std::uint32_t>(data_[at]) | static_cast<std::uint32_t>(data_[at + 1]) << 8 |
               static_cast<std::uint32_t>(data_[at + 2]) << 16 | static_cast<std::uint32_t>(data_[at + 3]) << 24;
    }
    Reader sub(std::size_t offset, std::size_t count) const { return Reader(data_ + offset, count); }

    // A NUL-terminated ANSI string at offset; nullopt when it runs past the end.
    std::optional<std::string> ansiz(std::size_t at) const {
        if (at >= size_) return std::nullopt;
        for (std::size_t i = at; i < size_; ++i)
            if (data_[i] == 0) return windows1252ToUtf8(std::string_view(reinterpret_cast<const char*>(data_ + at), i - at));
        return std::nullopt;
    }
    // A NUL-terminated UTF-16LE string at offset.
    std::optional<std::string> unicodez(std::size_t at) const {
        std::u16string text;
        for (std::size_t i = at; has(i, 2); i += 2) {
            const char16_t c = static_cast<char16_t>(data_[i] | data_[i + 1] << 8);
            if (c == 0) return utf16ToUtf8(text);
            text.push_back(c);
        }
        return std::nullopt;
    }
    // count UTF-16LE characters or count ANSI bytes at offset.
    std::optional<std::string> counted(std::size_t at, std::size_t count, bool unicode) const {
        const std::size_t bytes = unicode ? count * 2 : count;
        if (!has(at, bytes)) return std::nullopt;
        if (!unicode) return windows1252ToUtf8(std::string_view(reinterpret_cast<const char*>(data_ + at), count));
        std::u16string text(count, u'\0');
        for (std::size_t i = 0; i < count; ++i) text[i] = static_cast<char16_t>(data_[at + 2 * i] | data_[at + 2 * i + 1] << 8);
        return utf16ToUtf8(text);
    }
    // A fixed-size field holding a NUL-terminated string (the environment block's targets).
    std::string fixedAnsi(std::size_t at, std::size_t count) const {
        if (!has(at, count)) return {};
        std::size_t n = 0;
        while (n < count && data_[at + n] != 0) ++n;
        return windows1252ToUtf8(std::string_view(reinterpret_cast<const char*>(data_ + at), n));
    }
    std::string fixedUnicode(std::size_t at, std::size_t count) const {
        if (!has(at, count * 2)) return {};
        std::u16string text;
        for (std::size_t i = 0; i < count; ++i) {
            const char16_t c = static_cast<char16_t>(data_[at + 2 * i] | data_[at + 2 * i + 1] << 8);
            if (c == 0) break;
            text.push_back(c);
        }
        return utf16ToUtf8(text);
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
};

// The link information block; false when it is damaged.
bool readLinkInfo(const Reader& info, LnkFile& link) {
    const auto headerSize = info.u32(4), flags = info.u32(8), localOffset = info.u32(16), networkOffset = info.u32(20),
               suffixOffset = info.u32(24);
    if (!headerSize || !flags || !localOffset || !networkOffset || !suffixOffset) return false;
    if (*headerSize < 0x1C || *headerSize > info.size()) return false;
    const bool unicodeOffsets = *headerSize >= 0x24;
    const auto localOffsetUnicode = unicodeOffsets ? info.u32(0x1C) : std::optional<std::uint32_t>(0);
    const auto suffixOffsetUnicode = unicodeOffsets ? info.u32(0x20) : std::optional<std::uint32_t>(0);
    if (!localOffsetUnicode || !suffixOffsetUnicode) return false;

    if (*flags & kVolumeIdAndLocalBasePath) {
        const auto local = *localOffsetUnicode ? info.unicodez(*localOffsetUnicode) : info.ansiz(*localOffset);
        if (!local) return false;
        link.localBasePath = *local;
    }
    if (*flags & kCommonNetworkRelativeLinkAndPathSuffix) {
        if (!info.has(*networkOffset, 0x14)) return false;
        const auto networkSize = info.u32(*networkOffset);
        if (!networkSize || *networkSize < 0x14 || !info.has(*networkOffset, *networkSize)) return false;
        const Reader network = info.sub(*networkOffset, *networkSize);
        const auto netNameOffset = network.u32(8);
        if (!netNameOffset) return false;
        std::optional<std::string> netName;
        if (*netNameOffset > 0x14) {
            const auto netNameOffsetUnicode = network.u32(0x14);
            if (!netNameOffsetUnicode) return false;
            netName = *netNameOffsetUnicode ? network.unicodez(*netNameOffsetUnicode) : network.ansiz(*netNameOffset);
        } else {
            netName = network.ansiz(*netNameOffset);
        }
        if (!netName) return false;
        link.netName = *netName;
    }
    if (*flags & (kVolumeIdAndLocalBasePath | kCommonNetworkRelativeLinkAndPathSuffix)) {
        const auto suffix = *suffixOffsetUnicode ? info.unicodez(*suffixOffsetUnicode) : info.ansiz(*suffixOffset);
        if (!suffix) return false;
        link.commonPathSuffix = *suffix;
    }
    return true;
}

// The extra data blocks after the string data: only the environment-variable target is taken. They are
// optional, so a damaged block ends the reading without making the link invalid.
void readExtraData(const Reader& file, std::size_t at, LnkFile& link) {
    while (true) {
        const auto blockSize = file.u32(at);
        if (!blockSize || *blockSize < 8 || !file.has(at, *blockSize)) return;
        const auto signature = file.u32(at + 4);
        if (*signature == kEnvironmentVariableBlock && *blockSize >= kEnvironmentBlockSize) {
            const std::string unicode = file.fixedUnicode(at + 8 + 260, 260);
            link.environmentTarget = unicode.empty() ? file.fixedAnsi(at + 8, 260) : unicode;
        }
        at += *blockSize;
    }
}

void putU16(std::vector<std::uint8_t>& out, std::uint16_t v) {
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}
void putU32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    putU16(out, static_cast<std::uint16_t>(v));
    putU16(out, static_cast<std::uint16_t>(v >> 16));
}
void setU32(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) out[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}
void putAnsiz(std::vector<std::uint8_t>& out, const std::string& utf8) {
    const std::string ansi = utf8ToWindows1252(utf8, Unmappable::QuestionMark);
    out.insert(out.end(), ansi.begin(), ansi.end());
    out.push_back(0);
}
void putUnicode(std::vector<std::uint8_t>& out, const std::u16string& text) {
    for (char16_t c : text) putU16(out, static_cast<std::uint16_t>(c));
}

}  // namespace

std::string LnkFile::targetPath() const {
    if (!localBasePath.empty()) return localBasePath + commonPathSuffix;
    if (netName.empty()) return {};
    if (commonPathSuffix.empty()) return netName;
    return netName.back() == '\\' ? netName + commonPathSuffix : netName + "\\" + commonPathSuffix;
}

LnkFile LnkFile::parse(const std::vector<std::uint8_t>& bytes) {
    const Reader file(bytes.data(), bytes.size());
    LnkFile link;
    const auto headerSize = file.u32(0);
    if (!headerSize || *headerSize != kHeaderSize || !file.has(0, kHeaderSize)) return {};
    for (std::size_t i = 0; i < kLinkClsid.size(); ++i)
        if (bytes[4 + i] != kLinkClsid[i]) return {};
    link.linkFlags = *file.u32(0x14);
    link.fileAttributes = *file.u32(0x18);
    link.fileSize = *file.u32(0x34);
    link.iconIndex = static_cast<std::int32_t>(*file.u32(0x38));
    link.showCommand = *file.u32(0x3C);
    link.hotKey = *file.u16(0x40);

    std::size_t at = kHeaderSize;
    if (link.linkFlags & kHasLinkTargetIdList) {
        const auto idListSize = file.u16(at);
        if (!idListSize || !file.has(at + 2, *idListSize)) return {};
        at += 2 + *idListSize;
    }
    if (link.linkFlags & kHasLinkInfo) {
        const auto infoSize = file.u32(at);
        if (!infoSize || *infoSize < 0x1C || !file.has(at, *infoSize)) return {};
        if (!readLinkInfo(file.sub(at, *infoSize), link)) return {};
        at += *infoSize;
    }
    const bool unicode = (link.linkFlags & kIsUnicode) != 0;
    const std::pair<std::uint32_t, std::string*> strings[] = {{kHasName, &link.name},
                                                              {kHasRelativePath, &link.relativePath},
                                                              {kHasWorkingDir, &link.workingDir},
                                                              {kHasArguments, &link.arguments},
                                                              {kHasIconLocation, &link.iconLocation}};
    for (const auto& [flag, target] : strings) {
        if (!(link.linkFlags & flag)) continue;
        const auto count = file.u16(at);
        if (!count) return {};
        const auto text = file.counted(at + 2, *count, unicode);
        if (!text) return {};
        // Some writers count a terminating NUL; the text ends there, as the shell reads it.
        *target = trimAtNull(*text);
        at += 2 + static_cast<std::size_t>(*count) * (unicode ? 2 : 1);
    }
    readExtraData(file, at, link);
    link.valid = true;
    return link;
}

std::vector<std::uint8_t> LnkFile::serialise() const {
    std::uint32_t flags = kHasLinkInfo | kIsUnicode;
    const std::pair<std::uint32_t, const std::string*> strings[] = {{kHasName, &name},
                                                                    {kHasRelativePath, &relativePath},
                                                                    {kHasWorkingDir, &workingDir},
                                                                    {kHasArguments, &arguments},
                                                                    {kHasIconLocation, &iconLocation}};
    for (const auto& [flag, text] : strings)
        if (!text->empty()) flags |= flag;

    std::vector<std::uint8_t> out;
    putU32(out, kHeaderSize);
    out.insert(out.end(), kLinkClsid.begin(), kLinkClsid.end());
    putU32(out, flags);
    putU32(out, fileAttributes);
    out.insert(out.end(), 24, 0);  // creation, access and write times
    putU32(out, fileSize);
    putU32(out, static_cast<std::uint32_t>(iconIndex));
    putU32(out, showCommand);
    putU16(out, hotKey);
    out.insert(out.end(), 10, 0);  // reserved

    // Link information: header with the Unicode offsets, a volume ID of a fixed drive without label,
    // the local base path and an empty suffix in both forms.
    const std::size_t info = out.size();
    constexpr std::uint32_t kInfoHeader = 0x24, kVolumeIdSize = 0x11;
    out.insert(out.end(), kInfoHeader, 0);
    setU32(out, info + 4, kInfoHeader);
    setU32(out, info + 8, kVolumeIdAndLocalBasePath);
    setU32(out, info + 12, kInfoHeader);
    putU32(out, kVolumeIdSize);
    putU32(out, 3);  // DRIVE_FIXED
    putU32(out, 0);  // serial number
    putU32(out, 0x10);
    out.push_back(0);  // empty volume label
    setU32(out, info + 16, static_cast<std::uint32_t>(out.size() - info));
    putAnsiz(out, localBasePath + commonPathSuffix);
    setU32(out, info + 24, static_cast<std::uint32_t>(out.size() - info));
    out.push_back(0);
    setU32(out, info + 28, static_cast<std::uint32_t>(out.size() - info));
    putUnicode(out, utf8ToUtf16(localBasePath + commonPathSuffix));
    putU16(out, 0);
    setU32(out, info + 32, static_cast<std::uint32_t>(out.size() - info));
    putU16(out, 0);
    setU32(out, info, static_cast<std::uint32_t>(out.size() - info));

    for (const auto& [flag, text] : strings) {
        if (!(flags & flag)) continue;
        const std::u16string wide = utf8ToUtf16(*text);
        const std::size_t count = std::min<std::size_t>(wide.size(), 0xFFFF);
        putU16(out, static_cast<std::uint16_t>(count));
        putUnicode(out, wide.substr(0, count));
    }
    putU32(out, 0);  // terminal extra-data block
    return out;
}

}  // namespace plenvik
