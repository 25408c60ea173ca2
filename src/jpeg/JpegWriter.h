// JpegWriter: the program's baseline JPEG encoder. It samples a picture, then writes a JFIF file with one
// interleaved scan and Huffman tables built for that picture, to a file or into memory.
//
//   JpegWriter jpg(files);
//   jpg.Quality(80);
//   jpg.SetSamplingFrequencies(1, 1, 1, 1, 1, 1);
//   jpg.SampleHDC(surface, width, height, 0, 0);   // win32::SampleHDC for a device context
//   jpg.SaveFile("");                               // encode only; the bytes are in Data()
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "jpeg/ColorSampler.h"
#include "jpeg/FrameLayout.h"
#include "jpeg/PixelSource.h"
#include "jpeg/QuantizationTables.h"

namespace plenvik {

class FileSystem;

// Results of SaveFile.
inline constexpr std::int32_t kJpegSaved = 5;       // encoded (and written, with a file name)
inline constexpr std::int32_t kJpegFileExists = 2;  // a file of that name exists: nothing encoded or written
inline constexpr std::int32_t kJpegNotWritten = 0;  // encoded, but the file could not be written

// The text of the COM segment every file carries.
inline constexpr const char* kJpegEncoderComment = "Plenvik JPEG encoder";

// Raises a usage error (number 5, German description) unless width and height lie in 1 ... 65535, the
// sizes a JPEG frame can hold.
void validatePictureSize(std::int32_t width, std::int32_t height);

class JpegWriter {
public:
    // Without a file system the encoder works in memory only: SaveFile needs an empty name.
    JpegWriter();
    explicit JpegWriter(FileSystem& files);

    // 1 ... 100, default 75. Writing a value in range recomputes both quantisation tables; any other
    // value is ignored.
    std::int32_t Quality() const { return quality_; }
    void Quality(std::int32_t value);

    // Sampling factors of components 1 to 3. H2, V2, H3 and V3 all 0: a grey picture (one component,
    // 1x1). Otherwise every factor lies in 1 ... 4 and one MCU holds at most 10 blocks; else raises
    // "Invalid Sampling Value" and keeps the factors. Default 2x2, 1x1, 1x1.
    void SetSamplingFrequencies(std::int32_t H1, std::int32_t V1, std::int32_t H2, std::int32_t V2, std::int32_t H3, std::int32_t V3);

    // Takes the lWidth x lHeight rectangle at (lSrcLeft, lSrcTop) of the picture (pixels outside it are
    // black) and converts it into samples. Width and height 1 ... 65535.
    void SampleHDC(const PixelSource& lHDC, std::int32_t lWidth, std::int32_t lHeight, std::int32_t lSrcLeft, std::int32_t lSrcTop);

    // The user's comment (UTF-8), written as windows-1252 into its own COM segment when not empty.
    // Raises "Illegal Comment Length" (and keeps the old one) when it would not fit into a segment.
    const std::string& Comment() const { return comment_; }
    void Comment(const std::string& text);

    // Encodes the sampled picture. With a non-empty name also writes the file, through a temporary file
    // in the same folder that replaces the target only when complete. See the kJpeg... results.
    std::int32_t SaveFile(const std::string& fileName);

    // The last encoded file.
    const std::vector<std::uint8_t>& Data() const { return data_; }

    // Table 0 (luminance) or 1 (chrominance), in zig-zag order.
    const QuantizationTable& QuantizationTableOf(int index) const { return tables_[index]; }
    // The components the next SaveFile codes: 1 (grey) or 3.
    int ComponentCount() const;

private:
    void encode();
    bool writeFile(const std::string& fileName);

    FileSystem* files_ = nullptr;
    std::int32_t quality_ = 75;
    std::array<QuantizationTable, 2> tables_{};
    SamplingFactors factors_{2, 2, 1, 1, 1, 1};
    std::optional<SampledImage> image_;
    std::string comment_;
    std::vector<std::uint8_t> data_;
};

}  // namespace plenvik
