// The simulated Explorer desktop: the icon view over the desktop model, filled from the two desktop
// folders of the simulated file system and the system icons the registry leaves visible. It behaves
// like a stock desktop: labels hide the extensions of known types, a refresh (F5) takes place at the
// next round of events rather than inside the call, and only moves through the folder view are kept.
#pragma once

#include <cstdint>
#include <set>
#include <string>

#include "platform/sim/DesktopEntries.h"
#include "platform/sim/DesktopModel.h"
#include "platform/IconView.h"

namespace plenvik {
class FileSystem;
class Registry;
}  // namespace plenvik

namespace plenvik::sim {

// WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | LVS_ALIGNLEFT | LVS_EDITLABELS |
// LVS_SHAREIMAGELISTS | LVS_SHOWSELALWAYS: a desktop in large icons without auto-arrange.
inline constexpr std::int32_t kSimDesktopStyle = 0x56000A48;

// File types with a program registered, as on a fresh Windows with an office suite.
inline const std::set<std::string> kSimKnownFileTypes = {".txt", ".docx", ".xlsx", ".pdf",  ".jpg", ".png",
                                                         ".bmp", ".zip",  ".htm",  ".html", ".exe", ".ini"};

struct SimDesktopSetup {
    DesktopFolders folders;
    DesktopGrid grid{};
    std::int32_t style = kSimDesktopStyle;
    bool snapToGrid = true;
    // FolderView: the shell offers its folder view (moves are kept); ListView: only the list view.
    IconRoute route = IconRoute::FolderView;
    StockBehaviour behaviour{};
    std::set<std::string> knownTypes = kSimKnownFileTypes;
    // A refresh waits for settle() (the platform's next round of events) instead of happening at once.
    bool deferredRefresh = true;
};

class SimIconView : public IconView {
public:
    // Without a registry the desktop shows no system icons.
    SimIconView(FileSystem& files, Registry* registry, SimDesktopSetup setup);

    DesktopModel& model() { return model_; }
    // Simulates a session without Explorer's desktop window.
    void setAvailable(bool present) { present_ = present; }
    void setRoute(IconRoute route) { route_ = route; }
    // How often a refresh was asked for.
    int refreshCount() const { return refreshes_; }
    // Carries out a refresh that was asked for (the shell gets to it between two rounds of events).
    void settle();
    // Explorer restarts: it enumerates its folders afresh and shows each icon where it had kept it
    // (what Explorer stores for its desktop); moves it never kept are gone.
    void restart();

    IconRoute route() override { return present_ ? route_ : IconRoute::None; }
    std::vector<IconItem> readAll() override;
    int itemCount() override;
    std::string label(int index) override;
    IconPosition position(int index) override;
    bool setPosition(int index, IconPosition to) override;
    std::int32_t styleWord() override;
    bool setStyleWord(std::int32_t style) override;
    std::optional<bool> snapToGrid() override;
    bool setSnapToGrid(bool on) override;
    bool arrange(int code) override;
    void refresh() override;
    void redrawWithBackground() override {}

private:
    bool exists(int index) const { return present_ && index >= 0 && index < model_.count(); }
    bool folderView() const { return present_ && route_ == IconRoute::FolderView; }
    std::vector<DesktopEntry> readEntries();

    FileSystem& files_;
    Registry* registry_;
    DesktopFolders folders_;
    std::set<std::string> knownTypes_;
    DesktopModel model_;
    IconRoute route_;
    bool deferredRefresh_;
    bool refreshPending_ = false;
    bool present_ = true;
    int refreshes_ = 0;
};

}  // namespace plenvik::sim
