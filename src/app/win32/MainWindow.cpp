#include "app/win32/MainWindow.h"

#include <commctrl.h>

#include <stdexcept>

#include "app/win32/AboutBox.h"
#include "app/win32/MainWindowIds.h"
#include "errors/Procedure.h"
#include "platform/win32/ControlSubclass.h"
#include "platform/win32/Scoped.h"
#include "platform/win32/Wide.h"
#include "app/IconListHandlers.h"
#include "ui/win32/LabelButton.h"
#include "ui/win32/ProgressBarPainter.h"

namespace plenvik::win32 {
namespace {

constexpr UINT_PTR kDeferredCommandTimer = 1;
constexpr UINT kCloseMessage = WM_APP + 1;

struct ControlSpec {
    const char* name;
    int id;
    const wchar_t* cls;
    const wchar_t* text;
    DWORD style;
    DWORD exStyle;
};

const ControlSpec kControls[] = {
    {"lblProjectName", kIdLblProjectName, L"STATIC", L"Verzeichnis:", SS_LEFT, 0},
    {"txtDirectoryName", kIdTxtDirectoryName, L"EDIT", L"", ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE},
    {"imgMain", kIdImgMain, L"STATIC", L"", SS_ICON | SS_NOTIFY, 0},
    {"lblProjects", kIdLblProjects, L"STATIC", L"Projekte:", SS_LEFT, 0},
    {"lvwProjects", kIdLvwProjects, WC_LISTVIEWW, L"", LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | WS_TABSTOP, WS_EX_CLIENTEDGE},
    {"lblProjectData", kIdLblProjectData, L"STATIC", L"Projektdaten:", SS_LEFT, 0},
    {"lvwProjectData", kIdLvwProjectData, WC_LISTVIEWW, L"", LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | WS_TABSTOP, WS_EX_CLIENTEDGE},
    {"lvwProjectIcons", kIdLvwProjectIcons, WC_LISTVIEWW, L"", LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | WS_TABSTOP,
     WS_EX_CLIENTEDGE},
    {"lblInfo", kIdLblInfo, L"STATIC", L"", SS_LEFT | SS_NOPREFIX | SS_ENDELLIPSIS, 0},
    {"lblInfoMonitore", kIdLblInfoMonitore, L"STATIC", L"", SS_LEFT | SS_NOPREFIX | SS_ENDELLIPSIS, 0},
    {"picProgressBar", kIdPicProgressBar, L"STATIC", L"", SS_OWNERDRAW, 0},
};

constexpr const char* kCommandControl[] = {"lblCmdProjectSave", "lblCmdDesktopRestore", "lblCmdChangeDesktopSettings",
                                           "lblCmdSettings",    "lblCmdProtokoll",      "lblCmdDirChoose",
                                           "lblCmdClose"};

// The program's own icon; the system's application icon where the module carries none (test programs).
HICON programIcon() {
    HICON own = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kProgramIconId));
    return own ? own : LoadIconW(nullptr, IDI_APPLICATION);
}

int commandControlId(CommandId id) { return kIdLblCmdProjectSave + static_cast<int>(id); }

void addTooltip(HWND tooltip, HWND owner, HWND control, const std::string& text) {
    std::wstring wide = widen(text);
    TOOLINFOW info{};
    info.cbSize = sizeof info;
    info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    info.hwnd = owner;
    info.uId = reinterpret_cast<UINT_PTR>(control);
    info.lpszText = wide.data();
    SendMessageW(tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
}

}  // namespace

MainWindow::MainWindow(MainController& form) : form_(form) { form_.setView(this); }

MainWindow::~MainWindow() {
    destroy();  // gone already unless the program ends early; goes before what its controls call back into
    protocolWindow_.reset();
    pictureControl_.reset();
    projects_.reset();
    projectData_.reset();
    projectIcons_.reset();
    form_.setView(nullptr);
    if (background_) DeleteObject(background_);
}

template <class F>
void MainWindow::guarded(F&& f) {
    try {
        f();
    } catch (const EndProgram&) {
        PostQuitMessage(3);
    } catch (const std::exception& e) {
        // Whatever the procedures did not handle themselves must not unwind through Windows.
        MessageBoxW(handle(), widen(e.what()).c_str(), L"Plenvik", MB_OK | MB_ICONERROR);
    }
}

