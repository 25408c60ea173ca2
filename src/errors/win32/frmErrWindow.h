// The Win32 error window frmErr: frames, lists, labels and buttons; shown modally for one error and
// hidden, never destroyed, until the next one.
#pragma once

#include <windows.h>

#include "errors/frmErrView.h"
#include "platform/win32/Scoped.h"

namespace plenvik::win32 {

class frmErrWindow : public frmErrView {
public:
    frmErrWindow() = default;
    ~frmErrWindow() override;
    frmErrWindow(const frmErrWindow&) = delete;
    frmErrWindow& operator=(const frmErrWindow&) = delete;

    // Shows the window until a continue button is pressed; the other windows of the thread are disabled
    // meanwhile, but their messages keep running. Throws RuntimeError when the window is already shown
    // or cannot be created.
    int showModal(const frmErrContent& content, frmErrCommands& commands) override;

    // The window (nullptr before the first error).
    HWND handle() const { return window_; }

private:
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void create();
    void mirror(const frmErrContent& content);
    void protocolCommand(int index);

    HWND window_ = nullptr;
    UniqueGdiObject dialogFont_;
    UniqueGdiObject fixedFont_;
    frmErrCommands* commands_ = nullptr;
    bool shown_ = false;
    bool decided_ = false;
    int actionCode_ = 0;
};

}  // namespace plenvik::win32
