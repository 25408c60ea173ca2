#include "ui/PictureFile.h"

#include <memory>

#include "platform/FileSystem.h"

namespace plenvik {

std::optional<std::vector<std::uint8_t>> readPictureFile(FileSystem& files, const std::string& path) {
    FileOpenRequest request;
    request.path = path;
    std::unique_ptr<FileHandle> file = files.open(request);
    if (!file) return std::nullopt;
    const std::optional<std::uint64_t> size = file->size();
    if (!size || *size > kMaxPictureFileBytes) return std::nullopt;
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(*size));
    std::size_t done = 0;
    while (done < bytes.size()) {
        const std::optional<std::size_t> n = file->read(bytes.data() + done, bytes.size() - done);
        if (!n) return std::nullopt;
        if (*n == 0) break;
        done += *n;
    }
    bytes.resize(done);
    return bytes;
}

std::optional<PictureSize> jpegFrameSize(const std::vector<std::uint8_t>& bytes) {
    if (bytes.size() < 4 || bytes[0] != 0xFF || bytes[1] != 0xD8) return std::nullopt;
    std::size_t pos = 2;
    while (pos < bytes.size()) {
        if (bytes[pos] != 0xFF) return std::nullopt;
        while (pos < bytes.size() && bytes[pos] == 0xFF) ++pos;  // fill bytes
        if (pos >= bytes.size()) return std::nullopt;
        const std::uint8_t marker = bytes[pos++];
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD8)) continue;  // no length field
        if (marker == 0xD9 || marker == 0xDA) return std::nullopt;           // image or scan without frame
        if (pos + 2 > bytes.size()) return std::nullopt;
        const std::size_t length = (static_cast<std::size_t>(bytes[pos]) << 8) | bytes[pos + 1];
        if (length < 2 || pos + length > bytes.size()) return std::nullopt;
        const bool startOfFrame = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (startOfFrame) {
            if (length < 8) return std::nullopt;
            const int height = (bytes[pos + 3] << 8) | bytes[pos + 4];
            const int width = (bytes[pos + 5] << 8) | bytes[pos + 6];
            if (width == 0 || height == 0) return std::nullopt;  // a height given later (DNL) is not supported
            return PictureSize{width, height};
        }
        pos += length;
    }
    return std::nullopt;
}

}  // namespace plenvik