bool MainWindow::create(const std::string& commandLine, int showCommand) {
    guarded([&] { form_.load(commandLine); });

    {
        WindowDc screen(nullptr);
        const int dpi = GetDeviceCaps(screen.get(), LOGPIXELSX);
        dpi_ = dpi > 0 ? dpi : 96;
    }

    RECT outer{0, 0, px(MainLayout::kDesignWidth), px(MainLayout::kDesignHeight)};
    const DWORD style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
    AdjustWindowRect(&outer, style, FALSE);
    WindowClass windowClass = formClass(kMainWindowClass);
    windowClass.icon = programIcon();
    const HWND window = Window::create(
        windowClass,
        {.caption = kMainWindowCaption, .style = style, .width = outer.right - outer.left, .height = outer.bottom - outer.top});
    if (!window) return false;
    // Per-monitor aware (the manifest): the window's own screen decides, not the primary one.
    if (const UINT own = GetDpiForWindow(handle()); own > 0 && static_cast<int>(own) != dpi_) {
        dpi_ = static_cast<int>(own);
        RECT sized{0, 0, px(MainLayout::kDesignWidth), px(MainLayout::kDesignHeight)};
        AdjustWindowRectExForDpi(&sized, style, FALSE, 0, own);
        SetWindowPos(handle(), nullptr, 0, 0, sized.right - sized.left, sized.bottom - sized.top, SWP_NOMOVE | SWP_NOZORDER);
    }
    createControls();
    ShowWindow(handle(), showCommand);
    UpdateWindow(handle());
    SetTimer(handle(), kDeferredCommandTimer, MainController::kTimerIntervalMs, nullptr);
    return true;
}

void MainWindow::createControls() {
    font_ = DpiFont::messageFont(dpi_);
    background_ = CreateSolidBrush(GetSysColor(COLOR_BTNFACE));

    for (const auto& control : kControls) {
        HWND c = CreateWindowExW(control.exStyle, control.cls, control.text, WS_CHILD | WS_VISIBLE | control.style, 0, 0, 10, 10, handle(),
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(control.id)), GetModuleHandleW(nullptr), nullptr);
        controls_[control.name] = c;
    }
    for (const auto& c : form_.commands()) {
        HWND b = createLabelButton(handle(), commandControlId(c.id), widen(c.caption), 0, 0, 10, 10);
        controls_[c.name] = b;
        commandChanged(c.id);
    }
    pictureControl_ = std::make_unique<PictureViewControl>(form_.pictureView(), handle(), kIdCtlPictureView, 0, 0, 10, 10);
    controls_["ctlPictureView"] = pictureControl_->handle();
    applyFont();
    SendMessageW(control("imgMain"), STM_SETICON, reinterpret_cast<WPARAM>(programIcon()), 0);

    for (const char* list : {"lvwProjects", "lvwProjectData", "lvwProjectIcons"})
        ListView_SetExtendedListViewStyle(control(list), LVS_EX_FULLROWSELECT | LVS_EX_SUBITEMIMAGES | LVS_EX_INFOTIP);
    ListView_SetExtendedListViewStyle(control("lvwProjectIcons"), LVS_EX_FULLROWSELECT | LVS_EX_CHECKBOXES | LVS_EX_INFOTIP);
    projects_ = std::make_unique<ListViewMirror>(form_.lists.projects, control("lvwProjects"), dpi_);
    projects_->setDeselectedHandler([this] { guarded([&] { form_.projectListDeselected(); }); });
    projectData_ = std::make_unique<ListViewMirror>(form_.lists.projectData, control("lvwProjectData"), dpi_);
    projectIcons_ = std::make_unique<ListViewMirror>(form_.lists.projectIcons, control("lvwProjectIcons"), dpi_);

    tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, 0, 0, 0, 0, handle(),
                               nullptr, GetModuleHandleW(nullptr), nullptr);
    SendMessageW(tooltip_, TTM_SETMAXTIPWIDTH, 0, 400);
    addTooltip(tooltip_, handle(), control("lvwProjects"),
               "Alle vorhandenen Projekte, erstellt durch Projektdateien (*.Plenvx) im angegebenen Verzeichnis.");
    const std::string lowerTip = "Alle vorhandenen Monitor und Symbole Informationen des markierten Projektes.";
    addTooltip(tooltip_, handle(), control("lvwProjectData"), lowerTip);
    addTooltip(tooltip_, handle(), control("lvwProjectIcons"), lowerTip);
    addTooltip(tooltip_, handle(), control("txtDirectoryName"), "Verzeichnis der geladenen oder der zu speichernden Projekte.");

    subclassControl(control("txtDirectoryName"),
                    [this](HWND w, UINT m, WPARAM wp, LPARAM lp) { return directoryBoxMessage(w, m, wp, lp); });
    subclassControl(control("lvwProjects"), [this](HWND w, UINT m, WPARAM wp, LPARAM lp) { return projectListMessage(w, m, wp, lp); });

    directoryChanged();
    statusChanged();
    applyLayout();
}

