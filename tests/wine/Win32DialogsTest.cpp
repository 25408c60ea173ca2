// The message box behind the dialogs seam: which button Enter answers.
#include <gtest/gtest.h>

#include <windows.h>

#include <thread>

#include "platform/win32/Win32Dialogs.h"

namespace plenvik::test {
namespace {

TEST(Win32DialogsTest, TheDefaultButtonIsYesUnlessTheSecondIsAskedFor) {
    for (const bool second : {false, true}) {
        SCOPED_TRACE(second);
        win32::Win32Dialogs dialogs;
        MsgAnswer answer = MsgAnswer::Cancel;
        std::thread asking([&] {
            answer = dialogs.messageBox({"Wirklich?", "Vorgabe-Test", MsgButtons::YesNo, MsgIcon::Question, second});
        });
        HWND box = nullptr;
        for (int i = 0; i < 400 && !box; ++i) {
            box = FindWindowW(L"#32770", L"Vorgabe-Test");
            if (!box) Sleep(25);
        }
        if (!box) {
            asking.detach();
            FAIL() << "the message box did not appear";
        }
        // The default button is the one Enter presses: it carries BS_DEFPUSHBUTTON.
        const auto isDefault = [&](int button) { return (GetWindowLongW(GetDlgItem(box, button), GWL_STYLE) & 0xF) == BS_DEFPUSHBUTTON; };
        for (int i = 0; i < 80 && !isDefault(IDYES) && !isDefault(IDNO); ++i) Sleep(25);  // still being laid out
        EXPECT_EQ(isDefault(IDNO), second);
        EXPECT_EQ(isDefault(IDYES), !second);
        const int id = isDefault(IDNO) ? IDNO : IDYES;
        PostMessageW(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, id)));
        asking.join();
        EXPECT_EQ(answer, second ? MsgAnswer::No : MsgAnswer::Yes);
    }
}

}  // namespace
}  // namespace plenvik::test
