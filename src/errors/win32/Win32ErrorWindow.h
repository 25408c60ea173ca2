// The Win32 error window ErrorWindow: frames, lists, labels and buttons; shown modally for one error and
// hidden, never destroyed, until the next one.
#pragma once

#include <windows.h>

#include "errors/ErrorWindowView.h"
#include "platform/win32/Window.h"
#include "ui/win32/FormMetrics.h"

namespace plenvik::win32 {

class ErrorWindowView32 : public ErrorWindowView, public Window {
public:
    ErrorWindowView32() = default;
    ~ErrorWindowView32() override;
    ErrorWindowView32(const ErrorWindowView32&) = delete;
    ErrorWindowView32& operator=(const ErrorWindowView32&) = delete;

    // Shows the window until a continue button is pressed; the other windows of the thread are disabled
    // meanwhile, but their messages keep running. Throws RuntimeError when the window is already shown
    // or cannot be created.
    int showModal(const ErrorWindowContent& content, ErrorWindowCommands& commands) override;

    // handle(): the window (nullptr before the first error).

private:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void create();
    void mirror(const ErrorWindowContent& content);
    void protocolCommand(int index);

    void setHorizontalExtents();

    FormMetrics metrics_;  // its resolution and fonts (a dialog font and a fixed-pitch one)
    ErrorWindowCommands* commands_ = nullptr;
    bool shown_ = false;
    bool decided_ = false;
    int actionCode_ = 0;
};

}  // namespace plenvik::win32
