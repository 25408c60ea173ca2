// What the main window's controller asks of its window. The Win32 view does it on screen; tests
// record it.
#pragma once

#include <cstdint>

namespace plenvik {

class Protocol;
class ProgressBar;
enum class CommandId;
enum class MenuId;

class MainView {
public:
    virtual ~MainView() = default;
    // Unloads the main window: the program ends.
    virtual void closeWindow() = 0;
    virtual void commandChanged(CommandId id) = 0;
    virtual void statusChanged() = 0;
    virtual void directoryChanged() = 0;
    // The protocol window was created (hidden); the view builds its window now.
    virtual void protocolCreated(Protocol& protocol) = 0;
    // The protocol is about to go (the main window unloads); the view drops its window first.
    virtual void protocolDestroyed() = 0;
    virtual void showProtocol() = 0;
    virtual void showAbout() = 0;
    virtual void popupMenu(MenuId menu) = 0;
    virtual void setBusyCursor(bool busy) = 0;
    // The window a run's progress bar draws into (picProgressBar), and the bar's coming and going.
    virtual std::uintptr_t progressBarTarget() = 0;
    virtual void progressBarCreated(ProgressBar& bar) = 0;
    virtual void progressBarRemoved() = 0;
};

}  // namespace plenvik
