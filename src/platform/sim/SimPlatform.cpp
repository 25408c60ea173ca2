#include "platform/sim/SimPlatform.h"

#include "platform/IconView.h"

namespace plenvik::sim {

// The desktop's icon view comes with the desktop work: until then the simulated desktop is empty.
struct SimPlatform::Pending {
    struct EmptyDesktop : IconView {
        bool available() override { return false; }
        std::vector<IconItem> readAll() override { return {}; }
        int itemCount() override { return 0; }
        IconPosition position(int) override { return {}; }
        bool setPosition(int, IconPosition) override { return false; }
        std::int32_t styleWord() override { return 0; }
        bool setStyleWord(std::int32_t) override { return false; }
        bool arrange(int) override { return false; }
        void refresh() override {}
        void redrawWithBackground() override {}
    } desktop;
};

SimPlatform::SimPlatform(const std::string& root)
    : files(root),
      shell(files, {{kCsidlDesktopDirectory, kUserDesktop}, {kCsidlCommonDesktopDirectory, kCommonDesktop}}),
      pending_(std::make_unique<Pending>()) {
    displays.addMonitor({0, 0, 1280, 1024}, "\\\\.\\DISPLAY1");
    platform_ = std::make_unique<Platform>(Platform{system, clock, locale, dialogs, events, processes, files, registry,
                                                    shell, displays, pending_->desktop});
}

SimPlatform::~SimPlatform() = default;

}  // namespace plenvik::sim
