#include "settings/win32/SettingsWindow.h"

#include <commctrl.h>

#include <string>

#include "platform/win32/ControlSubclass.h"
#include "platform/win32/Scoped.h"
#include "platform/win32/Wide.h"
#include "ui/win32/ModalForm.h"
#include "ui/win32/LabelButton.h"

namespace plenvik::win32 {
namespace {

namespace text = settings_text;

// Client area and control places at 96 dots per inch; scaled to the screen's resolution.
constexpr int kClientWidth = 430, kClientHeight = 252;
constexpr int kLabelX = 20, kLabelWidth = 270, kControlX = 300, kRowHeight = 22;

void initCommonControls() {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&icc);
}

class SettingsWindow : public Window {
public:
    SettingsWindow(SettingsDialog& form, HWND owner) : form_(form), owner_(owner) {
        initCommonControls();
        metrics_ = readFormMetrics();
        if (create(formClass(kSettingsWindowClass), formShape(text::kCaption, metrics_, kClientWidth, kClientHeight, owner_)))
            createControls();
    }
    ~SettingsWindow() override { destroy(); }
    SettingsWindow(const SettingsWindow&) = delete;
    SettingsWindow& operator=(const SettingsWindow&) = delete;

    // Shows the window and runs its messages until the model hides (result 5 or 2).
    void run() {
        if (!handle()) {
            form_.closeClicked();  // could not be shown: as if closed at once
            return;
        }
        if (owner_) EnableWindow(owner_, FALSE);
        ShowWindow(handle(), SW_SHOW);
        UpdateWindow(handle());
        form_.show();
        mirror();
        SetFocus(GetDlgItem(handle(), kIdChkFileSave));

        runModalForm(handle(), owner_,
                     {[this] { return form_.visible(); }, [this] { command(kIdLblCmdSettingsClose); }, [this] { form_.closeClicked(); }});
    }

private:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        switch (message) {
        case WM_DPICHANGED: rescaleForm(handle(), metrics_, HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam)); return 0;
        case WM_COMMAND: onCommand(LOWORD(wParam), HIWORD(wParam)); return 0;
        case WM_CLOSE: command(kIdLblCmdSettingsClose); return 0;
        }
        return defaultHandling(message, wParam, lParam);
    }

    int scaled(int pixels) const { return metrics_.scaled(pixels); }

    HWND add(const wchar_t* cls, const std::string& caption, DWORD style, int id, int x, int y, int w, int h, DWORD exStyle = 0) {
        return addFormControl(handle(), metrics_, cls, caption, style, id, x, y, w, h, exStyle);
    }

    void tip(int id, const char* tipText) {
        const std::wstring wide = widen(tipText);
        TOOLINFOW tool{};
        tool.cbSize = sizeof tool;
        tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        tool.hwnd = handle();
        tool.uId = reinterpret_cast<UINT_PTR>(GetDlgItem(handle(), id));
        tool.lpszText = const_cast<wchar_t*>(wide.c_str());
        SendMessageW(toolTip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }

    void createControls() {
        const DWORD check = BS_AUTOCHECKBOX | WS_TABSTOP;
        add(L"BUTTON", text::kFraMain, BS_GROUPBOX, kIdFraMain, 8, 6, 414, 136);
        add(L"STATIC", text::kLblSettingsFileSave, SS_LEFT | SS_NOPREFIX, kIdLblSettingsFileSave, kLabelX, 32, kLabelWidth, kRowHeight);
        add(L"BUTTON", "", check, kIdChkFileSave, kControlX, 30, 20, kRowHeight);
        add(L"STATIC", text::kLblMaxFileSize, SS_LEFT | SS_NOPREFIX, kIdLblMaxFileSize, kLabelX, 58, kLabelWidth, kRowHeight);
        add(L"EDIT", form_.txtMaxFileSize(), ES_AUTOHSCROLL | WS_TABSTOP, kIdTxtMaxFileSize, kControlX, 56, 100, kRowHeight,
            WS_EX_CLIENTEDGE);
        add(L"STATIC", text::kLblSettingsFolderSave, SS_LEFT | SS_NOPREFIX, kIdLblSettingsFolderSave, kLabelX, 84, kLabelWidth, kRowHeight);
        add(L"BUTTON", "", check, kIdChkFolderSave, kControlX, 82, 20, kRowHeight);
        add(L"STATIC", text::kLabel2, SS_LEFT | SS_NOPREFIX, kIdLabel2, kLabelX, 110, kLabelWidth, kRowHeight);
        add(L"BUTTON", "", check, kIdChkFileNameAuto, kControlX, 108, 20, kRowHeight);
        add(L"BUTTON", "", BS_GROUPBOX, kIdFraButtons, 8, 148, 414, 98);
        add(L"STATIC", "", SS_LEFT | SS_NOPREFIX, kIdLblInfo, kLabelX, 166, 390, 36);
        struct CommandLabel {
            int id;
            const char* caption;
            int x;
        };
        for (const CommandLabel& c : {CommandLabel{kIdLblCmdSettingsSave, text::kLblCmdSettingsSave, 200},
                                      CommandLabel{kIdLblCmdSettingsClose, text::kLblCmdSettingsClose, 310}}) {
            HWND label = createLabelButton(handle(), c.id, widen(c.caption), scaled(c.x), scaled(208), scaled(100), scaled(28));
            SendMessageW(label, WM_SETFONT,
                         reinterpret_cast<WPARAM>(metrics_.font()), FALSE);
            dropPressedLookOnRelease(label);
        }
        SendDlgItemMessageW(handle(), kIdChkFileSave, BM_SETCHECK, form_.chkFileSave() ? BST_CHECKED : BST_UNCHECKED, 0);
        SendDlgItemMessageW(handle(), kIdChkFolderSave, BM_SETCHECK, form_.chkFolderSave() ? BST_CHECKED : BST_UNCHECKED, 0);
        SendDlgItemMessageW(handle(), kIdChkFileNameAuto, BM_SETCHECK, form_.chkFileNameAuto() ? BST_CHECKED : BST_UNCHECKED, 0);
        reportKeys(kIdChkFileSave, &SettingsDialog::fileSaveKeyPressed);
        reportKeys(kIdChkFolderSave, &SettingsDialog::folderSaveKeyPressed);

        toolTip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                                   CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, handle(), nullptr, GetModuleHandleW(nullptr), nullptr);
        if (toolTip_) {
            SendMessageW(toolTip_, TTM_SETMAXTIPWIDTH, 0, scaled(320));
            for (int id : {kIdLblSettingsFileSave, kIdChkFileSave}) tip(id, text::kTipFileSave);
            for (int id : {kIdLblMaxFileSize, kIdTxtMaxFileSize}) tip(id, text::kTipMaxFileSize);
            for (int id : {kIdLabel2, kIdChkFileNameAuto}) tip(id, text::kTipFileNameAuto);
        }
        mirror();
    }

    bool checked(int id) const { return SendDlgItemMessageW(handle(), id, BM_GETCHECK, 0, 0) == BST_CHECKED; }

    std::string editText() const {
        HWND edit = GetDlgItem(handle(), kIdTxtMaxFileSize);
        const int length = GetWindowTextLengthW(edit);
        std::wstring wide(static_cast<std::size_t>(length) + 1, L'\0');
        GetWindowTextW(edit, wide.data(), length + 1);
        wide.resize(static_cast<std::size_t>(length));
        return narrow(wide);
    }

    // The label buttons' press and release, the check boxes' clicks and the size box's edits.
    void onCommand(int id, int code) {
        switch (id) {
        case kIdChkFileSave:
            if (code == BN_CLICKED) form_.fileSaveClicked(checked(id));
            break;
        case kIdChkFolderSave:
            if (code == BN_CLICKED) form_.folderSaveClicked(checked(id));
            break;
        case kIdChkFileNameAuto:
            if (code == BN_CLICKED) form_.fileNameAutoClicked(checked(id));
            break;
        case kIdTxtMaxFileSize:
            if (code == EN_CHANGE) form_.maxFileSizeChanged(editText());
            break;
        case kIdLblCmdSettingsSave:
        case kIdLblCmdSettingsClose:
            SendDlgItemMessageW(handle(), id, kLabelButtonSetPressed, code == kLabelButtonDown, 0);
            if (code == kLabelButtonUp) command(id);
            break;
        case IDCANCEL:  // Escape
            command(kIdLblCmdSettingsClose);
            break;
        }
        mirror();
    }

    void command(int id) {
        if (id == kIdLblCmdSettingsSave)
            form_.saveClicked();
        else
            form_.closeClicked();
        mirror();
        // A message sent from another thread is handled inside GetMessage without ending it: wake the
        // modal loop so that it sees the dialog has hidden.
        if (!form_.visible()) PostMessageW(handle(), WM_NULL, 0, 0);
    }

    // Copies the model's enabled states and message into the controls.
    void mirror() {
        auto enable = [this](int id, bool on) {
            HWND control = GetDlgItem(handle(), id);
            if ((IsWindowEnabled(control) != FALSE) != on) EnableWindow(control, on);
        };
        enable(kIdTxtMaxFileSize, form_.txtMaxFileSizeEnabled());
        enable(kIdLblCmdSettingsSave, form_.lblCmdSettingsSaveEnabled());
        const std::wstring info = widen(form_.lblInfo());
        wchar_t shown[256] = {};
        GetDlgItemTextW(handle(), kIdLblInfo, shown, 256);
        if (info != shown) SetDlgItemTextW(handle(), kIdLblInfo, info.c_str());
    }

    // A key typed on a check box counts as a change, as a click does.
    void reportKeys(int boxId, void (SettingsDialog::*keyPress)()) {
        subclassControl(GetDlgItem(handle(), boxId), [this, keyPress](HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
            if (message == WM_CHAR) {
                (form_.*keyPress)();
                mirror();
            }
            return passToControl(box, message, wParam, lParam);
        });
    }

    SettingsDialog& form_;
    HWND owner_;
    FormMetrics metrics_;
    HWND toolTip_ = nullptr;
};

}  // namespace

void Win32SettingsDialogView::showModal(SettingsDialog& form) {
    SettingsWindow window(form, owner_);
    window.run();
}

SettingsDialogOutcome showSettingsDialog(HWND owner, Locale& locale, const Settings& current) {
    Win32SettingsDialogView view(owner);
    return runSettingsDialog(view, locale, current);
}

}  // namespace plenvik::win32
