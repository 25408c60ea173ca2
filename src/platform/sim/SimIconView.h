// The simulated Explorer desktop: the icon view over the desktop model, filled from the two desktop
// folders of the simulated file system and the system icons the registry leaves visible. A refresh
// (F5) re-reads them.
#pragma once

#include <cstdint>

#include "desktop/DesktopEntries.h"
#include "desktop/DesktopModel.h"
#include "platform/IconView.h"

namespace plenvik {
class FileSystem;
class Registry;
}  // namespace plenvik

namespace plenvik::sim {

// WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | LVS_ALIGNLEFT | LVS_EDITLABELS |
// LVS_SHAREIMAGELISTS | LVS_SHOWSELALWAYS: a desktop in large icons without auto-arrange.
inline constexpr std::int32_t kSimDesktopStyle = 0x56000A48;

struct SimDesktopSetup {
    DesktopFolders folders;
    DesktopGrid grid{};
    std::int32_t style = kSimDesktopStyle;
    bool snapToGrid = false;
};

class SimIconView : public IconView {
public:
    // Without a registry the desktop shows no system icons.
    SimIconView(FileSystem& files, Registry* registry, SimDesktopSetup setup);

    DesktopModel& model() { return model_; }
    // Simulates a session without Explorer's desktop window.
    void setAvailable(bool present) { present_ = present; }
    int refreshCount() const { return refreshes_; }

    bool available() override { return present_; }
    std::vector<IconItem> readAll() override;
    int itemCount() override;
    std::string label(int index) override;
    IconPosition position(int index) override;
    bool setPosition(int index, IconPosition to) override;
    std::int32_t styleWord() override;
    bool setStyleWord(std::int32_t style) override;
    bool arrange(int code) override;
    void refresh() override;
    void redrawWithBackground() override {}

private:
    bool exists(int index) const { return present_ && index >= 0 && index < model_.count(); }

    FileSystem& files_;
    Registry* registry_;
    DesktopFolders folders_;
    DesktopModel model_;
    bool present_ = true;
    int refreshes_ = 0;
};

}  // namespace plenvik::sim
