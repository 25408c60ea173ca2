// The picture control's model: the surface and its drawing rules, the font, JPEG output, loading
// pictures with and without a decoder, and the view state (scroll bars, dragging).
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <set>

#include "errors/RuntimeError.h"
#include "support/MemoryFileSystem.h"
#include "ui/BitmapFont.h"
#include "ui/PictureDecoder.h"
#include "ui/PictureFile.h"
#include "ui/PictureView.h"
#include "unit/jpeg/PnmFiles.h"

#ifndef _WIN32
#include <unistd.h>
#endif

namespace plenvik {
namespace {

constexpr OleColor kWhite = rgbColor(255, 255, 255);

// A decoder that knows one file: a 3 x 2 picture.
class FakeDecoder : public PictureDecoder {
public:
    std::optional<RgbImage> decode(const std::vector<std::uint8_t>& bytes) override {
        ++calls;
        if (bytes != std::vector<std::uint8_t>{'P', 'I', 'C'}) return std::nullopt;
        RgbImage image(3, 2);
        for (int x = 0; x < 3; ++x) {
            image.at(x, 0)[0] = 255;  // red row
            image.at(x, 1)[2] = 200;  // nearly blue row
        }
        return image;
    }
    int calls = 0;
};

bool isColor(PaletteColor c, int r, int g, int b) { return c.r == r && c.g == g && c.b == b; }

// The pixels of a surface as '#' (black), '.' (anything else), for comparing small drawings.
std::vector<std::string> art(const IndexedSurface& s, int width, int height) {
    std::vector<std::string> rows;
    for (int y = 0; y < height; ++y) {
        std::string row;
        for (int x = 0; x < width; ++x) row += isColor(s.color(x, y), 0, 0, 0) ? '#' : (isColor(s.color(x, y), 255, 255, 255) ? '.' : 'o');
        rows.push_back(row);
    }
    return rows;
}

class PictureViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        view.setRepaintHandler([this] { ++repaints; });
        view.NewPicture(8, 6, rgbColor(10, 20, 30));
    }
    test::MemoryFileSystem files;
    PictureView view{&files};
    int repaints = 0;
};

TEST_F(PictureViewTest, ANewPictureIsPaddedToWholeWordsAndStartsInTheBackgroundColour) {
    view.NewPicture(254, 3, rgbColor(10, 20, 30));
    const IndexedSurface& s = *view.surface();
    EXPECT_EQ(view.PictureWidth(), 254);
    EXPECT_EQ(view.PictureHeight(), 3);
    EXPECT_EQ(s.stride(), 256);
    EXPECT_TRUE(isColor(s.palette()[0], 10, 20, 30));
    for (std::uint8_t i : s.indices()) ASSERT_EQ(i, 0);

    // A system colour is resolved first: by the view's resolver, or the standard scheme.
    view.setSystemColors([](int index) { return index == 15 ? rgbColor(1, 2, 3) : 0u; });
    view.NewPicture(2, 2, systemColor(15));
    EXPECT_TRUE(isColor(view.surface()->palette()[0], 1, 2, 3));
    view.setSystemColors(nullptr);
    view.NewPicture(2, 2, systemColor(24));
    EXPECT_TRUE(isColor(view.surface()->palette()[0], 0xFF, 0xFF, 0xE1)) << "tool-tip background";
}

TEST_F(PictureViewTest, AnImpossibleSizeRaisesAndKeepsThePicture) {
    EXPECT_THROW(view.NewPicture(0, 10, kWhite), RuntimeError);
    EXPECT_THROW(view.NewPicture(10, -5, kWhite), RuntimeError);
    EXPECT_EQ(view.PictureWidth(), 8);
    EXPECT_EQ(view.PictureHeight(), 6);
}

