#include "jpeg/JpegWriter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "jpeg/JpegError.h"
#include "support/MemoryFileSystem.h"
#include "unit/jpeg/JpegSegments.h"
#include "unit/jpeg/SyntheticImages.h"

namespace plenvik {
namespace {

using test::MemoryFileSystem;
using testing::jpegSegments;
using testing::markerSequence;
using Bytes = std::vector<std::uint8_t>;

Bytes encode(const PixelSource& source, int width, int height, int left = 0, int top = 0, SamplingFactors f = {1, 1, 1, 1, 1, 1}) {
    JpegWriter jpg;
    jpg.Quality(80);
    jpg.SetSamplingFrequencies(f[0], f[1], f[2], f[3], f[4], f[5]);
    jpg.SampleHDC(source, width, height, left, top);
    EXPECT_EQ(jpg.SaveFile(""), kJpegSaved);
    return jpg.Data();
}

template <class Action>
void expectError(Action action, long number, const std::string& description) {
    try {
        action();
        ADD_FAILURE() << "no error, expected " << description;
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.number(), number);
        if (!description.empty()) {
            EXPECT_EQ(e.description(), description);
        }
    }
}

TEST(JpegWriter, ColourFileHasItsSegmentsInOrder) {
    const RgbImage image = testimages::photoLike(40, 24);
    JpegWriter jpg;
    jpg.Comment(
        "Monitore \xC3\xBC"
        "ber");  // "über": written as windows-1252
    jpg.SampleHDC(image.view(), 40, 24, 0, 0);
    ASSERT_EQ(jpg.SaveFile(""), kJpegSaved);
    const auto segments = jpegSegments(jpg.Data());
    ASSERT_FALSE(segments.empty()) << "not a sequence of well-formed segments";
    const Bytes expected = {0xD8, 0xE0, 0xFE, 0xFE, 0xDB, 0xDB, 0xC0, 0xC4, 0xC4, 0xC4, 0xC4, 0xDA, 0xD9};
    EXPECT_EQ(markerSequence(segments), expected);
    EXPECT_EQ(segments[2].payload, (Bytes{'M', 'o', 'n', 'i', 't', 'o', 'r', 'e', ' ', 0xFC, 'b', 'e', 'r'}));
    const std::string fixed(segments[3].payload.begin(), segments[3].payload.end());
    EXPECT_EQ(fixed, kJpegEncoderComment);
    // DQT 0 then 1; DHT DC 0, AC 0, DC 1, AC 1.
    EXPECT_EQ(segments[4].payload[0], 0x00);
    EXPECT_EQ(segments[5].payload[0], 0x01);
    EXPECT_EQ(segments[7].payload[0], 0x00);
    EXPECT_EQ(segments[8].payload[0], 0x10);
    EXPECT_EQ(segments[9].payload[0], 0x01);
    EXPECT_EQ(segments[10].payload[0], 0x11);
    // The default sampling: Y 2x2, Cb and Cr 1x1; 24 rows, 40 columns.
    const Bytes& sof = segments[6].payload;
    EXPECT_EQ(sof, (Bytes{8, 0, 24, 0, 40, 3, 1, 0x22, 0, 2, 0x11, 1, 3, 0x11, 1}));
    EXPECT_FALSE(segments[11].payload.empty());
}

TEST(JpegWriter, GreyFileHasOneComponentOneQuantizationAndTwoHuffmanTables) {
    const RgbImage image = testimages::photoLike(9, 7);
    JpegWriter jpg;
    jpg.SetSamplingFrequencies(1, 1, 0, 0, 0, 0);
    EXPECT_EQ(jpg.ComponentCount(), 1);
    jpg.SampleHDC(image.view(), 9, 7, 0, 0);
    jpg.SaveFile("");
    const auto segments = jpegSegments(jpg.Data());
    // No user comment: only the fixed one.
    EXPECT_EQ(markerSequence(segments), (Bytes{0xD8, 0xE0, 0xFE, 0xDB, 0xC0, 0xC4, 0xC4, 0xDA, 0xD9}));
    EXPECT_EQ(segments[4].payload, (Bytes{8, 0, 7, 0, 9, 1, 1, 0x11, 0}));
}

TEST(JpegWriter, SamplingFactorsSetAfterSamplingApplyToTheNextFile) {
    const RgbImage image = testimages::photoLike(33, 17);
    JpegWriter jpg;
    jpg.SampleHDC(image.view(), 33, 17, 0, 0);
    jpg.SetSamplingFrequencies(1, 1, 0, 0, 0, 0);
    jpg.SaveFile("");
    const Bytes grey = jpg.Data();
    jpg.SetSamplingFrequencies(1, 2, 1, 1, 1, 1);
    jpg.SaveFile("");
    const auto colour = jpegSegments(jpg.Data());
    ASSERT_GT(colour.size(), 6u);
    EXPECT_EQ(colour[5].payload, (Bytes{8, 0, 17, 0, 33, 3, 1, 0x12, 0, 2, 0x11, 1, 3, 0x11, 1}));
    EXPECT_EQ(markerSequence(jpegSegments(grey)).size(), 9u);
}

TEST(JpegWriter, SamplingFactorsOutsideTheirRangeAreRefused) {
    struct Case {
        SamplingFactors f;
        bool valid;
    };
    const Case cases[] = {
        {{1, 1, 1, 1, 1, 1}, true},
        {{2, 2, 1, 1, 1, 1}, true},
        {{4, 2, 1, 1, 1, 1}, true},
        {{1, 1, 0, 0, 0, 0}, true},
        {{4, 4, 0, 0, 0, 0}, true},
        {{1, 2, 3, 1, 1, 1}, true},
        {{0, 1, 1, 1, 1, 1}, false},
        {{1, 5, 1, 1, 1, 1}, false},
        {{1, 1, 0, 0, 1, 1}, false},
        {{1, 1, 1, 1, 0, 0}, false},
        {{0, 0, 0, 0, 0, 0}, false},
        {{1, 1, -1, 1, 1, 1}, false},
        // 16 + 1 + 1 blocks in one MCU: more than a baseline decoder takes.
        {{4, 4, 1, 1, 1, 1}, false},
        {{3, 3, 1, 1, 1, 1}, false},
    };
    for (const Case& c : cases) {
        JpegWriter jpg;
        jpg.SetSamplingFrequencies(1, 1, 0, 0, 0, 0);
        auto set = [&] { jpg.SetSamplingFrequencies(c.f[0], c.f[1], c.f[2], c.f[3], c.f[4], c.f[5]); };
        if (c.valid) {
            EXPECT_NO_THROW(set());
        } else {
            expectError(set, 1, "Invalid Sampling Value");
            EXPECT_EQ(jpg.ComponentCount(), 1) << "a refused setting changed the factors";
        }
    }
}

TEST(JpegWriter, CommentLongerThanASegmentIsRefused) {
    JpegWriter jpg;
    const std::string umlaut = "\xC3\xA4";  // one byte in windows-1252
    std::string longest;
    for (std::size_t i = 0; i < 65533; ++i) longest += umlaut;
    jpg.Comment(longest);
    EXPECT_EQ(jpg.Comment(), longest);
    expectError([&] { jpg.Comment(longest + "x"); }, 1, "Illegal Comment Length");
    EXPECT_EQ(jpg.Comment(), longest);

    const RgbImage image = testimages::photoLike(8, 8);
    jpg.SampleHDC(image.view(), 8, 8, 0, 0);
    jpg.SaveFile("");
    const auto segments = jpegSegments(jpg.Data());
    ASSERT_GT(segments.size(), 2u);
    EXPECT_EQ(segments[2].payload.size(), 65533u);
}

TEST(JpegWriter, SaveFileLeavesAnExistingFileUntouched) {
    MemoryFileSystem files;
    files.setBytes("C:\\Plenvik\\Desktop.jpg", {1, 2, 3});
    JpegWriter jpg(files);
    const RgbImage image = testimages::photoLike(16, 16);
    jpg.SampleHDC(image.view(), 16, 16, 0, 0);
    EXPECT_EQ(jpg.SaveFile("C:\\Plenvik\\Desktop.jpg"), kJpegFileExists);
    EXPECT_EQ(files.bytes("C:\\Plenvik\\Desktop.jpg"), (Bytes{1, 2, 3}));
    EXPECT_TRUE(jpg.Data().empty()) << "nothing is encoded either";
    EXPECT_TRUE(files.opened.empty());
}

// How the file is written (temporary name, failures) is AtomicFile's; here only what SaveFile answers.
TEST(JpegWriter, SaveFileWritesTheDataOrSaysItCouldNot) {
    MemoryFileSystem files;
    JpegWriter jpg(files);
    const RgbImage image = testimages::photoLike(16, 16);
    jpg.SampleHDC(image.view(), 16, 16, 0, 0);
    EXPECT_EQ(jpg.SaveFile("C:\\Plenvik\\Bild.jpg"), kJpegSaved);
    EXPECT_EQ(files.bytes("C:\\Plenvik\\Bild.jpg"), jpg.Data());
    EXPECT_EQ(files.files.size(), 1u);

    files.writeLimit = 10;  // the disk fills up
    EXPECT_EQ(jpg.SaveFile("C:\\x\\a.jpg"), kJpegNotWritten);
    EXPECT_FALSE(files.exists("C:\\x\\a.jpg"));
    EXPECT_EQ(files.files.size(), 1u) << "no temporary file is left";
    EXPECT_FALSE(jpg.Data().empty()) << "the encoded bytes are still available";
}

TEST(JpegWriter, UsageErrors) {
    JpegWriter memoryOnly;
    expectError([&] { memoryOnly.SaveFile(""); }, 5, "");  // nothing sampled yet
    const RgbImage image = testimages::photoLike(4, 4);
    expectError([&] { memoryOnly.SampleHDC(image.view(), 0, 4, 0, 0); }, 5, "");
    expectError([&] { memoryOnly.SampleHDC(image.view(), 4, 65536, 0, 0); }, 5, "");
    memoryOnly.SampleHDC(image.view(), 4, 4, 0, 0);
    expectError([&] { memoryOnly.SaveFile("C:\\a.jpg"); }, 5, "");  // no file system to write with
    EXPECT_EQ(memoryOnly.SaveFile(""), kJpegSaved);
}

TEST(JpegWriter, SamplesTheRequestedRectangleWithBlackOutsideTheSource) {
    const RgbImage image = testimages::photoLike(50, 40);
    // The rectangle (10, 5) 20 x 30 equals a cropped copy of it.
    RgbImage cropped(20, 30);
    for (int y = 0; y < 30; ++y) std::copy_n(image.rgb.data() + ((y + 5) * 50 + 10) * 3, 60, cropped.at(0, y));
    EXPECT_EQ(encode(image.view(), 20, 30, 10, 5), encode(cropped.view(), 20, 30));

    // A rectangle reaching past the top-left and bottom-right corners sees black there.
    RgbImage framed(60, 50);
    for (int y = 0; y < 40; ++y) std::copy_n(image.rgb.data() + y * 50 * 3, 150, framed.at(4, y + 3));
    EXPECT_EQ(encode(image.view(), 60, 50, -4, -3), encode(framed.view(), 60, 50));
}

TEST(JpegWriter, PaletteAndBgrxPicturesEncodeLikeTheirRgbColours) {
    const auto layout = testimages::monitorLayout(64, 48);
    const RgbImage rgb = layout.toRgb();
    EXPECT_EQ(encode(layout.view(), 64, 48), encode(rgb.view(), 64, 48));

    // The same picture as a bottom-up 32-bit DIB.
    std::vector<std::uint8_t> dib(64 * 48 * 4);
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 64; ++x) {
            const std::uint8_t* p = rgb.rgb.data() + (y * 64 + x) * 3;
            std::uint8_t* q = dib.data() + ((47 - y) * 64 + x) * 4;
            q[0] = p[2], q[1] = p[1], q[2] = p[0], q[3] = 0;
        }
    const PixelSource bottomUp{64, 48, PixelFormat::Bgrx32, dib.data() + 47 * 64 * 4, -64 * 4, nullptr, 0};
    EXPECT_EQ(encode(bottomUp, 64, 48), encode(rgb.view(), 64, 48));
}

TEST(JpegWriter, QualityChangesTheFile) {
    const RgbImage image = testimages::photoLike(64, 64);
    std::size_t previous = 0;
    for (int quality : {10, 50, 80, 100}) {
        JpegWriter jpg;
        jpg.Quality(quality);
        jpg.SampleHDC(image.view(), 64, 64, 0, 0);
        jpg.SaveFile("");
        EXPECT_GT(jpg.Data().size(), previous) << "quality " << quality;
        previous = jpg.Data().size();
        const auto segments = jpegSegments(jpg.Data());
        ASSERT_GT(segments.size(), 4u);
        const auto expected = jpg.QuantizationTableOf(0);
        EXPECT_TRUE(std::equal(expected.begin(), expected.end(), segments[3].payload.begin() + 1));
    }
}

}  // namespace
}  // namespace plenvik
