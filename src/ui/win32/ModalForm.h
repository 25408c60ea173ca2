// The message loop of a modal form shown in its own top-level window: the owner takes no input
// meanwhile, Alt+S presses the form's "&Schließen", and a WM_QUIT that arrives closes the form and is
// passed on, so that the program still ends.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "ui/win32/FormMetrics.h"

namespace plenvik::win32 {

struct ModalFormCalls {
    std::function<bool()> visible;     // the loop runs while the form is visible
    std::function<void()> pressClose;  // the "&Schließen" label pressed (its mnemonic)
    std::function<void()> closeNow;    // the form closes at once (the program is ending)
};

// Shows the window and runs its messages until the form hides; hides the window afterwards.
void runModalForm(HWND window, HWND owner, const ModalFormCalls& calls);

}  // namespace plenvik::win32