HWND MainWindow::control(const std::string& name) const {
    const auto it = controls_.find(name);
    return it == controls_.end() ? nullptr : it->second;
}

void MainWindow::applyLayout() {
    RECT client;
    GetClientRect(handle(), &client);
    MainLayout& layout = form_.layout();
    layout.resize(static_cast<int>(pixelsToTwips(client.right, dpi_)), static_cast<int>(pixelsToTwips(client.bottom, dpi_)));
    HDWP batch = BeginDeferWindowPos(static_cast<int>(layout.rects().size()));
    for (const auto& [name, r] : layout.rects()) {
        HWND c = control(name);
        if (c && batch)
            batch = DeferWindowPos(batch, c, nullptr, px(r.left), px(r.top), px(r.width), px(r.height), SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (batch) EndDeferWindowPos(batch);
    InvalidateRect(handle(), nullptr, TRUE);
}

void MainWindow::applyFont() {
    if (!font_.get()) return;
    for (const auto& [name, c] : controls_) SendMessageW(c, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), TRUE);
}

void MainWindow::onDpiChanged(int dpi, const RECT& suggested) {
    dpi_ = dpi > 0 ? dpi : 96;
    const UniqueGdiObject previous = font_.remake(dpi_);  // in use until every control has the new one
    applyFont();
    for (auto* mirror : {projects_.get(), projectData_.get(), projectIcons_.get()})
        if (mirror) mirror->setDotsPerInch(dpi_);
    SetWindowPos(handle(), nullptr, suggested.left, suggested.top, suggested.right - suggested.left, suggested.bottom - suggested.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    applyLayout();  // also when the suggested size is the size the window has
}

void MainWindow::paintFrames() {
    // The frames are drawn, not child windows: a group box window would hide what lies inside it.
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(handle(), &ps);
    const MainLayout& layout = form_.layout();
    Selection font(dc, font_.get());
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    for (const auto& [name, caption] : {std::pair<const char*, const wchar_t*>{"fraProject", L""},
                                        {"fraMain", L"Desktopsymbole sichern / wieder herstellen"},
                                        {"fraButtons", L""}}) {
        const ControlRect& r = layout.rect(name);
        RECT edge{px(r.left), px(r.top) + MulDiv(6, dpi_, 96), px(r.right()), px(r.bottom())};
        DrawEdge(dc, &edge, EDGE_ETCHED, BF_RECT);
        if (*caption)
            TextOutW(dc, edge.left + MulDiv(8, dpi_, 96), edge.top - MulDiv(7, dpi_, 96), caption, static_cast<int>(wcslen(caption)));
    }
    EndPaint(handle(), &ps);
}

void MainWindow::closeWindow() {
    // Posted: the window must not go away inside the handler that is running now.
    if (handle()) PostMessageW(handle(), kCloseMessage, 0, 0);
}

void MainWindow::commandChanged(CommandId id) {
    HWND b = control(kCommandControl[static_cast<int>(id)]);
    if (!b) return;
    const CommandLabel& c = form_.command(id);
    SetWindowTextW(b, widen(c.caption).c_str());
    EnableWindow(b, c.enabled);
    SendMessageW(b, kLabelButtonSetPressed, c.pressedLook, 0);
    SendMessageW(b, kLabelButtonSetForeColor, toColorRef(c.foreColor), 0);
    UpdateWindow(b);
}

void MainWindow::statusChanged() {
    SetWindowTextW(control("lblInfo"), widen(form_.lblInfo().text).c_str());
    SetWindowTextW(control("lblInfoMonitore"), widen(form_.lblInfoMonitore().text).c_str());
    for (const char* name : {"lblInfo", "lblInfoMonitore"}) {
        InvalidateRect(control(name), nullptr, TRUE);
        UpdateWindow(control(name));
    }
}

void MainWindow::directoryChanged() {
    HWND edit = control("txtDirectoryName");
    if (!edit) return;
    const std::wstring text = widen(form_.directory());
    std::wstring shown(static_cast<std::size_t>(GetWindowTextLengthW(edit)) + 1, L'\0');
    GetWindowTextW(edit, shown.data(), static_cast<int>(shown.size()));
    shown.resize(shown.size() - 1);
    if (shown != text) SetWindowTextW(edit, text.c_str());
}

void MainWindow::protocolCreated(Protocol& protocol) { protocolWindow_ = std::make_unique<ProtocolWindow>(protocol); }

void MainWindow::protocolDestroyed() { protocolWindow_.reset(); }

void MainWindow::showProtocol() {
    if (protocolWindow_) {
        protocolWindow_->refreshStatus();
        protocolWindow_->show();
    }
}

void MainWindow::showAbout() { runAboutBox(handle(), makeAboutInfo(form_.program().webAddress), form_.platform()); }

void MainWindow::popupMenu(MenuId id) {
    const Menu& menu = form_.menu(id);
    HMENU popup = CreatePopupMenu();
    for (const auto& item : menu.items) {
        if (item.separator())
            AppendMenuW(popup, MF_SEPARATOR, 0, nullptr);
        else
            AppendMenuW(popup, MF_STRING | (item.enabled ? 0 : MF_GRAYED), static_cast<UINT_PTR>(item.index), widen(item.caption).c_str());
    }
    POINT at;
    GetCursorPos(&at);
    const int chosen = TrackPopupMenu(popup, TPM_RETURNCMD | TPM_LEFTALIGN | TPM_RIGHTBUTTON, at.x, at.y, 0, handle(), nullptr);
    DestroyMenu(popup);
    if (chosen > 0) guarded([&] { form_.menuClick(id, chosen); });
}

void MainWindow::setBusyCursor(bool busy) {
    busy_ = busy;
    SetCursor(LoadCursorW(nullptr, busy ? IDC_WAIT : IDC_ARROW));
}

std::uintptr_t MainWindow::progressBarTarget() { return reinterpret_cast<std::uintptr_t>(control("picProgressBar")); }

void MainWindow::progressBarCreated(ProgressBar& bar) { bindProgressBar(bar); }

void MainWindow::progressBarRemoved() { InvalidateRect(control("picProgressBar"), nullptr, TRUE); }

void MainWindow::onCommand(int id, int code) {
    if (id >= kIdLblCmdProjectSave && id <= kIdLblCmdClose) {
        const auto command = static_cast<CommandId>(id - kIdLblCmdProjectSave);
        if (code == kLabelButtonDown) guarded([&] { form_.commandMouseDown(command, MouseButton::Left); });
        if (code == kLabelButtonUp) guarded([&] { form_.commandMouseUp(command, MouseButton::Left); });
        if (code == kLabelButtonReleasedOutside) guarded([&] { form_.commandReleasedOutside(command); });
        return;
    }
    if (id == kIdImgMain && code == STN_CLICKED) {
        guarded([&] { form_.imgMainClick(); });
        return;
    }
    if (id == kIdTxtDirectoryName && code == EN_KILLFOCUS) {
        HWND edit = control("txtDirectoryName");
        std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(edit)) + 1, L'\0');
        GetWindowTextW(edit, text.data(), static_cast<int>(text.size()));
        text.resize(text.size() - 1);
        guarded([&] { form_.directoryLeft(narrow(text)); });
    }
}

