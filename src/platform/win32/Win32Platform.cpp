#include "platform/win32/Win32Platform.h"

#include "platform/Displays.h"
#include "platform/IconView.h"
#include "platform/Registry.h"
#include "platform/ShellLinks.h"

namespace plenvik::win32 {

// Services that come with the desktop and inventory work; until then they answer as a machine
// without registry values, desktop view or display changes would.
struct Win32Platform::Pending {
    struct NoRegistry : Registry {
        std::unique_ptr<RegistryKey> openCurrentUser(const std::string&, bool, long* error) override {
            if (error) *error = 2;
            return nullptr;
        }
        std::string errorText(long) override { return {}; }
    } registry;
    struct NoShell : ShellFolders {
        std::string specialFolderPath(int) override { return {}; }
        std::unique_ptr<ShellLink> createLink() override { return nullptr; }
    } shell;
    struct NoDisplays : Displays {
        int metric(int) override { return 0; }
        int screenWidth() override { return 0; }
        int screenHeight() override { return 0; }
        std::int64_t monitorFromPoint(int, int, int) override { return 0; }
        std::optional<MonitorInfo> monitorInfo(std::int64_t) override { return std::nullopt; }
        std::optional<DisplayMode> enumMode(const std::string&, int) override { return std::nullopt; }
        long changeMode(const std::string&, const DisplayMode&, std::uint32_t) override { return -1; }
    } displays;
    struct NoDesktop : IconView {
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

Win32Platform::Win32Platform() : pending_(std::make_unique<Pending>()) {
    platform_ = std::make_unique<Platform>(Platform{system_, clock_, locale_, dialogs_, events_, processes_, files_,
                                                    pending_->registry, pending_->shell, pending_->displays,
                                                    pending_->desktop});
}

Win32Platform::~Win32Platform() = default;

}  // namespace plenvik::win32
