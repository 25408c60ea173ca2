#include "settings/win32/DesktopSettingsWindow.h"

#include <commctrl.h>

#include <algorithm>
#include <memory>
#include <string>

#include "platform/win32/Scoped.h"
#include "platform/win32/Wide.h"
#include "ui/win32/ModalForm.h"
#include "ui/win32/LabelButton.h"
#include "ui/win32/PictureViewControl.h"

namespace plenvik::win32 {
namespace {

namespace text = desktop_text;

// Client area and control places at 96 dots per inch; scaled to the screen's resolution.
constexpr int kClientWidth = 700, kClientHeight = 556;
constexpr int kFrameX = 8, kFrameWidth = 684;
// fraMain: the monitor columns share the room left of the picture.
constexpr int kFraMainTop = 182, kFraMainHeight = 290;
constexpr int kColumnsLeft = 20, kColumnsRight = 410, kColumnGap = 8;
constexpr int kMonLabelTop = 202, kMonLabelHeight = 18, kMonListTop = 222, kMonListHeight = 240;
constexpr int kPictureX = 420, kPictureY = 200, kPictureSize = 262;

void initCommonControls() {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&icc);
}

// The system-icon rows as the form lays them out (top to bottom), with the model's box names.
struct IconRow {
    int labelId;
    int boxId;
    const char* caption;
    const char* boxName;
};
constexpr IconRow kIconRows[] = {
    {kIdLblDisplayMyComputer, kIdChkDisplayMyComputer, text::kLblDisplayMyComputer, "chkDisplayMyComputer"},
    {kIdLblDisplayInternetExplorer, kIdChkDisplayInternetExplorer, text::kLblDisplayInternetExplorer, "chkDisplayInternetExplorer"},
    {kIdLblDisplayMyFiles, kIdChkDisplayMyFiles, text::kLblDisplayMyFiles, "chkDisplayMyFiles"},
    {kIdLblDisplayNetwork, kIdChkDisplayNetwork, text::kLblDisplayNetwork, "chkDisplayNetwork"},
    {kIdLblDisplayBasket, kIdChkDisplayBasket, text::kLblDisplayBasket, "chkDisplayBasket"},
};

class DesktopSettingsWindow : public Window {
public:
    DesktopSettingsWindow(DesktopSettingsDialog& form, HWND owner) : form_(form), owner_(owner) {
        initCommonControls();
        metrics_ = readFormMetrics();
        if (create(formClass(kDesktopSettingsWindowClass), formShape(text::kCaption, metrics_, kClientWidth, kClientHeight, owner_)))
            createControls();
    }
    ~DesktopSettingsWindow() override {
        picture_.reset();
        destroy();
    }
    DesktopSettingsWindow(const DesktopSettingsWindow&) = delete;
    DesktopSettingsWindow& operator=(const DesktopSettingsWindow&) = delete;

