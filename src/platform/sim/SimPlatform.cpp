#include "platform/sim/SimPlatform.h"

namespace plenvik::sim {

SimPlatform::SimPlatform(const std::string& root)
    : files(root),
      shell(files, {{kCsidlDesktopDirectory, kUserDesktop}, {kCsidlCommonDesktopDirectory, kCommonDesktop}}),
      desktop(files, &registry, SimDesktopSetup{DesktopFolders{kUserDesktop, kCommonDesktop}}) {
    events.always([this] { desktop.settle(); });
    displays.addMonitor({0, 0, 1280, 1024}, "\\\\.\\DISPLAY1");
    platform_ =
        std::make_unique<Platform>(Platform{system, clock, locale, dialogs, events, processes, files, registry, shell, displays, desktop});
}

SimPlatform::~SimPlatform() = default;

}  // namespace plenvik::sim
