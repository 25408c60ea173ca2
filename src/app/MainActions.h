// The work the main window's commands start. The controller decides when; these do it. Each later
// piece of the program (project list, save, restore, dialogs) plugs in here.
#pragma once

#include <functional>
#include <string>

#include "settings/DesktopSettingsCommand.h"
#include "settings/Settings.h"
#include "settings/SettingsDialog.h"

namespace plenvik {

class MainController;
enum class MouseButton;

class MainActions {
public:
    virtual ~MainActions() = default;
    // Reads Settings.xml at start-up.
    virtual Settings readSettings(MainController& form) = 0;
    // Fills the project list from a directory (all project files, or just onlyFile); false only when
    // the files cannot be analysed at all.
    virtual bool projectSearch(MainController& form, std::string& directory, const std::string& onlyFile) = 0;
    virtual void save(MainController& form) = 0;
    virtual void restore(MainController& form, bool analyseOnly, bool adaptMonitors) = 0;
    virtual void desktopSettings(MainController& form) = 0;
    virtual void settings(MainController& form) = 0;
    virtual void chooseDirectory(MainController& form) = 0;
    virtual void deleteProject(MainController& form) = 0;
    virtual void iconMenu(MainController& form, int index) = 0;
    // The project list's mouse button released over row (-1: none) and key released.
    virtual void projectListMouseUp(MainController& form, MouseButton button, int row) = 0;
    virtual void projectListKeyUp(MainController& form, int keyCode) = 0;
    // Selects the listed project file fileName and shows it, as a click on its row does.
    virtual void showProject(MainController& form, const std::string& fileName) = 0;
};

// What the program does before a piece is built: it tells the user so, in German, and changes nothing.
class UnavailableActions : public MainActions {
public:
    Settings readSettings(MainController& form) override;
    bool projectSearch(MainController& form, std::string& directory, const std::string& onlyFile) override;
    void save(MainController& form) override;
    void restore(MainController& form, bool analyseOnly, bool adaptMonitors) override;
    void desktopSettings(MainController& form) override;
    void settings(MainController& form) override;
    void chooseDirectory(MainController& form) override;
    void deleteProject(MainController& form) override;
    void iconMenu(MainController& form, int index) override;
    // Without the project list a right click only shows the project menu.
    void projectListMouseUp(MainController& form, MouseButton button, int row) override;
    void projectListKeyUp(MainController& form, int keyCode) override;
    void showProject(MainController& form, const std::string& fileName) override;

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

    Settings readSettings(MainController& form) override;
    void settings(MainController& form) override;
    void save(MainController& form) override;
    bool projectSearch(MainController& form, std::string& directory, const std::string& onlyFile) override;
    void restore(MainController& form, bool analyseOnly, bool adaptMonitors) override;
    void iconMenu(MainController& form, int index) override;
    void desktopSettings(MainController& form) override;
    void chooseDirectory(MainController& form) override;
    void deleteProject(MainController& form) override;
    void projectListMouseUp(MainController& form, MouseButton button, int row) override;
    void projectListKeyUp(MainController& form, int keyCode) override;
    void showProject(MainController& form, const std::string& fileName) override;

private:
    ShowSettingsDialog showSettingsDialog_;
    ShowDesktopDialog showDesktopDialog_;
};

}  // namespace plenvik
