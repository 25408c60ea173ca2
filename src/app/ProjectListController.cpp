#include "app/ProjectListController.h"

#include "app/MainView.h"
#include "app/MainController.h"
#include "common/Text.h"
#include "errors/Procedure.h"
#include "errors/RuntimeError.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/FileSystem.h"
#include "platform/Platform.h"
#include "project/DesktopSave.h"
#include "project/ProjectCatalog.h"
#include "system/FileBytes.h"
#include "project/ProjectAnalysis.h"
#include "project/ProjectFileReader.h"
#include "project/ProjectNames.h"
#include "system/UserIdentity.h"
#include "system/RecycleBin.h"

namespace plenvik {
namespace {

constexpr std::uint32_t kAttributeDirectory = 0x10;
constexpr const char* kCurrentDesktopSortKey = "99999999999";
constexpr int kKeyEnter = 13, kKeyEscape = 27, kKeySpace = 32, kKeyPageUp = 33, kKeyPageDown = 34, kKeyUp = 38, kKeyDown = 40,
              kKeyDelete = 46;

// Makes row r the error row of a file that is not well-formed.
void markErrorRow(ListModel& list, int r, const XmlParseError& error) {
    list.setText(r, "(Fehler in XML");
    list.setSmallIcon(r, "ERR");
    list.setSubItem(r, ProjectColumn::Info1, "Meldung: " + replaceAll(error.reason, "\r\n", " "));
    list.setSubItem(r, ProjectColumn::Info2,
                    "Position: " + std::to_string(error.offset) + " - Zeile: " + std::to_string(error.line) +
                        " - Zeilen Position: " + std::to_string(error.linePosition));
    list.setSubItem(r, ProjectColumn::Info3, "Daten: " + error.sourceText);
}

void addErrorRow(MainController& form, const std::string& directory, const std::string& fileName, const XmlParseError& error) {
    ListModel& list = form.lists.projects;
    const int r = list.add(fileName, "(Fehler in XML", "ERR");
    list.setSubItem(r, ProjectColumn::Directory, directory);
    list.setSubItem(r, ProjectColumn::File, fileName);
    markErrorRow(list, r, error);
}

void addProjectRow(MainController& form, const std::string& directory, const std::string& fileName, const ProjectHeader& h) {
    ListModel& list = form.lists.projects;
    const int r = list.add(fileName, h.OrvelVersion, "DESY");
    list.setSubItem(r, ProjectColumn::Computer, h.ComputerName);
    list.setSubItem(r, ProjectColumn::User, h.UserName);
    list.setSubItem(r, ProjectColumn::DateTime, h.DateTime);
    list.setSubItem(r, ProjectColumn::MonitorCount, h.MonitorCount);
    list.setSubItem(r, ProjectColumn::IconCount, h.IconCount);
    list.setSubItem(r, ProjectColumn::ViewStyle, h.DesktopViewStyle);
    list.setSubItem(r, ProjectColumn::ArrangeStyle, h.DesktopArrangeStyle);
    list.setSubItem(r, ProjectColumn::Directory, directory);
    list.setSubItem(r, ProjectColumn::File, fileName);
    if (h.ComputerName != computerName(form.platform().system)) {
        list.setGhosted(r, true);
        list.setForeColor(r, kColorGrey);
    }
    list.setSubItem(r, ProjectColumn::DateSortKey, projectDateSortKey(form.platform().locale, h.DateTime));
}

void listProjectFile(MainController& form, Procedure& proc, const std::string& directory, const std::string& fileName) {
    bool readable = true;
    const ProjectHeaderResult result = readListedHeader(form.platform().files, directory + fileName, readable);
    if (!readable) {
        // A file that cannot be read at all (locked, no permission) shows as an error row as well.
        XmlParseError error;
        error.reason = "Die Datei kann nicht gelesen werden.";
        addErrorRow(form, directory, fileName, error);
        return;
    }
    switch (result.error.status) {
    case ProjectReadStatus::Ok: addProjectRow(form, directory, fileName, result.header); break;
    case ProjectReadStatus::ParseError: addErrorRow(form, directory, fileName, result.error.parse); break;
    case ProjectReadStatus::NoDataRoot: {
        const int r = form.lists.projects.add(fileName, "(DATA nicht vorhanden");
        form.lists.projects.setSubItem(r, ProjectColumn::Directory, directory);
        form.lists.projects.setSubItem(r, ProjectColumn::File, fileName);
        break;
    }
    case ProjectReadStatus::MissingElement:
    case ProjectReadStatus::NotANumber: {
        const std::string message = "'" + fileName + "': " + result.error.message();
        proc.step([&] { throw RuntimeError(91, kAppTitle, message); });
        break;
    }
    }
}

int selectedRow(MainController& form) { return form.lists.projects.selectedIndex(); }

void reselectShownProject(MainController& form) {
    if (const int r = form.lists.projects.find(form.shownProjectKey); r >= 0) form.lists.projects.select(r);
}

void addDataRow(ListModel& data, const char* key, const char* text, const char* picture, const std::string& info) {
    data.setSubItem(data.add(key, text, picture), DataColumn::Information, info);
}

void setProjectMenuItem(MainController& form, int index, bool enabled) {
    if (MenuItem* item = form.menu(MenuId::Project).item(index)) item->enabled = enabled;
}

}  // namespace

bool searchProjectFiles(MainController& form, std::string& directory, const std::string& onlyFile) {
    Procedure proc(form.errors(), "frmMain.fc_DesktopIconSearchFiles");
    Platform& p = form.platform();
    if (!directory.empty() && directory.back() != '\\') directory += '\\';
    form.lists.projects.clear();
    form.lists.clearProjectData();
    form.setShownProject(nullptr);
    proc.run([&] {
        std::string pattern = directory + onlyFile;
        if (onlyFile.empty()) {
            ListModel& list = form.lists.projects;
            const int r = list.add("SYSTEM", "(aktuell)", "DESKTOP");
            list.setSubItem(r, ProjectColumn::Computer, computerName(p.system));
            list.setSubItem(r, ProjectColumn::User, userName(p.system));
            list.setSubItem(r, ProjectColumn::DateTime, p.locale.formatGeneralDate(p.clock.now()));
            list.setSubItem(r, ProjectColumn::MonitorCount, "");
            list.setSubItem(r, ProjectColumn::IconCount, "");
            list.setSubItem(r, ProjectColumn::DateSortKey, kCurrentDesktopSortKey);
            pattern = directory + std::string(kProjectFilePattern);
        }
        for (const FindEntry& entry : p.files.find(pattern)) {
            if (entry.attributes & kAttributeDirectory) continue;
            // A second file of the same name cannot be listed twice (one folder holds it once).
            if (form.lists.projects.find(entry.name) >= 0) continue;
            listProjectFile(form, proc, directory, entry.name);
        }
        form.lists.projects.resort();
        // The one file asked for is the row the command line's restore works on.
        if (!onlyFile.empty() && !form.lists.projects.empty()) form.lists.projects.select(0);
    });
    form.setBusyCursor(false);
    return true;
}

std::shared_ptr<const LoadedProject> showSelectedProject(MainController& form) {
    ListModel& projects = form.lists.projects;
    const int selected = selectedRow(form);
    if (selected < 0) return nullptr;
    const ListRow row = projects.row(selected);
    form.setBusyCursor(true);
    if (form.shownProjectKey.empty()) form.shownProjectKey = row.key;
    form.projectListTag = "RUNNING";
    form.lists.clearProjectData();
    // Whatever was shown before is gone: no run may act on it any more.
    form.setShownProject(nullptr);
    ListModel& data = form.lists.projectData;
    // An error row's cells say what is wrong with its file; they are shown as they are.
    const auto showError = [&](const ListRow& error) {
        addDataRow(data, "MAIN", "Fehler:", "", error.sub(ProjectColumn::Info1));
        addDataRow(data, "PATH", "    Verzeichnis:", "FOLDER", error.sub(ProjectColumn::Directory));
        addDataRow(data, "NAME", "    Datei:", "FILE", error.sub(ProjectColumn::File));
        addDataRow(data, "FILE1", "", "", error.sub(ProjectColumn::Info2));
        addDataRow(data, "FILE2", "", "", error.sub(ProjectColumn::Info3));
        form.setCommandEnabled(CommandId::ChangeDesktopSettings, false);
    };
    if (row.smallIcon == "ERR") {
        showError(row);
    } else if (row.smallIcon == "DESY" || row.smallIcon == "DESKTOP") {
        const std::string directory = row.sub(ProjectColumn::Directory), fileName = row.sub(ProjectColumn::File);
        data.add("MAIN", "Desktop Anzeige:", "DESKTOP");
        addDataRow(data, "PATH", "    Verzeichnis:", "FOLDER", directory);
        addDataRow(data, "NAME", "    Datei:", "FILE", fileName);
        if (row.key != "SYSTEM") {
            form.setCommandEnabled(CommandId::ChangeDesktopSettings, false);
            XmlParseError parseError;
            RunContext context = form.runContext();
            std::shared_ptr<const LoadedProject> project = analyseProjectFile(context, directory, fileName, &parseError);
            const bool loaded = project != nullptr;
            form.setShownProject(std::move(project));
            // A project that did not load completely can be neither compared nor restored.
            form.setCommandEnabled(CommandId::DesktopRestore, loaded);
            if (!loaded && !parseError.reason.empty()) {
                // Damaged after its header, which is all the list had read: now it is an error row.
                markErrorRow(projects, selected, parseError);
                form.lists.clearProjectData();
                showError(projects.row(selected));
            }
        } else {
            form.setCommandEnabled(CommandId::DesktopRestore, false);
            // Reading the live desktop is the save's run: Escape and closing can cancel it.
            form.runAsCommand(CommandId::ProjectSave, [&] {
                std::string folder;
                form.saveDesktop(folder, "", true);
            });
            form.setCommandEnabled(CommandId::ChangeDesktopSettings, true);
        }
    }
    form.shownProjectKey = row.key;
    form.projectListTag.clear();
    form.setBusyCursor(false);
    return form.shownProject();
}

void projectListMouseUp(MainController& form, MouseButton button, int row) {
    ListModel& list = form.lists.projects;
    if (!form.projectListTag.empty()) {
        reselectShownProject(form);
        return;
    }
    if (row < 0 || row >= list.size()) row = -1;
    if (button == MouseButton::Left) {
        if (row < 0) return;
        list.select(row);
        showSelectedProject(form);
        return;
    }
    if (button != MouseButton::Right) return;
    if (row >= 0 && list.row(row).smallIcon != "DESY") row = -1;
    if (row < 0) {
        setProjectMenuItem(form, 1, false);
        setProjectMenuItem(form, 2, false);
        setProjectMenuItem(form, 6, true);
        setProjectMenuItem(form, 7, false);
    } else {
        if (list.row(row).key != form.shownProjectKey) {
            list.select(row);
            showSelectedProject(form);
        }
        setProjectMenuItem(form, 1, true);
        setProjectMenuItem(form, 2, true);
        setProjectMenuItem(form, 6, false);
        setProjectMenuItem(form, 7, true);
    }
    if (form.view()) form.view()->popupMenu(MenuId::Project);
}

void projectListKeyUp(MainController& form, int keyCode) {
    ListModel& list = form.lists.projects;
    const int selected = selectedRow(form);
    switch (keyCode) {
    case kKeyUp:
    case kKeyDown:
    case kKeyPageUp:
    case kKeyPageDown:
    case kKeyEnter:
    case kKeySpace:
        if (!form.projectListTag.empty())
            reselectShownProject(form);
        else if (selected >= 0 && list.row(selected).key != form.shownProjectKey)
            showSelectedProject(form);
        break;
    case kKeyEscape:
        if (selected >= 0 && list.row(selected).smallIcon == "DESKTOP") form.askCancel("'Desktop Projekt erstellen/speichern'");
        break;
    case kKeyDelete:
        if (selected >= 0 && list.row(selected).smallIcon != "DESKTOP") deleteSelectedProject(form);
        break;
    default: break;
    }
}

void deleteSelectedProject(MainController& form) {
    ListModel& list = form.lists.projects;
    const int selected = selectedRow(form);
    if (selected < 0) return;
    const ListRow row = list.row(selected);
    // The current desktop and the placeholder have no file behind them.
    if (row.sub(ProjectColumn::File).empty()) return;
    Platform& p = form.platform();
    MessageBoxRequest q;
    q.title = "Desktop Projektdatei löschen...";
    q.text = "Möchten Sie die markierte Desktop Projekt Sicherung: '" + row.text + " wirklich löschen?";
    q.buttons = MsgButtons::YesNoCancel;
    q.icon = MsgIcon::Exclamation;
    if (p.dialogs.messageBox(q) != MsgAnswer::Yes) return;
    const std::string path = row.sub(ProjectColumn::Directory) + row.sub(ProjectColumn::File);
    // Into the recycle bin, so that a backup deleted by mistake can be brought back (for good only when
    // the user says so); a file that is still there afterwards keeps its row, so that the list never
    // shows a file as gone that is not.
    const Removal removal = p.files.exists(path) ? removeToRecycleBin(p.files, p.dialogs, path) : Removal::Recycled;
    if (removal == Removal::Kept) return;
    if (removal == Removal::Failed && p.files.exists(path)) {
        MessageBoxRequest failed;
        failed.title = "Desktop Projektdatei löschen...";
        failed.text = "Die Desktop Projektdatei '" + path + "' konnte nicht gelöscht werden.";
        failed.icon = MsgIcon::Exclamation;
        p.dialogs.messageBox(failed);
        return;
    }
    if (const int r = list.find(row.key); r >= 0) list.remove(r);
    form.lists.clearProjectData();
    form.setShownProject(nullptr);
    form.pictureView().PaintRectangle(-1, -1, 255, 255);
    form.shownProjectKey.clear();
}

void chooseProjectDirectory(MainController& form) {
    const auto chosen = form.platform().dialogs.browseForFolder(std::string(kAppTitle) + " - Projektverzeichnis", form.directory());
    if (!chosen) return;
    std::string folder = chosen->substr(0, chosen->find('\0'));
    while (folder.size() > 3 && folder.back() == '\\') folder.pop_back();
    form.directoryLeft(folder);
}

}  // namespace plenvik
