// The whole simulated platform in one object, for the integration tests: real files below a scratch
// root, scripted dialogs and events, a fixed clock, German regional formats.
#pragma once

#include <memory>
#include <string>

#include "platform/Platform.h"
#include "platform/posix/PosixFileSystem.h"
#include "platform/sim/SimBasics.h"
#include "platform/sim/SimDialogs.h"

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

private:
    struct Pending;
    std::unique_ptr<Pending> pending_;
    std::unique_ptr<Platform> platform_;
};

}  // namespace plenvik::sim