TEST_F(PictureViewTest, RectanglesFollowTheOutlineAndFillRules) {
    view.PaintRectangle(-1, -1, 255, 255);
    EXPECT_EQ(art(*view.surface(), 8, 6), std::vector<std::string>(6, "........")) << "the outline lies outside";

    view.PaintRectangle(5, 4, 1, 1);  // corners in any order
    EXPECT_EQ(art(*view.surface(), 8, 6),
              (std::vector<std::string>{"........", ".####...", ".#..#...", ".####...", "........", "........"}));

    // Coordinates are rounded with ties to even: 2.5 -> 2, 3.5 -> 4, 4.5 -> 4, 5.5 -> 6.
    view.PaintRectangle(-1, -1, 255, 255);
    view.PaintRectangle(2.5, 3.5, 4.5, 5.5);
    EXPECT_EQ(art(*view.surface(), 8, 6),
              (std::vector<std::string>{"........", "........", "........", "........", "..##....", "..##...."}));

    // A brush colour fills [left, right) x [top, bottom) without an outline.
    view.PaintRectangle(-1, -1, 255, 255);
    view.PaintRectangle(6, 0, 8, 2, 0, 0, 0, rgbColor(255, 0, 0));
    EXPECT_EQ(art(*view.surface(), 8, 6)[0], "......oo");
    EXPECT_EQ(art(*view.surface(), 8, 6)[2], "........");
    EXPECT_TRUE(isColor(view.surface()->color(7, 1), 255, 0, 0));
    // Inverted corners fill as FillRect does (checked against GDI in the Windows tests).
    view.PaintRectangle(2, 2, 0, 0, 0, 0, 0, rgbColor(255, 0, 0));
    EXPECT_EQ(art(*view.surface(), 8, 6)[0], "......oo");
    EXPECT_EQ(art(*view.surface(), 8, 6)[1], ".oo...oo");
    EXPECT_EQ(art(*view.surface(), 8, 6)[2], ".oo.....");

    // The pen and brush can be changed.
    view.PenColor(rgbColor(0, 128, 0));
    view.BrushColor(rgbColor(0, 0, 0));
    view.PaintRectangle(0, 3, 3, 6);
    EXPECT_TRUE(isColor(view.surface()->color(0, 3), 0, 128, 0));
    EXPECT_TRUE(isColor(view.surface()->color(1, 4), 0, 0, 0));
}

TEST_F(PictureViewTest, ANonZeroBrushDrawsNothingButRepaints) {
    const auto before = view.surface()->indices();
    const int repaintsBefore = repaints;
    EXPECT_TRUE(view.PaintRectangle(0, 0, 8, 6, 0, 1));
    EXPECT_TRUE(view.PaintText(0, 0, "X", 0, 1));
    EXPECT_EQ(view.surface()->indices(), before);
    EXPECT_EQ(repaints, repaintsBefore + 2);
    // Not-a-number coordinates draw nothing either.
    EXPECT_TRUE(view.PaintRectangle(std::nan(""), 0, 8, 6));
    EXPECT_EQ(view.surface()->indices(), before);
}

TEST_F(PictureViewTest, TextIsDrawnFromTheBuiltInFontAtItsTopLeftCorner) {
    view.NewPicture(40, 12, kWhite);
    view.PaintText(2.5, 3, "M.1");  // 2.5 rounds to 2
    const IndexedSurface& s = *view.surface();
    const std::string text = "M.1";
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 40; ++x) {
            const int column = x - 2, row = y - 3;
            bool expected = false;
            if (row >= 0 && row < BitmapFont::kGlyphHeight && column >= 0 && column < 3 * BitmapFont::kAdvance &&
                column % BitmapFont::kAdvance < BitmapFont::kGlyphWidth)
                expected = BitmapFont::glyph(static_cast<unsigned char>(text[column / BitmapFont::kAdvance]))
                               .pixel(column % BitmapFont::kAdvance, row);
            ASSERT_EQ(isColor(s.color(x, y), 0, 0, 0), expected) << x << "," << y;
        }
    EXPECT_EQ(BitmapFont::textWidth("M.12"), 23);
    EXPECT_EQ(BitmapFont::textWidth("\u00C4"), 5) << "one character, two bytes";
}

