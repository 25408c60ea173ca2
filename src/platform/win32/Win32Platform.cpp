#include "platform/win32/Win32Platform.h"

#include "platform/IconView.h"

namespace plenvik::win32 {

// The desktop's icon view comes with the desktop work: until then no desktop view is found.
struct Win32Platform::Pending {
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
                                                    registry_, shell_, displays_, pending_->desktop});
}

Win32Platform::~Win32Platform() = default;

}  // namespace plenvik::win32