    // Shows the window and runs its messages until the model hides.
    void run() {
        if (!handle()) {
            form_.closeClicked();  // could not be shown: as if closed at once
            return;
        }
        if (owner_) EnableWindow(owner_, FALSE);
        form_.Show();
        ShowWindow(handle(), SW_SHOW);
        UpdateWindow(handle());
        mirror();
        SetFocus(GetDlgItem(handle(), kIdLstIconView));

        runModalForm(
            handle(), owner_,
            {[this] { return form_.visible(); }, [this] { command(kIdDesktopLblCmdSettingsClose); }, [this] { form_.closeClicked(); }});
    }

private:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        switch (message) {
        case WM_DPICHANGED: rescaleForm(handle(), metrics_, HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam)); return 0;
        case WM_COMMAND: onCommand(LOWORD(wParam), HIWORD(wParam)); return 0;
        case WM_CLOSE: command(kIdDesktopLblCmdSettingsClose); return 0;
        }
        return defaultHandling(message, wParam, lParam);
    }

    int scaled(int pixels) const { return metrics_.scaled(pixels); }
    WPARAM fontParam() const { return reinterpret_cast<WPARAM>(metrics_.font()); }

    HWND add(const wchar_t* cls, const std::string& caption, DWORD style, int id, int x, int y, int w, int h, DWORD exStyle = 0) {
        return addFormControl(handle(), metrics_, cls, caption, style, id, x, y, w, h, exStyle);
    }

    void createControls() {
        const DWORD label = SS_LEFT | SS_NOPREFIX;
        const DWORD check = BS_AUTOCHECKBOX | WS_TABSTOP;
        const DWORD list = LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP;

        add(L"BUTTON", text::kFraMainDesktopIcons, BS_GROUPBOX, kIdFraMainDesktopIcons, kFrameX, 6, kFrameWidth, 170);
        HWND views = add(L"LISTBOX", "", list, kIdLstIconView, 20, 28, 170, 76, WS_EX_CLIENTEDGE);
        for (const char* entry : text::kIconViewEntries)
            SendMessageW(views, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(widen(entry).c_str()));
        add(L"STATIC", text::kLblIcons, label, kIdLblIcons, 20, 112, 200, 18);
        add(L"STATIC", text::kLblIconsArrangeAutomatic, label, kIdLblIconsArrangeAutomatic, 20, 134, 220, 20);
        add(L"BUTTON", "", check, kIdChkIconsArrangeAutomatic, 244, 132, 20, 20);
        add(L"STATIC", text::kLblIconsSnapToGrid, label, kIdLblIconsSnapToGrid, 20, 154, 220, 20);
        add(L"BUTTON", "", check, kIdChkIconsSnapToGrid, 244, 152, 20, 20);
        int row = 28;
        for (const IconRow& r : kIconRows) {
            add(L"STATIC", r.caption, label, r.labelId, 330, row + 2, 300, 20);
            add(L"BUTTON", "", check, r.boxId, 640, row, 20, 20);
            row += 24;
        }

        add(L"BUTTON", text::kFraMain, BS_GROUPBOX, kIdDesktopFraMain, kFrameX, kFraMainTop, kFrameWidth, kFraMainHeight);
        addMonitorColumns(list);
        picture_ = std::make_unique<PictureViewControl>(form_.ctlPictureView(), handle(), kIdDesktopCtlPictureView, scaled(kPictureX),
                                                        scaled(kPictureY), scaled(kPictureSize), scaled(kPictureSize));

        add(L"BUTTON", "", BS_GROUPBOX, kIdDesktopFraButtons, kFrameX, 478, kFrameWidth, 70);
        add(L"STATIC", "", label, kIdDesktopLblInfo, 20, 494, 430, 44);
        struct CommandLabel {
            int id;
            const char* caption;
            int x, width;
        };
        for (const CommandLabel& c : {CommandLabel{kIdDesktopLblCmdSettingsSave, text::kLblCmdSettingsSave, 462, 120},
                                      CommandLabel{kIdDesktopLblCmdSettingsClose, text::kLblCmdSettingsClose, 588, 96}}) {
            HWND button = createLabelButton(handle(), c.id, widen(c.caption), scaled(c.x), scaled(502), scaled(c.width), scaled(28));
            SendMessageW(button, WM_SETFONT, fontParam(), FALSE);
            dropPressedLookOnRelease(button);
        }
        mirror();
    }

    // One label and one list per monitor, side by side across the room left of the picture, all with
    // the first pair's top and height.
    void addMonitorColumns(DWORD listStyle) {
        const auto& columns = form_.monitorColumns();
        const int count = std::max<int>(1, static_cast<int>(columns.size()));
        const int width = (kColumnsRight - kColumnsLeft - kColumnGap * (count - 1)) / count;
        for (int n = 1; n <= static_cast<int>(columns.size()); ++n) {
            const MonitorColumn& column = columns[static_cast<std::size_t>(n - 1)];
            const int x = kColumnsLeft + (n - 1) * (width + kColumnGap);
            add(L"STATIC", column.caption, SS_LEFT | SS_NOPREFIX, lblMonId(n), x, kMonLabelTop, width, kMonLabelHeight);
            HWND modes = add(L"LISTBOX", "", listStyle | WS_HSCROLL, lstMonId(n), x, kMonListTop, width, kMonListHeight, WS_EX_CLIENTEDGE);
            SendMessageW(modes, LB_INITSTORAGE, column.modes.size(), column.modes.size() * 32);
            for (const std::string& mode : column.modes)
                SendMessageW(modes, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(widen(mode).c_str()));
            SendMessageW(modes, LB_SETHORIZONTALEXTENT, scaled(200), 0);
        }
    }

    bool checked(int id) const { return SendDlgItemMessageW(handle(), id, BM_GETCHECK, 0, 0) == BST_CHECKED; }
    int selection(int id) const { return static_cast<int>(SendDlgItemMessageW(handle(), id, LB_GETCURSEL, 0, 0)); }

    static int systemIconBoxIndex(const DesktopSettingsDialog& form, const char* name) {
        const auto& boxes = form.systemIconBoxes();
        for (std::size_t i = 0; i < boxes.size(); ++i)
            if (boxes[i].name == name) return static_cast<int>(i);
        return -1;
    }

    void onCommand(int id, int code) {
        if (id >= lblMonId(1)) {
            if ((id - lstMonId(1)) % 2 == 0 && code == LBN_SELCHANGE) form_.monitorListClicked((id - lstMonId(1)) / 2 + 1, selection(id));
        } else if (id == kIdLstIconView) {
            if (code == LBN_SELCHANGE) form_.iconViewListClicked(selection(id));
        } else if (id == kIdChkIconsArrangeAutomatic) {
            if (code == BN_CLICKED) form_.arrangeAutomaticClicked(checked(id));
        } else if (id == kIdChkIconsSnapToGrid) {
            if (code == BN_CLICKED) form_.snapToGridClicked(checked(id));
        } else if (id == kIdDesktopLblCmdSettingsSave || id == kIdDesktopLblCmdSettingsClose) {
            SendDlgItemMessageW(handle(), id, kLabelButtonSetPressed, code == kLabelButtonDown, 0);
            if (code == kLabelButtonUp) command(id);
        } else if (id == IDCANCEL) {  // Escape
            command(kIdDesktopLblCmdSettingsClose);
        } else {
            for (const IconRow& r : kIconRows)
                if (id == r.boxId && code == BN_CLICKED) form_.systemIconClicked(systemIconBoxIndex(form_, r.boxName), checked(id));
        }
        mirror();
    }

    void command(int id) {
        if (id == kIdDesktopLblCmdSettingsSave) {
            // The countdown box and the information boxes run their own message loops: no second
            // apply and no close may start meanwhile.
            EnableWindow(handle(), FALSE);
            form_.saveClicked();
            EnableWindow(handle(), TRUE);
            if (form_.visible()) SetForegroundWindow(handle());
        } else {
            form_.closeClicked();
        }
        mirror();
        // A message sent from another thread is handled inside GetMessage without ending it: wake the
        // modal loop so that it sees the dialog has hidden.
        if (!form_.visible()) PostMessageW(handle(), WM_NULL, 0, 0);
    }

    void setCheck(int id, bool on) {
        if (checked(id) != on) SendDlgItemMessageW(handle(), id, BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
    }
    void setSelection(int id, int index) {
        if (selection(id) != index) SendDlgItemMessageW(handle(), id, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    }

    // Copies the model's selections, check marks and message into the controls.
    void mirror() {
        setSelection(kIdLstIconView, form_.lstIconView());
        setCheck(kIdChkIconsArrangeAutomatic, form_.chkIconsArrangeAutomatic());
        setCheck(kIdChkIconsSnapToGrid, form_.chkIconsSnapToGrid());
        for (const IconRow& r : kIconRows)
            if (const SystemIconBox* box = form_.systemIconBox(r.boxName)) setCheck(r.boxId, box->value);
        const auto& columns = form_.monitorColumns();
        for (std::size_t i = 0; i < columns.size(); ++i) setSelection(lstMonId(static_cast<int>(i) + 1), columns[i].selected);
        const std::wstring info = widen(form_.lblInfo());
        wchar_t shown[512] = {};
        GetDlgItemTextW(handle(), kIdDesktopLblInfo, shown, 512);
        if (info != shown) SetDlgItemTextW(handle(), kIdDesktopLblInfo, info.c_str());
    }

    DesktopSettingsDialog& form_;
    HWND owner_;
    FormMetrics metrics_;
    std::unique_ptr<PictureViewControl> picture_;
};

}  // namespace

void showDesktopSettingsDialog(HWND owner, DesktopSettingsDialog& form) {
    DesktopSettingsWindow window(form, owner);
    window.run();
}

}  // namespace plenvik::win32