TEST(BitmapFontTest, EveryPrintableCharacterHasItsOwnGlyph) {
    std::set<std::array<std::uint8_t, 7>> seen;
    for (char32_t c = 33; c < 127; ++c) {
        ASSERT_TRUE(BitmapFont::has(c)) << static_cast<char>(c);
        EXPECT_TRUE(seen.insert(BitmapFont::glyph(c).rows).second) << "glyph of '" << static_cast<char>(c) << "' repeats another";
    }
    for (char32_t c : {U'\u00C4', U'\u00D6', U'\u00DC', U'\u00E4', U'\u00F6', U'\u00FC', U'\u00DF'}) EXPECT_TRUE(BitmapFont::has(c));
    EXPECT_FALSE(BitmapFont::has(U'\u4E2D'));
    EXPECT_EQ(BitmapFont::glyph(U'\u4E2D').rows[0], 0x1F) << "a missing character is a box";
    EXPECT_EQ(BitmapFont::glyph(U' ').rows, (std::array<std::uint8_t, 7>{}));
}

TEST(IndexedSurfaceTest, ColoursGetEntriesWhileThereIsRoomThenTheNearestOne) {
    IndexedSurface s(4, 4, PaletteColor{1, 1, 1});
    EXPECT_EQ(s.colorIndex(PaletteColor{1, 1, 1}), 0) << "the background";
    EXPECT_EQ(s.colorIndex(PaletteColor{0, 0, 0}), IndexedSurface::kBlackIndex);
    EXPECT_EQ(s.colorIndex(PaletteColor{51, 102, 153}), IndexedSurface::kCubeFirst + 1 * 36 + 2 * 6 + 3);
    const std::uint8_t first = s.colorIndex(PaletteColor{7, 8, 9});
    EXPECT_EQ(first, IndexedSurface::kFirstFreeIndex);
    EXPECT_EQ(s.colorIndex(PaletteColor{7, 8, 9}), first) << "the same colour reuses its entry";
    for (int i = 0; s.paletteUsed() < IndexedSurface::kPaletteSize; ++i)
        s.colorIndex(PaletteColor{static_cast<std::uint8_t>(100 + i), 0, 1});
    const std::uint8_t nearest = s.colorIndex(PaletteColor{8, 8, 9});
    EXPECT_EQ(nearest, first) << "a full palette maps to the nearest entry";
}

TEST_F(PictureViewTest, WithoutAPictureDrawingIsHarmlessAndJpegRaises) {
    view.ClearPicture();
    EXPECT_EQ(view.PictureWidth(), 0);
    EXPECT_FALSE(view.hasPicture());
    EXPECT_TRUE(view.PaintRectangle(0, 0, 10, 10));
    EXPECT_TRUE(view.PaintText(0, 0, "x"));
    EXPECT_THROW(view.GetJPEGByteData(80), RuntimeError);
    EXPECT_FALSE(view.Picture().has_value());
}

std::optional<PictureSize> sizeInJpeg(const std::vector<std::uint8_t>& jpeg) { return jpegFrameSize(jpeg); }

TEST_F(PictureViewTest, TheJpegHasThePictureSizeAndNoChromaSubsampling) {
    view.NewPicture(254, 254, kWhite);
    view.PaintRectangle(10, 10, 100, 60);
    const std::vector<std::uint8_t> jpeg = view.GetJPEGByteData(80);
    ASSERT_GT(jpeg.size(), 4u);
    EXPECT_EQ(sizeInJpeg(jpeg), (PictureSize{254, 254}));
    // SOF0's component list: three components, each sampled 1 x 1.
    const std::uint8_t marker[] = {0xFF, 0xC0};
    const auto sof = std::search(jpeg.begin(), jpeg.end(), std::begin(marker), std::end(marker));
    ASSERT_NE(sof, jpeg.end());
    EXPECT_EQ(sof[9], 3);
    EXPECT_EQ(sof[11], 0x11);
    EXPECT_EQ(sof[14], 0x11);
    EXPECT_EQ(sof[17], 0x11);
    // Quality is limited to 1 ... 100.
    EXPECT_EQ(view.GetJPEGByteData(0), view.GetJPEGByteData(1));
    EXPECT_EQ(view.GetJPEGByteData(250), view.GetJPEGByteData(100));
    EXPECT_NE(view.GetJPEGByteData(10), view.GetJPEGByteData(90));
}

