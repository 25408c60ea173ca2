// The work the main window's commands start. The controller decides when; these do it. Each later
// piece of the program (project list, save, restore, dialogs) plugs in here.
#pragma once

#include <functional>
#include <string>

#include "settings/DesktopSettingsCommand.h"
#include "settings/Settings.h"
#include "settings/frmSettings.h"

namespace plenvik {

class frmMain;
enum class MouseButton;

class MainActions {
public:
    virtual ~MainActions() = default;
    // Reads Settings.xml at start-up.
    virtual Settings readSettings(frmMain& form) = 0;
    // Fills the project list from a directory (all project files, or just onlyFile); false only when
    // the files cannot be analysed at all.
    virtual bool projectSearch(frmMain& form, std::string& directory, const std::string& onlyFile) = 0;
    virtual void save(frmMain& form) = 0;
    virtual void restore(frmMain& form, bool analyseOnly, bool adaptMonitors) = 0;
    virtual void desktopSettings(frmMain& form) = 0;
    virtual void settings(frmMain& form) = 0;
    virtual void chooseDirectory(frmMain& form) = 0;
    virtual void deleteProject(frmMain& form) = 0;
    virtual void iconMenu(frmMain& form, int index) = 0;
    // The project list's mouse button released over row (-1: none) and key released.
    virtual void projectListMouseUp(frmMain& form, MouseButton button, int row) = 0;
    virtual void projectListKeyUp(frmMain& form, int keyCode) = 0;
    // Selects the listed project file fileName and shows it, as a click on its row does.
    virtual void showProject(frmMain& form, const std::string& fileName) = 0;
};

// What the program does before a piece is built: it tells the user so, in German, and changes nothing.
class UnavailableActions : public MainActions {
public:
    Settings readSettings(frmMain& form) override;
    bool projectSearch(frmMain& form, std::string& directory, const std::string& onlyFile) override;
    void save(frmMain& form) override;
    void restore(frmMain& form, bool analyseOnly, bool adaptMonitors) override;
    void desktopSettings(frmMain& form) override;
    void settings(frmMain& form) override;
    void chooseDirectory(frmMain& form) override;
    void deleteProject(frmMain& form) override;
    void iconMenu(frmMain& form, int index) override;
    // Without the project list a right click only shows the project menu.
    void projectListMouseUp(frmMain& form, MouseButton button, int row) override;
    void projectListKeyUp(frmMain& form, int keyCode) override;
    void showProject(frmMain& form, const std::string& fileName) override;

    static constexpr const char* kNotAvailableText = "Diese Funktion ist in dieser Version noch nicht verfügbar.";
};

}  // namespace plenvik

namespace plenvik {

// The pieces that are built: the save, the project list, the comparison and restore, Settings.xml and the two settings dialogs. The dialog itself is shown by the
// view's function (a real window on Windows, a scripted one in tests).
class ProgramActions : public UnavailableActions {
public:
    using ShowSettingsDialog = std::function<SettingsDialogOutcome(const Settings& current)>;
    // Without a way to show the desktop settings, that command says it is not available.
    explicit ProgramActions(ShowSettingsDialog showSettingsDialog, ShowDesktopDialog showDesktopDialog = {})
        : showSettingsDialog_(std::move(showSettingsDialog)), showDesktopDialog_(std::move(showDesktopDialog)) {}

    Settings readSettings(frmMain& form) override;
    void settings(frmMain& form) override;
    void save(frmMain& form) override;
    bool projectSearch(frmMain& form, std::string& directory, const std::string& onlyFile) override;
    void restore(frmMain& form, bool analyseOnly, bool adaptMonitors) override;
    void iconMenu(frmMain& form, int index) override;
    void desktopSettings(frmMain& form) override;
    void chooseDirectory(frmMain& form) override;
    void deleteProject(frmMain& form) override;
    void projectListMouseUp(frmMain& form, MouseButton button, int row) override;
    void projectListKeyUp(frmMain& form, int keyCode) override;
    void showProject(frmMain& form, const std::string& fileName) override;

private:
    ShowSettingsDialog showSettingsDialog_;
    ShowDesktopDialog showDesktopDialog_;
};

}  // namespace plenvik
