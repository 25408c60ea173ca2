// Reading a picture file: its bytes through the file-system seam, and the size a JPEG file declares
// in its frame header.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace plenvik {

class FileSystem;

struct PictureSize {
    int width = 0;
    int height = 0;
    bool operator==(const PictureSize&) const = default;
};

// Larger files are not read as pictures.
inline constexpr std::uint64_t kMaxPictureFileBytes = 64ull * 1024 * 1024;

// The whole file, or nothing when it cannot be opened or read, or is larger than the limit.
std::optional<std::vector<std::uint8_t>> readPictureFile(FileSystem& files, const std::string& path);

// Width and height from the first start-of-frame segment (any SOFn) of a JPEG file; nothing when the
// bytes do not start like a JPEG file, a segment runs past the end, or the scan starts before a frame.
std::optional<PictureSize> jpegFrameSize(const std::vector<std::uint8_t>& bytes);

}  // namespace plenvik
