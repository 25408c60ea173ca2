// The main window's controller: start-up, the command line and its deferred command, the seven command
// labels with their run/cancel protocol, the menus, the lists and status lines, the protocol of runs,
// and the end of the program. It decides; the Win32 view shows (src/app/win32/).
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "app/MainActions.h"
#include "app/MainLayout.h"
#include "app/MainMenus.h"
#include "project/CurrentDesktop.h"
#include "project/LoadedProject.h"
#include "run/RunContext.h"
#include "run/RunFeedback.h"
#include "settings/Settings.h"
#include "ui/MainLists.h"
#include "ui/PictureView.h"
#include "ui/ProgressBar.h"

namespace plenvik {

class ErrorHandler;
class MainView;
class Protocol;
struct Platform;

enum class CommandId { ProjectSave, DesktopRestore, ChangeDesktopSettings, Settings, Protokoll, DirChoose, Close };
enum class MouseButton { Left, Right, Middle };

inline constexpr std::uint32_t kColorButtonText = 0x80000012;

struct CommandLabel {
    CommandId id;
    std::string name;            // lblCmdProjectSave
    std::string defaultCaption;  // the caption when idle
    std::string caption;
    std::string tag;  // "" idle, "DOWN" pressed, "RUN" its action runs
    bool longRunning = false;
    bool enabled = true;
    bool pressedLook = false;  // tool-tip background, opaque, single border
    std::uint32_t foreColor = kColorButtonText;
};

struct StatusLine {
    std::string text;
    std::uint32_t foreColor = kColorWindowText;
};

// Values the whole program shares.
struct ProgramState {
    bool cancel = false;               // set by a confirmed cancel; the runs poll and reset it
    std::int32_t diagnosticFlags = 0;  // bit 64: the error report shows an extra message box
    std::string webAddress;
};

inline constexpr const char* kCancelCaption = "Aktion abbrechen...";
inline constexpr const char* kMakerWebAddress = "https://www.orvel.example/plenvik";

class MainController : public RunFeedback {
public:
    MainController(Platform& platform, ErrorHandler& errors, MainActions& actions);
    ~MainController();
    MainController(const MainController&) = delete;
    MainController& operator=(const MainController&) = delete;

    void setView(MainView* view) { view_ = view; }
    Platform& platform() { return platform_; }
    ErrorHandler& errors() { return errors_; }
    ProgramState& program() { return program_; }

    // Window load, with the command line without the program's path.
    void load(std::string_view commandLine);
    // The timer fires once, 500 ms after the window appeared.
    static constexpr int kTimerIntervalMs = 500;
    bool timerEnabled() const { return timerEnabled_; }
    void timerFired();
    bool executeCommandLine();
    // Unloads the main window: the program ends.
    void endProgram();
    // The window's close box. False while a long action runs: the user is asked to cancel it first.
    bool requestClose();
    // Drops the protocol window and empties the tables; the window is going.
    void unload();
    bool ended() const { return ended_; }

    // Command labels.
    const std::vector<CommandLabel>& commands() const { return commands_; }
    const CommandLabel& command(CommandId id) const;
    void setCommandEnabled(CommandId id, bool enabled);
    void commandMouseDown(CommandId id, MouseButton button);
    void commandMouseUp(CommandId id, MouseButton button);
    // The left button went up outside a pressed label (or the label lost the mouse): it is not pressed.
    void commandReleasedOutside(CommandId id);
    // "DOWN" and the release with the left button, as the deferred command and menu item 6 do.
    void pressCommand(CommandId id);
    bool longActionRunning() const;
    // Runs work as command id runs its action: the label shows the cancel caption, a second run cannot
    // start, and closing the window asks to cancel and waits for the end. False (nothing run) when the
    // command runs already.
    bool runAsCommand(CommandId id, const std::function<void()>& work);
    // The cancel question for a running action ("'Desktop Projekt erstellen/speichern'"); Yes sets
    // the cancel flag.
    void askCancel(const std::string& actionName);

    // Menus.
    std::vector<Menu>& menus() { return menus_; }
    Menu& menu(MenuId id);
    void menuClick(MenuId id, int index);
    void imgMainClick();

    // The lists mirror the project shown (or the live desktop) and the project files.
    MainLists lists;
    // The project list's mouse button released over row (-1: none) and key released (virtual key code).
    void projectListMouseUp(MouseButton button, int row);
    void projectListKeyUp(int keyCode);
    // The list's selection went away (a click beside the rows, Ctrl+click): no row is selected any more.
    void projectListDeselected();
    // Key of the project row whose data the lower lists show ("" before the first).
    std::string shownProjectKey;
    // "RUNNING" while a project row is being shown: the list keeps its selection meanwhile.
    std::string projectListTag;

