// The Win32 error window frmErr: frames, lists, labels and buttons; shown modally for one error and
// hidden, never destroyed, until the next one.
#pragma once

#include <windows.h>

#include "errors/frmErrView.h"
#include "platform/win32/Scoped.h"
#include "platform/win32/Window.h"

namespace plenvik::win32 {

class frmErrWindow : public frmErrView, public Window {
public:
    frmErrWindow() = default;
    ~frmErrWindow() override;
    frmErrWindow(const frmErrWindow&) = delete;
    frmErrWindow& operator=(const frmErrWindow&) = delete;

    // Shows the window until a continue button is pressed; the other windows of the thread are disabled
    // meanwhile, but their messages keep running. Throws RuntimeError when the window is already shown
    // or cannot be created.
    int showModal(const frmErrContent& content, frmErrCommands& commands) override;

    // handle(): the window (nullptr before the first error).

private:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void create();
    void mirror(const frmErrContent& content);
    void protocolCommand(int index);

    UniqueGdiObject dialogFont_;
    UniqueGdiObject fixedFont_;
    frmErrCommands* commands_ = nullptr;
    bool shown_ = false;
    bool decided_ = false;
    int actionCode_ = 0;
};

}  // namespace plenvik::win32