TEST_F(PictureViewTest, SaveJpegKeepsAnExistingFileUnlessToldAndNeverLosesIt) {
    files.setBytes("C:\\p\\Desktop.jpg", {1, 2, 3});
    EXPECT_FALSE(view.SaveJPEG("C:\\p\\Desktop.jpg", false, 80));
    EXPECT_EQ(files.bytes("C:\\p\\Desktop.jpg"), (std::vector<std::uint8_t>{1, 2, 3}));

    files.writeLimit = 10;  // the disk fills up
    EXPECT_FALSE(view.SaveJPEG("C:\\p\\Desktop.jpg", true, 80));
    EXPECT_EQ(files.bytes("C:\\p\\Desktop.jpg"), (std::vector<std::uint8_t>{1, 2, 3})) << "a failed write keeps the old file";
    EXPECT_EQ(files.files.size(), 1u) << "and leaves no temporary file";

    files.writeLimit = std::string::npos;
    EXPECT_TRUE(view.SaveJPEG("C:\\p\\Desktop.jpg", true, 80));
    EXPECT_EQ(files.bytes("C:\\p\\Desktop.jpg"), view.GetJPEGByteData(80));

    view.ClearPicture();
    EXPECT_THROW(view.SaveJPEG("C:\\p\\Desktop.jpg", true, 80), RuntimeError);
    EXPECT_EQ(files.files["C:\\p\\Desktop.jpg"].size() > 3, true) << "nothing to encode: the file stays";
}

TEST_F(PictureViewTest, WithoutADecoderAJpegIsKeptWithItsSizeAndSaidToBeNotShown) {
    view.NewPicture(30, 20, kWhite);
    view.PaintRectangle(2, 2, 20, 10);
    files.setBytes("C:\\p\\Desktop.jpg", view.GetJPEGByteData(80));
    view.ClearPicture();

    ASSERT_TRUE(view.OpenPicture("C:\\p\\Desktop.jpg"));
    EXPECT_EQ(view.PictureWidth(), 30);
    EXPECT_EQ(view.PictureHeight(), 20);
    EXPECT_FALSE(view.PictureRendered());
    EXPECT_EQ(view.PictureFileBytes(), files.bytes("C:\\p\\Desktop.jpg"));
    EXPECT_NE(view.PictureNote().find("kein JPEG-Decoder"), std::string::npos);
    // Marks can still be drawn in the picture's frame.
    view.PaintRectangle(4, 4, 6, 6);
    EXPECT_TRUE(isColor(view.surface()->color(4, 4), 0, 0, 0));

    // A new picture is a drawn one again.
    view.NewPicture(2, 2, kWhite);
    EXPECT_TRUE(view.PictureRendered());
    EXPECT_TRUE(view.PictureNote().empty());
}

TEST_F(PictureViewTest, AFileThatIsNoPictureKeepsTheOldOne) {
    files.files["C:\\p\\x.jpg"] = {'n', 'o', 'p', 'e'};
    EXPECT_FALSE(view.OpenPicture("C:\\p\\x.jpg"));
    EXPECT_FALSE(view.OpenPicture("C:\\p\\missing.jpg"));
    EXPECT_EQ(view.PictureWidth(), 8);
    PictureView noFiles;
    EXPECT_FALSE(noFiles.OpenPicture("C:\\p\\x.jpg"));
}

