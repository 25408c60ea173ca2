#include "platform/sim/SimPlatform.h"

#include "platform/Displays.h"
#include "platform/IconView.h"
#include "platform/Registry.h"
#include "platform/ShellLinks.h"

namespace plenvik::sim {

// Services whose simulation comes with the desktop and inventory work: until then they answer as an
// empty machine would (no registry keys, no desktop icons, one monitor).
struct SimPlatform::Pending {
    struct NoRegistry : Registry {
        std::unique_ptr<RegistryKey> openCurrentUser(const std::string&, bool, long* error) override {
            if (error) *error = 2;
            return nullptr;
        }
        std::string errorText(long) override { return {}; }
    } registry;
    struct NoShell : ShellFolders {
        std::string specialFolderPath(int csidl) override {
            return csidl == kCsidlCommonDesktopDirectory ? "C:\\Users\\Public\\Desktop" : "C:\\Users\\tester\\Desktop";
        }
        std::unique_ptr<ShellLink> createLink() override { return nullptr; }
    } shell;
    struct OneMonitor : Displays {
        int metric(int index) override {
            switch (index) {
            case 78: return 1280;
            case 79: return 1024;
            case 80: return 1;
            default: return 0;
            }
        }
        int screenWidth() override { return 1280; }
        int screenHeight() override { return 1024; }
        std::int64_t monitorFromPoint(int x, int y, int) override { return x >= 0 && y >= 0 && x < 1280 && y < 1024 ? 1 : 0; }
        std::optional<MonitorInfo> monitorInfo(std::int64_t m) override {
            if (m != 1) return std::nullopt;
            return MonitorInfo{{0, 0, 1280, 1024}, {0, 0, 1280, 994}, "\\\\.\\DISPLAY1"};
        }
        std::optional<DisplayMode> enumMode(const std::string&, int n) override {
            if (n > 0) return std::nullopt;
            return DisplayMode{1280, 1024, 32, 60, 0, 0, 0};
        }
        long changeMode(const std::string&, const DisplayMode&, std::uint32_t) override { return -1; }
    } displays;
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

SimPlatform::SimPlatform(const std::string& root) : files(root), pending_(std::make_unique<Pending>()) {
    platform_ = std::make_unique<Platform>(Platform{system, clock, locale, dialogs, events, processes, files,
                                                    pending_->registry, pending_->shell, pending_->displays,
                                                    pending_->desktop});
}

SimPlatform::~SimPlatform() = default;

}  // namespace plenvik::sim
