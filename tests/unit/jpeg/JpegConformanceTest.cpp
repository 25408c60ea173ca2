// The encoder's files judged by libjpeg-turbo: every file must decode with djpeg to the right size and
// number of components, lose no more than cjpeg's file with the same sampling, and at the program's setting (quality 80, no chroma subsampling) it must come
// close to cjpeg with optimal Huffman tables in quality (PSNR) and size on the same picture.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "jpeg/JpegWriter.h"
#include "unit/jpeg/PnmFiles.h"
#include "unit/jpeg/SyntheticImages.h"

#ifndef _WIN32
#include <unistd.h>
#endif

namespace plenvik {
namespace {

namespace fs = std::filesystem;

#ifdef _WIN32
#define SKIP_WITHOUT_LIBJPEG_TOOLS() GTEST_SKIP() << "djpeg and cjpeg are Linux tools"
#else
#define SKIP_WITHOUT_LIBJPEG_TOOLS()                                                          \
    do {                                                                                      \
        if (std::system("command -v djpeg >/dev/null && command -v cjpeg >/dev/null") != 0) { \
            GTEST_FAIL() << "djpeg and cjpeg (libjpeg-turbo-progs) are needed";               \
        }                                                                                     \
    } while (false)
#endif

// A folder of its own for each test (tests may run in parallel processes).
class WorkFolder {
public:
    WorkFolder() {
#ifndef _WIN32
        std::string pattern = (fs::temp_directory_path() / "plenvik-jpeg-XXXXXX").string();
        if (mkdtemp(pattern.data()) != nullptr) path_ = pattern;
#endif
    }
    ~WorkFolder() {
        std::error_code ignored;
        if (!path_.empty()) fs::remove_all(path_, ignored);
    }
    std::string file(const std::string& name) const { return (path_ / name).string(); }

private:
    fs::path path_;
};

bool writeBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

std::optional<pnm::Picture> djpeg(const WorkFolder& work, const std::string& jpeg) {
    const std::string out = work.file("decoded.pnm");
    const std::string command = "djpeg -pnm -outfile '" + out + "' '" + jpeg + "' 2>" + work.file("djpeg.err");
    if (std::system(command.c_str()) != 0) return std::nullopt;
    return pnm::read(out);
}

// Peak signal-to-noise ratio of decoded samples against the source (in dB; 99 for identical ones).
double psnr(const std::vector<std::uint8_t>& source, const std::vector<std::uint8_t>& decoded) {
    double sum = 0;
    for (std::size_t i = 0; i < source.size(); ++i) {
        const double d = static_cast<double>(source[i]) - decoded[i];
        sum += d * d;
    }
    if (sum == 0) return 99.0;
    return 10.0 * std::log10(255.0 * 255.0 * static_cast<double>(source.size()) / sum);
}

// The luma a grey file holds, as 8-bit samples.
std::vector<std::uint8_t> luma(const RgbImage& image) {
    std::vector<std::uint8_t> grey;
    for (std::size_t i = 0; i < image.rgb.size(); i += 3)
        grey.push_back(testimages::clampByte(0.299 * image.rgb[i] + 0.587 * image.rgb[i + 1] + 0.114 * image.rgb[i + 2]));
    return grey;
}

std::vector<std::uint8_t> encode(const RgbImage& image, int quality, const SamplingFactors& f) {
    JpegWriter jpg;
    jpg.Quality(quality);
    jpg.SetSamplingFrequencies(f[0], f[1], f[2], f[3], f[4], f[5]);
    jpg.SampleHDC(image.view(), image.width, image.height, 0, 0);
    jpg.SaveFile("");
    return jpg.Data();
}

struct SamplingCase {
    const char* name;
    SamplingFactors factors;
    const char* cjpegSampling;  // the same factors as cjpeg's -sample takes them; empty for grey
};

// PSNR of cjpeg's file for the picture at quality 80 with the given sampling (or grey).
double cjpegPsnr(const WorkFolder& work, const RgbImage& image, const std::string& sampling) {
    const std::string ppm = work.file("source.ppm"), theirs = work.file("cjpeg.jpg");
    EXPECT_TRUE(pnm::writePpm(ppm, image));
    const std::string options = sampling.empty() ? "-grayscale" : "-sample " + sampling;
    const std::string command = "cjpeg -quality 80 -optimize " + options + " -outfile '" + theirs + "' '" + ppm + "'";
    EXPECT_EQ(std::system(command.c_str()), 0);
    const auto decoded = djpeg(work, theirs);
    if (!decoded) return 0;
    if (sampling.empty()) return psnr(luma(image), decoded->samples);
    return psnr(image.rgb, decoded->samples);
}

TEST(JpegConformance, DecodesAtOddSizesForEverySampling) {
    SKIP_WITHOUT_LIBJPEG_TOOLS();
    WorkFolder work;
    const SamplingCase samplings[] = {
        {"4:4:4", {1, 1, 1, 1, 1, 1}, "1x1"},
        {"4:2:0", {2, 2, 1, 1, 1, 1}, "2x2,1x1,1x1"},
        {"4:2:2", {2, 1, 1, 1, 1, 1}, "2x1,1x1,1x1"},
        {"4:4:0", {1, 2, 1, 1, 1, 1}, "1x2,1x1,1x1"},
        {"4:1:1", {4, 1, 1, 1, 1, 1}, "4x1,1x1,1x1"},
        {"4x2", {4, 2, 1, 1, 1, 1}, "4x2,1x1,1x1"},
        {"all 2x1", {2, 1, 2, 1, 2, 1}, "2x1,2x1,2x1"},
        {"chroma 1x2 of 2x2", {2, 2, 1, 2, 1, 2}, "2x2,1x2,1x2"},
        {"grey", {1, 1, 0, 0, 0, 0}, ""},
    };
    const std::pair<int, int> sizes[] = {{1, 1}, {7, 9}, {17, 33}, {1001, 999}};
    for (const auto& [width, height] : sizes) {
        const RgbImage image = testimages::photoLike(width, height, static_cast<std::uint32_t>(width));
        for (const SamplingCase& s : samplings) {
            SCOPED_TRACE(std::string(s.name) + " " + std::to_string(width) + "x" + std::to_string(height));
            const bool grey = s.factors[2] == 0;
            const std::string file = work.file("out.jpg");
            ASSERT_TRUE(writeBytes(file, encode(image, 80, s.factors)));
            const auto decoded = djpeg(work, file);
            ASSERT_TRUE(decoded) << "djpeg could not decode the file";
            EXPECT_EQ(decoded->width, width);
            EXPECT_EQ(decoded->height, height);
            ASSERT_EQ(decoded->components, grey ? 1 : 3);
            const double ours = psnr(grey ? luma(image) : image.rgb, decoded->samples);
            const double theirs = cjpegPsnr(work, image, s.cjpegSampling);
            if (width > 100) std::printf("[ figures  ] %s %dx%d: PSNR ours %.2f dB, cjpeg %.2f dB\n", s.name, width, height, ours, theirs);
            // The same sampling in libjpeg loses no more than we do.
            EXPECT_GE(ours, theirs - 0.3);
        }
    }
}

TEST(JpegConformance, QualityExtremesDecode) {
    SKIP_WITHOUT_LIBJPEG_TOOLS();
    WorkFolder work;
    const RgbImage image = testimages::photoLike(120, 80);
    double previous = 0;
    for (int quality : {1, 50, 100}) {
        const std::string file = work.file("q.jpg");
        ASSERT_TRUE(writeBytes(file, encode(image, quality, {1, 1, 1, 1, 1, 1})));
        const auto decoded = djpeg(work, file);
        ASSERT_TRUE(decoded) << "quality " << quality;
        const double q = psnr(image.rgb, decoded->samples);
        EXPECT_GT(q, previous) << "quality " << quality;
        previous = q;
    }
    EXPECT_GT(previous, 45.0) << "quality 100 loses almost nothing";
}

struct CjpegComparison {
    double oursPsnr, theirsPsnr;
    std::uintmax_t oursSize, theirsSize;
};

CjpegComparison compareWithCjpeg(const WorkFolder& work, const RgbImage& image, const std::vector<std::uint8_t>& ours) {
    CjpegComparison result{};
    const std::string ppm = work.file("source.ppm"), theirs = work.file("cjpeg.jpg"), mine = work.file("ours.jpg");
    EXPECT_TRUE(pnm::writePpm(ppm, image));
    EXPECT_TRUE(writeBytes(mine, ours));
    const std::string command = "cjpeg -quality 80 -sample 1x1 -optimize -outfile '" + theirs + "' '" + ppm + "'";
    EXPECT_EQ(std::system(command.c_str()), 0);
    const auto decodedTheirs = djpeg(work, theirs);
    const auto decodedOurs = djpeg(work, mine);
    if (!decodedTheirs || !decodedOurs) {
        ADD_FAILURE() << "djpeg failed";
        return result;
    }
    result.oursPsnr = psnr(image.rgb, decodedOurs->samples);
    result.theirsPsnr = psnr(image.rgb, decodedTheirs->samples);
    result.oursSize = fs::file_size(mine);
    result.theirsSize = fs::file_size(theirs);
    return result;
}

TEST(JpegConformance, MatchesCjpegAtTheProgramsSetting) {
    SKIP_WITHOUT_LIBJPEG_TOOLS();
    WorkFolder work;
    struct Picture {
        const char* name;
        RgbImage image;
        std::vector<std::uint8_t> ours;
    };
    std::vector<Picture> pictures;
    for (auto [w, h] : {std::pair{512, 384}, std::pair{1001, 999}}) {
        RgbImage photo = testimages::photoLike(w, h, 5);
        pictures.push_back({w == 512 ? "photo 512x384" : "photo 1001x999", photo, encode(photo, 80, {1, 1, 1, 1, 1, 1})});
    }
    // The monitor picture as the picture control encodes it: a palettised surface, sampled directly.
    for (auto [w, h] : {std::pair{256, 256}, std::pair{255, 203}}) {
        const auto layout = testimages::monitorLayout(w, h);
        JpegWriter jpg;
        jpg.Quality(80);
        jpg.SetSamplingFrequencies(1, 1, 1, 1, 1, 1);
        jpg.SampleHDC(layout.view(), w, h, 0, 0);
        jpg.SaveFile("");
        pictures.push_back({w == 256 ? "monitor layout 256x256" : "monitor layout 255x203", layout.toRgb(), jpg.Data()});
    }
    for (const Picture& p : pictures) {
        const CjpegComparison c = compareWithCjpeg(work, p.image, p.ours);
        std::printf("[ figures  ] %s: PSNR ours %.2f dB, cjpeg %.2f dB; size ours %ju, cjpeg %ju bytes (%+.1f%%)\n", p.name, c.oursPsnr,
                    c.theirsPsnr, c.oursSize, c.theirsSize,
                    100.0 * (static_cast<double>(c.oursSize) / static_cast<double>(c.theirsSize) - 1.0));
        EXPECT_GE(c.oursPsnr, c.theirsPsnr - 0.3) << p.name;
        EXPECT_LE(static_cast<double>(c.oursSize), 1.02 * static_cast<double>(c.theirsSize)) << p.name;
    }
}

}  // namespace
}  // namespace plenvik