TEST_F(PictureViewTest, ADecoderFillsTheSurfaceWithThePicturesColours) {
    FakeDecoder decoder;
    view.setDecoder(&decoder);
    files.files["C:\\p\\a.pic"] = {'P', 'I', 'C'};
    ASSERT_TRUE(view.OpenPicture("C:\\p\\a.pic"));
    EXPECT_TRUE(view.PictureRendered());
    EXPECT_EQ(view.PictureWidth(), 3);
    EXPECT_TRUE(isColor(view.surface()->color(1, 0), 255, 0, 0));
    EXPECT_TRUE(isColor(view.surface()->color(2, 1), 0, 0, 204)) << "nearest colour of the cube";
    files.files["C:\\p\\b.pic"] = {'X'};
    EXPECT_FALSE(view.OpenPicture("C:\\p\\b.pic"));
    EXPECT_EQ(view.PictureWidth(), 3);
    EXPECT_EQ(decoder.calls, 2);
}

TEST(PictureFileTest, TheFrameHeaderGivesTheSize) {
    const std::vector<std::uint8_t> sof0 = {0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x04, 0x00, 0x00,              // APP0
                                            0xFF, 0xFF, 0xC0, 0x00, 0x0B, 0x08, 0x01, 0x02, 0x03, 0x04,  // SOF0
                                            0x01, 0x01, 0x11, 0x00};
    EXPECT_EQ(jpegFrameSize(sof0), (PictureSize{0x0304, 0x0102}));
    std::vector<std::uint8_t> progressive = sof0;
    progressive[10] = 0xC2;
    EXPECT_EQ(jpegFrameSize(progressive), (PictureSize{0x0304, 0x0102}));

    struct Case {
        const char* what;
        std::vector<std::uint8_t> bytes;
    };
    const Case broken[] = {
        {"empty", {}},
        {"no SOI", {0x00, 0xD8, 0xFF, 0xC0, 0x00, 0x0B}},
        {"scan before frame", {0xFF, 0xD8, 0xFF, 0xDA, 0x00, 0x02}},
        {"segment past the end", {0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x40, 0x00}},
        {"frame cut short", {0xFF, 0xD8, 0xFF, 0xC0, 0x00, 0x05, 0x08, 0x00, 0x10}},
        {"height zero", {0xFF, 0xD8, 0xFF, 0xC0, 0x00, 0x0B, 0x08, 0x00, 0x00, 0x00, 0x10, 0x01, 0x01, 0x11, 0x00}},
        {"garbage between segments", {0xFF, 0xD8, 0x12, 0xFF, 0xC0}},
    };
    for (const Case& c : broken) EXPECT_FALSE(jpegFrameSize(c.bytes).has_value()) << c.what;
}

TEST(PictureScrollerTest, BarsAppearOnlyWhereThePictureDoesNotFit) {
    struct Case {
        int innerW, innerH, picW, picH;
        bool hor, ver;
        int hMax, vMax;
    };
    const Case cases[] = {
        {180, 136, 100, 100, false, false, 0, 0},
        {180, 136, 180, 136, false, false, 0, 0},  // exactly fitting
        {180, 136, 254, 100, true, false, 74, 0},
        {180, 136, 100, 254, false, true, 0, 118},
        {180, 136, 254, 254, true, true, 254 - 164, 254 - 120},
        {180, 136, 170, 130, false, false, 0, 0},
        {180, 136, 170, 140, true, true, 6, 20},  // the vertical bar makes the picture too wide
    };
    for (const Case& c : cases) {
        PictureScroller s;
        s.layout(c.innerW, c.innerH, c.picW, c.picH, 16);
        EXPECT_EQ(s.sHor().visible, c.hor) << c.picW << "x" << c.picH;
        EXPECT_EQ(s.sVer().visible, c.ver) << c.picW << "x" << c.picH;
        EXPECT_EQ(s.sHor().max, c.hMax) << c.picW << "x" << c.picH;
        EXPECT_EQ(s.sVer().max, c.vMax) << c.picW << "x" << c.picH;
    }
}

