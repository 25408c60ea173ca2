// frmProtokoll: a tool window with the protocol list and a status bar (time, headline, "Schließen").
// It is created hidden when the first run starts, shown and hidden on request, never destroyed before
// the main window goes.
#pragma once

#include <windows.h>

#include <memory>

#include "platform/win32/Window.h"
#include "ui/Protocol.h"
#include "ui/win32/FormMetrics.h"
#include "ui/win32/ListViewMirror.h"

namespace plenvik::win32 {

inline constexpr const wchar_t* kProtocolWindowClass = L"PlenvikProtokoll";
inline constexpr int kProtocolListId = 201;
inline constexpr int kProtocolStatusId = 202;

class ProtocolWindow : public Window {
public:
    explicit ProtocolWindow(Protocol& protocol);
    ~ProtocolWindow() override;
    ProtocolWindow(const ProtocolWindow&) = delete;
    ProtocolWindow& operator=(const ProtocolWindow&) = delete;

    void show();
    void hide();
    // The headline of the run and the time panel.
    void refreshStatus();

private:
    LRESULT handleMessage(UINT m, WPARAM wp, LPARAM lp) override;
    void layout();

    Protocol& protocol_;
    HWND list_ = nullptr;
    HWND status_ = nullptr;
    FormMetrics metrics_;  // its resolution and font
    std::unique_ptr<ListViewMirror> mirror_;
};

}  // namespace plenvik::win32
