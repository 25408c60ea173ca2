// A main-window view for tests: records what the controller asked of the window.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "app/MainView.h"
#include "app/MainController.h"

namespace plenvik::test {

class RecordingMainView : public MainView {
public:
    bool closed = false;
    bool protocolWindowCreated = false;
    int protocolShown = 0;
    int aboutShown = 0;
    std::vector<MenuId> popups;
    std::vector<std::string> captionsSeen;  // every caption of the save label, in order
    const MainController* form = nullptr;

    void closeWindow() override { closed = true; }
    void commandChanged(CommandId id) override {
        if (form && id == CommandId::ProjectSave) captionsSeen.push_back(form->command(id).caption);
    }
    std::function<void()> onStatus;  // runs at every change of the status lines
    void statusChanged() override {
        if (onStatus) onStatus();
    }
    void directoryChanged() override {}
    void protocolCreated(Protocol&) override { protocolWindowCreated = true; }
    void protocolDestroyed() override { protocolWindowCreated = false; }
    void showProtocol() override { ++protocolShown; }
    void showAbout() override { ++aboutShown; }
    void popupMenu(MenuId m) override { popups.push_back(m); }
    void setBusyCursor(bool) override {}
    int progressBars = 0;
    std::uintptr_t progressBarTarget() override { return 0; }
    void progressBarCreated(ProgressBar&) override { ++progressBars; }
    void progressBarRemoved() override {}
};

}  // namespace plenvik::test
