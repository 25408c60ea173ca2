// A project as the program's own save writes it, of a desktop holding one small file: the starting
// point of the benchmarks that grow a project's icons or contents.
#pragma once

#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>

#include "FailingLoudly.h"
#include "app/MainActions.h"
#include "app/MainController.h"
#include "platform/sim/SimPlatform.h"

namespace plenvik::bench {

// The saved project's text (the file itself is removed again); empty when the save failed. The
// project folder C:\Projekte and the program's folder exist afterwards.
inline std::optional<std::string> savedSmallDesktop(sim::SimPlatform& sim, const char* benchmark) {
    namespace fs = std::filesystem;
    const fs::path desktop = sim.files.nativePath(sim::SimPlatform::kUserDesktop);
    fs::create_directories(desktop);
    fs::create_directories(sim.files.nativePath("C:\\Projekte"));
    fs::create_directories(sim.files.nativePath("C:\\Programme\\Plenvik"));
    std::ofstream(desktop / "Brief.txt") << "Liebe Grüße";
    FailingLoudly errors(benchmark);
    UnavailableActions actions;
    MainController form(sim.platform(), errors, actions);
    form.load("");
    form.setDirectory("C:\\Projekte", true);
    form.settings().fileNameAuto = true;
    sim.desktop.refresh();
    std::string directory;
    if (!form.saveDesktop(directory, "", false)) return std::nullopt;
    fs::path saved;
    for (const auto& e : fs::directory_iterator(sim.files.nativePath("C:\\Projekte"))) saved = e.path();
    std::ostringstream text;
    text << std::ifstream(saved, std::ios::binary).rdbuf();
    fs::remove(saved);
    return text.str();
}

}  // namespace plenvik::bench