    // Status lines.
    const StatusLine& lblInfo() const { return lblInfo_; }
    const StatusLine& lblInfoMonitore() const { return lblInfoMonitore_; }
    const std::string& info() const override { return lblInfo_.text; }
    void setInfo(const std::string& text) override;
    void setInfoColor(std::uint32_t color) override;
    const std::string& monitorInfo() const override { return lblInfoMonitore_.text; }
    void setMonitorInfo(const std::string& text) override;
    void setMonitorInfoColor(std::uint32_t color) override;

    // The project directory box and its last accepted value.
    const std::string& directory() const { return txtDirectoryName_; }
    const std::string& directoryTag() const { return txtDirectoryNameTag_; }
    void setDirectory(const std::string& text, bool alsoTag);
    // Enter in the directory box searches at once; leaving it searches when the text has changed.
    // While a save or restore runs the text is kept and the search waits for the run's end.
    void directoryEntered(const std::string& text);
    void directoryLeft(const std::string& text);
    // The normal start's search: placeholder row, restore disabled, all project files of the folder.
    void searchProjects();
    // The start with a project file: its folder becomes the project directory and the project is shown
    // (its analysis; nothing on the desktop changes). A file that is not there is reported, and the
    // program starts normally.
    void openProject();

    // The user's settings (Settings.xml).
    Settings& settings() { return settings_; }
    void applySettings(const Settings& values);
    Settings currentSettings() const { return settings_; }

    // The command line.
    std::string commandWord;
    std::string restoreFile;
    // The project file the program was started with (opened from Explorer); empty otherwise.
    std::string openFile;

    // The protocol of runs (created by the first start or by the protocol command).
    Protocol* protocol() { return protocol_.get(); }
    void startProtocol(const std::string& title) override;
    void addToProtocol(const std::string& text) override;
    void closeProtocol(const std::string& result) override;
    void showProtocol();

    MainLayout& layout() { return layout_; }
    MainView* view() { return view_; }

    // What the runs work on: the live desktop as last read, and the project shown - a value made by a
    // load that succeeded, or none (the current desktop's row, an error row, a damaged file).
    CurrentDesktop& currentDesktop() { return current_; }
    const std::shared_ptr<const LoadedProject>& shownProject() const { return shownProject_; }
    void setShownProject(std::shared_ptr<const LoadedProject> project) { shownProject_ = std::move(project); }
    // The runs. The save's directory: empty takes the project directory; on return the directory used,
    // with a trailing backslash. True when the inventory (and the file) was completed.
    bool saveDesktop(std::string& directory, const std::string& fileName, bool currentOnly);
    // Loads the selected project anew, asks for confirmation (and about another computer, another user or
    // another number of monitors), then compares or restores. False only when the user declined one of
    // the mismatch questions.
    bool restoreSelectedProject(bool analyseOnly, bool fixMonitors);
    // An item of the icon list's pop-up menu, on the project shown.
    void runIconMenu(int index);

    // The context a run is handed: the platform, the handler, the settings, this window's feedback,
    // its lists and its picture.
    RunContext runContext() { return RunContext{platform_, errors_, settings_, *this, lists, *pictureView_}; }

    // ctlPictureView: the monitor picture.
    PictureView& pictureView() { return *pictureView_; }
    // The running run's progress bar in picProgressBar (none between runs).
    ProgressBar* progressBar() { return progressBar_.get(); }
    void startProgress(long maximum) override;
    void endProgress() override;
    void setProgress(long value) override;
    void setBusyCursor(bool busy) override;
    void pumpEvents() override;
    bool cancelRequested() const override { return program_.cancel; }
    void clearCancel() override { program_.cancel = false; }

private:
    CommandLabel& mutableCommand(CommandId id);
    void commandChanged(CommandId id);
    void runAction(CommandId id);
    Protocol& ensureProtocol();

    Platform& platform_;
    ErrorHandler& errors_;
    MainActions& actions_;
    MainView* view_ = nullptr;
    ProgramState program_;
    Settings settings_;
    CurrentDesktop current_;
    std::shared_ptr<const LoadedProject> shownProject_;
    std::vector<CommandLabel> commands_;
    std::vector<Menu> menus_;
    StatusLine lblInfo_, lblInfoMonitore_;
    std::string txtDirectoryName_, txtDirectoryNameTag_;
    std::unique_ptr<Protocol> protocol_;
    MainLayout layout_;
    std::unique_ptr<PictureView> pictureView_;
    std::unique_ptr<ProgressBar> progressBar_;
    bool timerEnabled_ = true;
    bool ended_ = false;
    bool closeAfterRun_ = false;
    bool directorySearchWaits_ = false;
};

}  // namespace plenvik
