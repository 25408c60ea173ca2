// Showing and restoring a project with large embedded files on the simulated platform.
//   restore_bench create ROOT COUNT MEGABYTES   writes COUNT files of MEGABYTES each on the desktop and
//                                                saves that desktop into C:\Projekte (limit 1000000 KiB)
//   restore_bench restore ROOT                   deletes the desktop's files, then shows and restores the
//                                                project in a child process and prints
//                                                "<MB/s> <peak RSS of the child in MB> <MB restored>"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/MainActions.h"
#include "app/MainController.h"
#include "ChildRun.h"
#include "FailingLoudly.h"
#include "errors/ErrorHandler.h"
#include "platform/sim/SimPlatform.h"

namespace {

using namespace plenvik;
namespace fs = std::filesystem;

std::uintmax_t desktopBytes(sim::SimPlatform& sim) {
    std::uintmax_t bytes = 0;
    for (const auto& e : fs::directory_iterator(sim.files.nativePath(sim::SimPlatform::kUserDesktop))) bytes += e.file_size();
    return bytes;
}

int create(const std::string& root, int count, long megabytes) {
    sim::SimPlatform sim(root);
    const fs::path desktop = sim.files.nativePath(sim::SimPlatform::kUserDesktop);
    fs::create_directories(desktop);
    fs::create_directories(sim.files.nativePath("C:\\Projekte"));
    fs::create_directories(sim.files.nativePath("C:\\Programme\\Plenvik"));
    std::vector<char> block(1 << 20);
    for (std::size_t i = 0; i < block.size(); ++i) block[i] = static_cast<char>((i * 131 + i / 7) & 0xFF);
    for (int f = 0; f < count; ++f) {
        std::ofstream out(desktop / ("Datei " + std::to_string(f) + ".bin"), std::ios::binary);
        for (long m = 0; m < megabytes; ++m) out.write(block.data(), static_cast<std::streamsize>(block.size()));
    }
    bench::FailingLoudly errors("restore_bench");
    UnavailableActions actions;
    MainController form(sim.platform(), errors, actions);
    form.load("");
    form.setDirectory("C:\\Projekte", true);
    form.settings().fileSizeMax = 1000000;
    form.settings().fileNameAuto = true;
    sim.desktop.refresh();
    std::string directory;
    return form.saveDesktop(directory, "", false) ? 0 : 4;
}

int restore(const std::string& root) {
    sim::SimPlatform sim(root);
    std::string project;
    for (const auto& e : fs::directory_iterator(sim.files.nativePath("C:\\Projekte")))
        if (e.path().extension() == ".Plenvk") project = e.path().filename().string();
    bench::FailingLoudly errors("restore_bench");
    ProgramActions actions{[](const Settings& s) { return SettingsDialogOutcome{SettingsDialog::kResultClosed, s}; }};
    sim.desktop.refresh();
    sim.clock.tickPerReading = true;            // the waits for the desktop pass at once
    sim.dialogs.answerMessage(MsgAnswer::Yes);  // restore?
    MainController form(sim.platform(), errors, actions);
    form.load(("RESTORE \"C:\\Projekte\\" + project + "\"").c_str());
    form.timerFired();
    return sim.dialogs.asked.size() == 1 ? 0 : 7;
}

int restoreInChild(const std::string& root) {
    {
        sim::SimPlatform sim(root);
        for (const auto& e : fs::directory_iterator(sim.files.nativePath(sim::SimPlatform::kUserDesktop))) fs::remove(e.path());
    }
    const auto run = bench::runInChild([&] { return restore(root); });
    if (!run) return 6;
    sim::SimPlatform sim(root);
    const std::uintmax_t restored = desktopBytes(sim);
    std::printf("%.1f %.1f %.1f\n", static_cast<double>(restored) / 1e6 / run->seconds, run->peakMegabytes, static_cast<double>(restored) / 1e6);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "create" && argc == 5) return create(argv[2], std::atoi(argv[3]), std::atol(argv[4]));
    if (mode == "restore" && argc == 3) return restoreInChild(argv[2]);
    std::fprintf(stderr, "usage: restore_bench create ROOT COUNT MEGABYTES | restore_bench restore ROOT\n");
    return 2;
}