// Enter in the directory box is the box's own business, not the dialog manager's.
LRESULT MainWindow::directoryBoxMessage(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    if (m == WM_KEYDOWN && wp == VK_RETURN) {
        std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(w)) + 1, L'\0');
        GetWindowTextW(w, text.data(), static_cast<int>(text.size()));
        text.resize(text.size() - 1);
        guarded([&] { form_.directoryEntered(narrow(text)); });
        return 0;
    }
    if (m == WM_CHAR && wp == L'\r') return 0;  // no beep
    return passToControl(w, m, wp, lp);
}

// The project list reports released keys: the selection has moved by then.
LRESULT MainWindow::projectListMessage(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    if (m == WM_KEYUP) guarded([&] { form_.projectListKeyUp(static_cast<int>(wp)); });
    return passToControl(w, m, wp, lp);
}

LRESULT MainWindow::handleMessage(UINT m, WPARAM wp, LPARAM lp) {
    switch (m) {
    case WM_SIZE:
        if (!controls_.empty()) applyLayout();
        return 0;
    case WM_PAINT: paintFrames(); return 0;
    case WM_DPICHANGED:
        if (!controls_.empty()) onDpiChanged(HIWORD(wp), *reinterpret_cast<const RECT*>(lp));
        return 0;
    case WM_GETMINMAXINFO: reinterpret_cast<MINMAXINFO*>(lp)->ptMinTrackSize = {320, 240}; return 0;
    case WM_TIMER:
        if (wp == kDeferredCommandTimer) {
            KillTimer(handle(), kDeferredCommandTimer);
            guarded([&] { form_.timerFired(); });
            if (IsWindow(handle())) SetPropW(handle(), kCommandDoneProperty, reinterpret_cast<HANDLE>(1));
        }
        return 0;
    case WM_COMMAND: onCommand(LOWORD(wp), HIWORD(wp)); return 0;
    case WM_NOTIFY: {
        auto* header = reinterpret_cast<NMHDR*>(lp);
        if ((header->code == NM_CLICK || header->code == NM_RCLICK) && header->idFrom == kIdLvwProjects) {
            const int row = reinterpret_cast<NMITEMACTIVATE*>(lp)->iItem;
            const MouseButton button = header->code == NM_CLICK ? MouseButton::Left : MouseButton::Right;
            guarded([&] { form_.projectListMouseUp(button, row); });
            return 0;
        }
        if (header->code == NM_RCLICK && header->idFrom == kIdLvwProjectIcons) {
            guarded([&] {
                if (!form_.longActionRunning() && iconListOpensMenu(form_, MouseButton::Right)) popupMenu(MenuId::Icon);
            });
            return 0;
        }
        if (header->code == NM_DBLCLK && header->idFrom == kIdLvwProjectIcons) {
            guarded([&] { showIconRowMessage(form_); });
            return 0;
        }
        for (auto* mirror : {projects_.get(), projectData_.get(), projectIcons_.get()})
            if (mirror && header->hwndFrom == mirror->handle()) return mirror->onNotify(header);
        return 0;
    }
    case WM_DRAWITEM: {
        auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(lp);
        if (item->CtlID != kIdPicProgressBar) break;
        FillRect(item->hDC, &item->rcItem, GetSysColorBrush(COLOR_BTNFACE));
        if (form_.progressBar()) form_.progressBar()->Paint();
        return TRUE;
    }
    case WM_CTLCOLORSTATIC: {
        HWND c = reinterpret_cast<HWND>(lp);
        HDC dc = reinterpret_cast<HDC>(wp);
        SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
        if (c == control("lblInfo"))
            SetTextColor(dc, toColorRef(form_.lblInfo().foreColor));
        else if (c == control("lblInfoMonitore"))
            SetTextColor(dc, toColorRef(form_.lblInfoMonitore().foreColor));
        return reinterpret_cast<LRESULT>(background_);
    }
    case WM_SETCURSOR:
        if (busy_) {
            SetCursor(LoadCursorW(nullptr, IDC_WAIT));
            return TRUE;
        }
        if (reinterpret_cast<HWND>(wp) == control("imgMain")) {
            SetCursor(LoadCursorW(nullptr, IDC_HAND));
            return TRUE;
        }
        break;
    case WM_CLOSE: {
        bool close = false;
        guarded([&] { close = form_.requestClose(); });
        if (close) DestroyWindow(handle());
        return 0;
    }
    case kCloseMessage: DestroyWindow(handle()); return 0;
    case WM_DESTROY:
        KillTimer(handle(), kDeferredCommandTimer);
        PostQuitMessage(0);
        return 0;
    }
    return defaultHandling(m, wp, lp);
}

}  // namespace plenvik::win32
