#include "jpeg/JpegWriter.h"

#include <string_view>

#include "common/AtomicFile.h"
#include "common/Text.h"
#include "jpeg/BitWriter.h"
#include "jpeg/CoefficientBlocks.h"
#include "jpeg/EntropyCoder.h"
#include "jpeg/JpegError.h"
#include "jpeg/MarkerWriter.h"

namespace plenvik {
namespace {

constexpr std::int32_t kMaxDimension = 65535;

std::array<HuffmanSpec, 2> optimalTables(const std::array<SymbolCounts, 2>& counts, int tableCount) {
    std::array<HuffmanSpec, 2> specs;
    for (int t = 0; t < tableCount; ++t) specs[t] = buildOptimalHuffman(counts[t]);
    return specs;
}

}  // namespace

void validatePictureSize(std::int32_t width, std::int32_t height) {
    if (width < 1 || height < 1 || width > kMaxDimension || height > kMaxDimension)
        raiseJpegUsageError("Die Bildgröße " + std::to_string(width) + " x " + std::to_string(height) +
                            " Pixel lässt sich nicht als JPEG speichern (erlaubt sind 1 bis 65535 Pixel je Seite).");
}

JpegWriter::JpegWriter() { Quality(quality_); }

JpegWriter::JpegWriter(FileSystem& files) : files_(&files) { Quality(quality_); }

void JpegWriter::Quality(std::int32_t value) {
    if (value < 1 || value > 100) return;
    quality_ = value;
    const int scale = qualityScale(value);
    tables_[0] = scaledQuantizationTable(kLuminanceBase, scale);
    tables_[1] = scaledQuantizationTable(kChrominanceBase, scale);
}

void JpegWriter::SetSamplingFrequencies(std::int32_t H1, std::int32_t V1, std::int32_t H2, std::int32_t V2, std::int32_t H3,
                                        std::int32_t V3) {
    const SamplingFactors factors{H1, V1, H2, V2, H3, V3};
    validateSamplingFactors(factors);
    factors_ = factors;
}

int JpegWriter::ComponentCount() const { return factors_[2] == 0 && factors_[3] == 0 && factors_[4] == 0 && factors_[5] == 0 ? 1 : 3; }

void JpegWriter::SampleHDC(const PixelSource& lHDC, std::int32_t lWidth, std::int32_t lHeight, std::int32_t lSrcLeft,
                           std::int32_t lSrcTop) {
    validatePictureSize(lWidth, lHeight);
    image_ = sampleColors(lHDC, lWidth, lHeight, lSrcLeft, lSrcTop);
}

void JpegWriter::Comment(const std::string& text) {
    if (utf8ToWindows1252(text, Unmappable::QuestionMark).size() > kMaxCommentBytes) raiseJpegError(kIllegalCommentLength);
    comment_ = text;
}

std::int32_t JpegWriter::SaveFile(const std::string& fileName) {
    if (!fileName.empty()) {
        if (files_ == nullptr) raiseJpegUsageError("Das JPEG-Bild kann nicht als Datei gespeichert werden: kein Dateizugriff vorhanden.");
        if (files_->exists(fileName)) return kJpegFileExists;
    }
    encode();
    if (fileName.empty()) return kJpegSaved;
    return writeFile(fileName) ? kJpegSaved : kJpegNotWritten;
}

void JpegWriter::encode() {
    if (!image_) raiseJpegUsageError("Es gibt kein Bild zum Speichern als JPEG: das Bild wurde noch nicht abgetastet.");
    const FrameLayout layout = makeFrameLayout(image_->width, image_->height, factors_);

    // Components at their own resolution; a plane at full resolution is used as it is.
    std::vector<SamplePlane> reduced;
    reduced.reserve(layout.components.size());
    std::vector<const SamplePlane*> planes;
    const SamplePlane* const full[3] = {&image_->y, &image_->cb, &image_->cr};
    for (std::size_t c = 0; c < layout.components.size(); ++c) {
        const ComponentSpec& table = layout.components[c];
        if (table.h == layout.hMax && table.v == layout.vMax) {
            planes.push_back(full[c]);
        } else {
            reduced.push_back(downsample(*full[c], table.h, layout.hMax, table.v, layout.vMax));
            planes.push_back(&reduced.back());
        }
    }

    const CoefficientBlocks blocks = transformBlocks(layout, planes, tables_);

    // First pass: count the symbols, build the optimal tables, estimate the size.
    const int tableCount = layout.components.size() == 1 ? 1 : 2;
    const ScanStatistics stats = countSymbols(layout, blocks);
    const std::array<HuffmanSpec, 2> dcSpecs = optimalTables(stats.dc, tableCount);
    const std::array<HuffmanSpec, 2> acSpecs = optimalTables(stats.ac, tableCount);
    std::array<HuffmanCodes, 2> dcCodes{}, acCodes{};
    for (int t = 0; t < tableCount; ++t) {
        dcCodes[t] = huffmanCodes(dcSpecs[t], true);
        acCodes[t] = huffmanCodes(acSpecs[t], false);
    }
    const std::string commentBytes = utf8ToWindows1252(comment_, Unmappable::QuestionMark);
    const std::uint64_t estimatedBits = codedBits(stats, dcCodes, acCodes, magnitudeBits(stats));
    ByteBuffer out(static_cast<std::size_t>(static_cast<double>(estimatedBits) / 8.0 * 1.3) + 1000 + commentBytes.size());

    MarkerWriter markers(out);
    markers.startOfImage();
    markers.jfifHeader();
    if (!commentBytes.empty()) markers.comment(commentBytes);
    markers.comment(kJpegEncoderComment);
    for (int t = 0; t < tableCount; ++t) markers.quantizationTable(t, tables_[t]);
    markers.startOfFrame(layout);
    for (int t = 0; t < tableCount; ++t) {
        markers.huffmanTable(0, t, dcSpecs[t]);
        markers.huffmanTable(1, t, acSpecs[t]);
    }
    markers.startOfScan(layout);

    // Second pass: the entropy-coded data.
    BitWriter bits(out);
    writeScan(layout, blocks, dcCodes, acCodes, bits);
    bits.flush();
    markers.endOfImage();
    data_ = out.take();
}

bool JpegWriter::writeFile(const std::string& fileName) { return writeFileAtomically(*files_, fileName, data_); }

}  // namespace plenvik
