// The save of a desktop with large files on the simulated platform: throughput and peak memory.
//   save_bench create ROOT COUNT MEGABYTES   writes COUNT files of MEGABYTES each on the desktop
//   save_bench save ROOT                      saves that desktop (limit 1000000 KiB) and prints
//                                             "<MB/s> <peak RSS in MB> <MB embedded>"
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/MainActions.h"
#include "app/MainController.h"
#include "FailingLoudly.h"
#include "errors/ErrorHandler.h"
#include "platform/sim/SimPlatform.h"
#include "project/DesktopSave.h"

namespace {

using namespace plenvik;

int create(const std::string& root, int count, long megabytes) {
    sim::SimPlatform sim(root);
    const std::filesystem::path desktop = sim.files.nativePath(sim::SimPlatform::kUserDesktop);
    std::filesystem::create_directories(desktop);
    std::vector<char> block(1 << 20);
    for (std::size_t i = 0; i < block.size(); ++i) block[i] = static_cast<char>((i * 131 + i / 7) & 0xFF);
    for (int f = 0; f < count; ++f) {
        std::ofstream out(desktop / ("Datei " + std::to_string(f) + ".bin"), std::ios::binary);
        for (long m = 0; m < megabytes; ++m) out.write(block.data(), static_cast<std::streamsize>(block.size()));
    }
    return 0;
}

int save(const std::string& root) {
    sim::SimPlatform sim(root);
    std::filesystem::create_directories(sim.files.nativePath("C:\\Projekte"));
    bench::FailingLoudly errors("save_bench");
    UnavailableActions actions;
    MainController form(sim.platform(), errors, actions);
    form.load("");
    form.setDirectory("C:\\Projekte", true);
    form.settings().fileSizeMax = 1000000;
    form.settings().fileNameAuto = true;
    sim.desktop.refresh();

    std::uintmax_t embedded = 0;
    for (const auto& e : std::filesystem::directory_iterator(sim.files.nativePath(sim::SimPlatform::kUserDesktop)))
        embedded += e.file_size();
    const auto start = std::chrono::steady_clock::now();
    std::string directory;
    if (!form.saveDesktop(directory, "", false)) return 4;
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("%.1f %.1f %.1f\n", static_cast<double>(embedded) / 1e6 / seconds, static_cast<double>(usage.ru_maxrss) / 1024.0,
                static_cast<double>(embedded) / 1e6);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "create" && argc == 5) return create(argv[2], std::atoi(argv[3]), std::atol(argv[4]));
    if (mode == "save" && argc == 3) return save(argv[2]);
    std::fprintf(stderr, "usage: save_bench create ROOT COUNT MEGABYTES | save_bench save ROOT\n");
    return 2;
}
