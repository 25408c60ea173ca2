// The Win32 main window: mirrors MainController's models into real controls and turns clicks, keys and the
// timer into controller calls. It decides nothing.
#pragma once

#include <windows.h>

#include <map>
#include <memory>

#include "app/MainView.h"
#include "app/MainController.h"
#include "common/Twips.h"
#include "platform/win32/Window.h"
#include "ui/win32/DpiFont.h"
#include "ui/win32/ListViewMirror.h"
#include "ui/win32/PictureViewControl.h"
#include "ui/win32/ProtocolWindow.h"

namespace plenvik::win32 {

class MainWindow : public MainView, public Window {
public:
    explicit MainWindow(MainController& form);
    ~MainWindow() override;
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    // Loads the form with the command line, creates and shows the window, starts the timer.
    bool create(const std::string& commandLine, int showCommand);
    // The resolution the window is laid out at (it follows WM_DPICHANGED).
    int dotsPerInch() const { return dpi_; }

    void closeWindow() override;
    void commandChanged(CommandId id) override;
    void statusChanged() override;
    void directoryChanged() override;
    void protocolCreated(Protocol& protocol) override;
    void protocolDestroyed() override;
    void showProtocol() override;
    void showAbout() override;
    void popupMenu(MenuId menu) override;
    void setBusyCursor(bool busy) override;
    std::uintptr_t progressBarTarget() override;
    void progressBarCreated(ProgressBar& bar) override;
    void progressBarRemoved() override;

private:
    LRESULT handleMessage(UINT m, WPARAM wp, LPARAM lp) override;
    // The directory box takes Enter itself; the project list reports released keys.
    LRESULT directoryBoxMessage(HWND w, UINT m, WPARAM wp, LPARAM lp);
    LRESULT projectListMessage(HWND w, UINT m, WPARAM wp, LPARAM lp);
    void createControls();
    HWND control(const std::string& name) const;
    void applyLayout();
    void paintFrames();
    void onCommand(int id, int code);
    // The message font of the system, at the window's resolution, on every control.
    void applyFont();
    // The window moved to a screen of another resolution (or that screen's scaling changed).
    void onDpiChanged(int dpi, const RECT& suggested);
    // Runs a controller call; an end-the-program decision closes the program, and nothing escapes
    // into Windows' message dispatch.
    template <class F>
    void guarded(F&& f);
    int px(int twips) const { return twipsToPixels(twips, dpi_); }

    MainController& form_;
    int dpi_ = 96;
    std::map<std::string, HWND> controls_;
    std::unique_ptr<ListViewMirror> projects_, projectData_, projectIcons_;
    std::unique_ptr<ProtocolWindow> protocolWindow_;
    std::unique_ptr<PictureViewControl> pictureControl_;
    HWND tooltip_ = nullptr;
    DpiFont font_;  // the message font at dpi_
    HBRUSH background_ = nullptr;
    bool busy_ = false;
};

}  // namespace plenvik::win32
