// Encode time of JpegWriter per megapixel against libjpeg-turbo's cjpeg, both at quality 80 without chroma
// subsampling with optimal Huffman tables, on the same photo-like picture in the same run; best of
// several runs each. cjpeg is timed as a process with its file I/O; ours reads the same PPM file,
// samples, encodes and writes the JPEG file.
//
//   jpeg_bench WORKDIR [RUNS]            the benchmark; last line "jpeg: <ms> ms/MP (<ratio>x cjpeg)"
//   jpeg_bench --encode IN.ppm OUT.jpg [QUALITY]   encode one file (for comparisons by hand)
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "../tests/unit/jpeg/PnmFiles.h"
#include "../tests/unit/jpeg/SyntheticImages.h"
#include "jpeg/JpegWriter.h"
#include "platform/posix/PosixFileSystem.h"

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;
namespace fs = std::filesystem;

double millisecondsSince(Clock::time_point start) { return std::chrono::duration<double, std::milli>(Clock::now() - start).count(); }

bool runProcess(const std::vector<std::string>& args) {
    std::vector<char*> argv;
    for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    pid_t pid = 0;
    if (posix_spawnp(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0) return false;
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// Reads the PPM, samples it and writes the JPEG; false on any failure.
bool encodeFile(const std::string& in, const std::string& out, int quality) {
    const auto picture = plenvik::pnm::read(in);
    if (!picture || picture->components != 3) return false;
    const plenvik::PixelSource source{picture->width, picture->height, plenvik::PixelFormat::Rgb24, picture->samples.data(),
                                      static_cast<std::ptrdiff_t>(picture->width) * 3};
    plenvik::PosixFileSystem files;
    plenvik::JpegWriter jpg(files);
    jpg.Quality(quality);
    jpg.SetSamplingFrequencies(1, 1, 1, 1, 1, 1);
    jpg.SampleHDC(source, picture->width, picture->height, 0, 0);
    return jpg.SaveFile(out) == plenvik::kJpegSaved;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc >= 4 && std::string(argv[1]) == "--encode") {
        return encodeFile(argv[2], argv[3], argc > 4 ? std::atoi(argv[4]) : 80) ? 0 : 1;
    }
    if (argc < 2) {
        std::fprintf(stderr, "usage: jpeg_bench WORKDIR [RUNS] | --encode IN.ppm OUT.jpg [QUALITY]\n");
        return 2;
    }
    const fs::path dir = argv[1];
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 7;
    fs::create_directories(dir);
    const int width = 2048, height = 2048;
    const double megapixels = width * height / 1e6;
    const std::string ppm = (dir / "photo.ppm").string();
    const std::string theirs = (dir / "cjpeg.jpg").string(), ours = (dir / "ours.jpg").string();
    if (!plenvik::pnm::writePpm(ppm, plenvik::testimages::photoLike(width, height))) {
        std::fprintf(stderr, "cannot write %s\n", ppm.c_str());
        return 1;
    }

    double bestTheirs = 1e30, bestOurs = 1e30;
    for (int run = 0; run < runs; ++run) {  // alternate, so that both see the same machine load
        fs::remove(theirs);
        auto start = Clock::now();
        if (!runProcess({"cjpeg", "-quality", "80", "-sample", "1x1", "-optimize", "-outfile", theirs, ppm})) {
            std::fprintf(stderr, "cjpeg failed\n");
            return 1;
        }
        bestTheirs = std::min(bestTheirs, millisecondsSince(start));

        fs::remove(ours);
        start = Clock::now();
        if (!encodeFile(ppm, ours, 80)) {
            std::fprintf(stderr, "encoding failed\n");
            return 1;
        }
        bestOurs = std::min(bestOurs, millisecondsSince(start));
    }
    const double oursPerMp = bestOurs / megapixels, theirsPerMp = bestTheirs / megapixels;
    std::printf("picture: %dx%d (%.2f MP), best of %d runs\n", width, height, megapixels, runs);
    std::printf("sizes: ours %ju bytes, cjpeg %ju bytes\n", static_cast<std::uintmax_t>(fs::file_size(ours)),
                static_cast<std::uintmax_t>(fs::file_size(theirs)));
    std::printf("cjpeg: %.1f ms/MP\n", theirsPerMp);
    std::printf("jpeg: %.1f ms/MP (%.1fx cjpeg)\n", oursPerMp, oursPerMp / theirsPerMp);
    return 0;
}