TEST(PictureScrollerTest, DraggingMovesThePictureWithTheMouseWithinTheLimits) {
    PictureScroller s;
    s.layout(180, 136, 254, 254, 16);
    s.beginDrag(100, 100);
    EXPECT_TRUE(s.dragTo(70, 90));
    EXPECT_EQ(s.sHor().value, 30) << "moving left shows more of the right";
    EXPECT_EQ(s.sVer().value, 10);
    s.dragTo(-500, -500);
    EXPECT_EQ(s.sHor().value, s.sHor().max);
    EXPECT_EQ(s.sVer().value, s.sVer().max);
    s.dragTo(500, 500);
    EXPECT_EQ(s.sHor().value, 0);
    s.endDrag();
    EXPECT_FALSE(s.dragTo(0, 0));

    s.scrollTo(80, 500);
    EXPECT_EQ(s.sVer().value, s.sVer().max);
    s.layout(250, 136, 254, 254, 16);  // a wider control: the value shrinks with the range
    EXPECT_LE(s.sHor().value, s.sHor().max);

    PictureScroller small;
    small.layout(180, 136, 100, 100, 16);
    small.beginDrag(10, 10);
    EXPECT_FALSE(small.dragTo(90, 90)) << "a picture smaller than the control does not move";
}

TEST_F(PictureViewTest, MouseScrollingCanBeSwitchedOff) {
    view.NewPicture(254, 254, kWhite);
    view.ReSize(180, 136, 16);
    view.PicMouseScroll(false);
    view.mouseDown(50, 50);
    EXPECT_FALSE(view.mouseMove(10, 10));
    view.PicMouseScroll(true);
    view.mouseDown(50, 50);
    EXPECT_TRUE(view.mouseMove(10, 10));
    view.mouseUp();
    EXPECT_EQ(view.scroller().sHor().value, 40);
    view.NewPicture(100, 100, kWhite);
    EXPECT_FALSE(view.scroller().sHor().visible) << "a new picture lays the view out again";
}

#ifndef _WIN32
TEST_F(PictureViewTest, DjpegDecodesTheMonitorPictureToItsSizeAndPixels) {
    if (std::system("command -v djpeg >/dev/null") != 0) GTEST_FAIL() << "djpeg (libjpeg-turbo-progs) is needed";
    view.NewPicture(254, 254, kWhite);
    view.PaintRectangle(1, 1, 254, 203.2);
    view.PaintText(6, 205.2, "Mon.1");
    const std::vector<std::uint8_t> jpeg = view.GetJPEGByteData(80);
    std::string folder = (std::filesystem::temp_directory_path() / "plenvik-picture-XXXXXX").string();
    ASSERT_NE(mkdtemp(folder.data()), nullptr);
    const std::string in = folder + "/p.jpg", out = folder + "/p.ppm";
    std::ofstream(in, std::ios::binary).write(reinterpret_cast<const char*>(jpeg.data()), static_cast<std::streamsize>(jpeg.size()));
    ASSERT_EQ(std::system(("djpeg -pnm -outfile '" + out + "' '" + in + "'").c_str()), 0);
    const auto decoded = pnm::read(out);
    std::filesystem::remove_all(folder);
    ASSERT_TRUE(decoded.has_value());
    EXPECT_EQ(decoded->width, 254);
    EXPECT_EQ(decoded->height, 254);
    ASSERT_EQ(decoded->components, 3);
    // Every pixel comes back close to its colour (black lines on white survive quality 80).
    const IndexedSurface& s = *view.surface();
    int far = 0;
    for (int y = 0; y < 254; ++y)
        for (int x = 0; x < 254; ++x) {
            const std::uint8_t* p = decoded->samples.data() + (static_cast<std::size_t>(y) * 254 + x) * 3;
            if (std::abs(p[0] - s.color(x, y).r) > 96) ++far;
        }
    EXPECT_EQ(far, 0);
}
#endif

}  // namespace
}  // namespace plenvik
