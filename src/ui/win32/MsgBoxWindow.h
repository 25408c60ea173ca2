// CountdownMessageBox on Windows: a small modal window with the title label, the multi-line message, the
// countdown label and the label buttons lblCmdOk ("OK") and lblCmdCancel ("Abbrechen"), driven by a
// one-second timer. It mirrors the form's model and reports clicks, ticks and the close box to it.
#pragma once

#include <windows.h>

#include <string>

#include "platform/win32/Window.h"
#include "ui/win32/FormMetrics.h"
#include "ui/CountdownMessageBox.h"

namespace plenvik::win32 {

inline constexpr const wchar_t* kMsgBoxWindowClass = L"PlenvikMsgBox";
inline constexpr int kMsgBoxTitleId = 301;     // lblTitle
inline constexpr int kMsgBoxMessageId = 302;   // txtMessage
inline constexpr int kMsgBoxInfoId = 303;      // lblInfo
inline constexpr int kMsgBoxOkId = 304;        // lblCmdOk
inline constexpr int kMsgBoxCancelId = 305;    // lblCmdCancel
inline constexpr UINT_PTR kMsgBoxTimerId = 1;  // tmrMain

class MsgBoxWindow : public Window {
public:
    // Creates the window hidden, centred on the owner (or the screen).
    MsgBoxWindow(CountdownMessageBox& form, HWND owner);
    ~MsgBoxWindow() override;
    MsgBoxWindow(const MsgBoxWindow&) = delete;
    MsgBoxWindow& operator=(const MsgBoxWindow&) = delete;

    // Shows the form modally (the owner is disabled meanwhile) until a button, the countdown or the
    // close box hides it; returns the form's result.
    int showModal();

private:
    LRESULT handleMessage(UINT m, WPARAM wp, LPARAM lp) override;
    void mirror();

    CountdownMessageBox& form_;
    HWND owner_;
    bool timerRunning_ = false;
    bool modal_ = false;
    FormMetrics metrics_;  // its resolution and fonts (the title bold)
};

// Loads, sets up and shows a CountdownMessageBox modally: 5 confirmed, 2 cancelled, timed out or closed.
int showCountdownMessageBox(HWND owner, const std::string& title, const std::string& message, int timeoutSeconds);

}  // namespace plenvik::win32
