// The whole program's main window on the simulated platform, with the real actions behind its
// commands: the desktop folders, a project folder "C:\Projekte" and the program's folder exist;
// projects are saved there under automatic names.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/MainActions.h"
#include "app/MainController.h"
#include "platform/sim/SimPlatform.h"
#include "support/RecordingMainView.h"
#include "support/ScratchRoot.h"
#include "support/ScriptedErrorHandler.h"

namespace plenvik::test {

class ProgramFixture : public ::testing::Test {
protected:
    ScratchRoot scratch;
    sim::SimPlatform sim{scratch.path()};
    ScriptedErrorHandler errors;
    ProgramActions actions{[](const Settings& s) { return SettingsDialogOutcome{SettingsDialog::kResultClosed, s}; }};
    RecordingMainView view;
    MainController form{sim.platform(), errors, actions};

    void SetUp() override {
        std::filesystem::create_directories(native(sim::SimPlatform::kUserDesktop));
        std::filesystem::create_directories(native(sim::SimPlatform::kCommonDesktop));
        std::filesystem::create_directories(native("C:\\Projekte"));
        std::filesystem::create_directories(native(sim.system.folder));
        view.form = &form;
        form.setView(&view);
        form.load("");
        form.setDirectory("C:\\Projekte", true);
        form.settings().fileNameAuto = true;
    }

    std::filesystem::path native(const std::string& path) { return sim.files.nativePath(path); }
    void file(const std::string& path, const std::string& bytes) { std::ofstream(native(path), std::ios::binary) << bytes; }
    std::string read(const std::string& path) {
        std::ostringstream text;
        text << std::ifstream(native(path), std::ios::binary).rdbuf();
        return text.str();
    }
    std::string user(const std::string& name) { return std::string(sim::SimPlatform::kUserDesktop) + "\\" + name; }
};

}  // namespace plenvik::test
