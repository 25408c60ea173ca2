#pragma once

#include <windows.h>

#include "platform/Dialogs.h"

namespace plenvik::win32 {

class Win32Dialogs : public Dialogs {
public:
    // The window the questions belong to (the main window once it exists).
    void setOwner(HWND owner) { owner_ = owner; }

    MsgAnswer messageBox(const MessageBoxRequest& request) override;
    std::optional<std::string> inputBox(const std::string& prompt, const std::string& title, const std::string& defaultText) override;
    std::optional<std::string> browseForFolder(const std::string& title, const std::string& initial) override;
    // CountdownMessageBox, modal over the owner.
    int countdownBox(const std::string& message, const std::string& title, int seconds) override;

private:
    HWND owner_ = nullptr;
};

}  // namespace plenvik::win32
