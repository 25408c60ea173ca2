// The whole simulated platform in one object, for the integration tests: real files below a scratch
// root, scripted dialogs and events, a fixed clock, German regional formats, a registry in memory, one
// monitor of 1280 x 1024 unless a test sets up others, and an Explorer desktop over the two simulated
// desktop folders.
#pragma once

#include <memory>
#include <string>

#include "platform/Platform.h"
#include "platform/posix/PosixFileSystem.h"
#include "platform/sim/SimBasics.h"
#include "platform/sim/SimDialogs.h"
#include "platform/sim/SimDisplays.h"
#include "platform/sim/SimIconView.h"
#include "platform/sim/SimRegistry.h"
#include "platform/sim/SimShellFolders.h"

namespace plenvik::sim {

class SimPlatform {
public:
    // root: the folder that stands for the drives (C:\ is root/C).
    explicit SimPlatform(const std::string& root);
    ~SimPlatform();

    Platform& platform() { return *platform_; }

    SimSystemInfo system;
    SimClock clock;
    SimLocale locale;
    SimDialogs dialogs;
    SimEventPump events;
    SimProcesses processes;
    PosixFileSystem files;
    SimRegistry registry;
    SimShellFolders shell;
    SimDisplays displays;
    SimIconView desktop;

    static constexpr const char* kUserDesktop = "C:\\Users\\tester\\Desktop";
    static constexpr const char* kCommonDesktop = "C:\\Users\\Public\\Desktop";

private:
    std::unique_ptr<Platform> platform_;
};

}  // namespace plenvik::sim
