#include "project/ProjectList.h"

#include <cstdio>

#include "app/MainView.h"
#include "app/frmMain.h"
#include "common/Text.h"
#include "errors/Procedure.h"
#include "errors/RuntimeError.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/FileSystem.h"
#include "platform/Platform.h"
#include "project/DesktopSave.h"
#include "project/FileBytes.h"
#include "project/ProjectAnalysis.h"
#include "project/ProjectFileReader.h"
#include "project/ProjectNames.h"
#include "project/UserIdentity.h"

namespace plenvik {
namespace {

constexpr std::uint32_t kAttributeDirectory = 0x10;
constexpr const char* kCurrentDesktopSortKey = "99999999999";
constexpr int kKeyEnter = 13, kKeyEscape = 27, kKeySpace = 32, kKeyPageUp = 33, kKeyPageDown = 34, kKeyUp = 38,
              kKeyDown = 40, kKeyDelete = 46;

bool validTime(const LocalTime& t) {
    return t.year >= 1900 && t.month >= 1 && t.month <= 12 && t.day >= 1 && t.day <= 31 && t.hour >= 0 && t.hour < 24 &&
           t.minute >= 0 && t.minute < 60 && t.second >= 0 && t.second < 60;
}

// The date forms a project written on another system may carry.
std::optional<LocalTime> parseOtherDateForms(const std::string& text) {
    LocalTime t;
    int used = 0;
    if (std::sscanf(text.c_str(), "%d.%d.%d %d:%d:%d%n", &t.day, &t.month, &t.year, &t.hour, &t.minute, &t.second, &used) == 6 &&
        static_cast<std::size_t>(used) == text.size() && validTime(t))
        return t;
    t = {};
    used = 0;
    if (std::sscanf(text.c_str(), "%d-%d-%d %d:%d:%d%n", &t.year, &t.month, &t.day, &t.hour, &t.minute, &t.second, &used) == 6 &&
        static_cast<std::size_t>(used) == text.size() && validTime(t))
        return t;
    t = {};
    used = 0;
    char half[3] = {};
    if (std::sscanf(text.c_str(), "%d/%d/%d %d:%d:%d %2s%n", &t.month, &t.day, &t.year, &t.hour, &t.minute, &t.second, half, &used) == 7 &&
        static_cast<std::size_t>(used) == text.size() && t.hour >= 1 && t.hour <= 12) {
        const std::string h = half;
        if (h == "AM" || h == "PM") {
            t.hour = t.hour % 12 + (h == "PM" ? 12 : 0);
            if (validTime(t)) return t;
        }
    }
    return std::nullopt;
}

// Makes row r the error row of a file that is not well-formed.
void markErrorRow(ListModel& list, int r, const XmlParseError& error) {
    list.setText(r, "(Fehler in XML");
    list.setSmallIcon(r, "ERR");
    list.setSubItem(r, 13, "Meldung: " + replaceAll(error.reason, "\r\n", " "));
    list.setSubItem(r, 14, "Position: " + std::to_string(error.offset) + " - Zeile: " + std::to_string(error.line) +
                               " - Zeilen Position: " + std::to_string(error.linePosition));
    list.setSubItem(r, 15, "Daten: " + error.sourceText);
}

void addErrorRow(frmMain& form, const std::string& directory, const std::string& fileName, const XmlParseError& error) {
    ListModel& list = form.lvwProjects;
    const int r = list.add(fileName, "(Fehler in XML", "ERR");
    list.setSubItem(r, 11, directory);
    list.setSubItem(r, 12, fileName);
    markErrorRow(list, r, error);
}

void addProjectRow(frmMain& form, const std::string& directory, const std::string& fileName, const ProjectHeader& h) {
    ListModel& list = form.lvwProjects;
    const int r = list.add(fileName, h.OrvelVersion, "DESY");
    list.setSubItem(r, 1, h.ComputerName);
    list.setSubItem(r, 2, h.UserName);
    list.setSubItem(r, 3, h.DateTime);
    list.setSubItem(r, 4, h.MonitorCount);
    list.setSubItem(r, 5, h.IconCount);
    list.setSubItem(r, 6, h.DesktopViewStyle);
    list.setSubItem(r, 7, h.DesktopArrangeStyle);
    list.setSubItem(r, 11, directory);
    list.setSubItem(r, 12, fileName);
    if (h.ComputerName != fc_ComputerNameGet(form.platform().system)) {
        list.setGhosted(r, true);
        form.sb_ListItemColorSet(list, r, kColorGrey);
    }
    list.setSubItem(r, 16, projectDateSortKey(form, h.DateTime));
}

// The header of a project file from the bytes before its icons, whose contents may run to
// gigabytes: the list reads no more. Where that part alone does not give the header (another element
// order, or an error in it), the whole file is read as before, so that every error row says what it
// always said. Damage after the header shows when the project is shown, whose reading is complete.
ProjectHeaderResult readListedHeader(FileSystem& files, const std::string& path, bool& readable) {
    readable = true;
    if (const auto head = readFileHead(files, path, {"<ICON_DATA"}); head && !head->whole) {
        ProjectHeaderResult fromHead = readProjectHeader(head->bytes + "</DATA>");
        if (fromHead.ok()) return fromHead;
    }
    const std::optional<std::string> bytes = readFileBytes(files, path);
    if (!bytes) {
        readable = false;
        return {};
    }
    return readProjectHeader(*bytes);
}

void listProjectFile(frmMain& form, Procedure& proc, const std::string& directory, const std::string& fileName) {
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
    case ProjectReadStatus::Ok:
        addProjectRow(form, directory, fileName, result.header);
        break;
    case ProjectReadStatus::ParseError:
        addErrorRow(form, directory, fileName, result.error.parse);
        break;
    case ProjectReadStatus::NoDataRoot: {
        const int r = form.lvwProjects.add(fileName, "(DATA nicht vorhanden");
        form.lvwProjects.setSubItem(r, 11, directory);
        form.lvwProjects.setSubItem(r, 12, fileName);
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

int selectedRow(frmMain& form) { return form.lvwProjects.selectedIndex(); }

void reselectShownProject(frmMain& form) {
    if (const int r = form.lvwProjects.find(form.shownProjectKey); r >= 0) form.lvwProjects.select(r);
}

void addDataRow(ListModel& data, const char* key, const char* text, const char* picture, const std::string& info) {
    data.setSubItem(data.add(key, text, picture), 1, info);
}

void setProjectMenuItem(frmMain& form, int index, bool enabled) {
    if (MenuItem* item = form.menu(MenuId::Project).item(index)) item->enabled = enabled;
}

}  // namespace

std::string projectDateSortKey(frmMain& form, const std::string& dateTime) {
    std::optional<LocalTime> t = form.platform().locale.parseGeneralDate(dateTime);
    if (!t) t = parseOtherDateForms(dateTime);
    return t ? timeKey(*t) : std::string();
}

bool fc_DesktopIconSearchFiles(frmMain& form, std::string& directory, const std::string& onlyFile) {
    Procedure proc(form.errors(), "frmMain.fc_DesktopIconSearchFiles");
    Platform& p = form.platform();
    if (!directory.empty() && directory.back() != '\\') directory += '\\';
    form.lvwProjects.clear();
    form.lvwProjectData.clear();
    form.lvwProjectIcons.clear();
    proc.run([&] {
        std::string pattern = directory + onlyFile;
        if (onlyFile.empty()) {
            ListModel& list = form.lvwProjects;
            const int r = list.add("SYSTEM", "(aktuell)", "DESKTOP");
            list.setSubItem(r, 1, fc_ComputerNameGet(p.system));
            list.setSubItem(r, 2, fc_UserNameGet(p.system));
            list.setSubItem(r, 3, p.locale.formatGeneralDate(p.clock.now()));
            list.setSubItem(r, 4, "");
            list.setSubItem(r, 5, "");
            list.setSubItem(r, 16, kCurrentDesktopSortKey);
            pattern = directory + std::string(kProjectFilePattern);
        }
        for (const FindEntry& entry : p.files.find(pattern)) {
            if (entry.attributes & kAttributeDirectory) continue;
            // A second file of the same name cannot be listed twice (one folder holds it once).
            if (form.lvwProjects.find(entry.name) >= 0) continue;
            listProjectFile(form, proc, directory, entry.name);
        }
        form.lvwProjects.resort();
        // The one file asked for is the row the command line's restore works on.
        if (!onlyFile.empty() && !form.lvwProjects.empty()) form.lvwProjects.select(0);
    });
    form.setBusyCursor(false);
    return true;
}

void sb_ProjectShow(frmMain& form) {
    ListModel& projects = form.lvwProjects;
    const int selected = selectedRow(form);
    if (selected < 0) return;
    const ListRow row = projects.row(selected);
    form.setBusyCursor(true);
    if (form.shownProjectKey.empty()) form.shownProjectKey = row.key;
    form.lvwProjectsTag = "RUNNING";
    form.lvwProjectData.clear();
    form.lvwProjectIcons.clear();
    ListModel& data = form.lvwProjectData;
    const auto showError = [&](const ListRow& error) {
        addDataRow(data, "MAIN", "Fehler:", "", error.sub(13));
        addDataRow(data, "PATH", "    Verzeichnis:", "FOLDER", error.sub(11));
        addDataRow(data, "NAME", "    Datei:", "FILE", error.sub(12));
        addDataRow(data, "FILE1", "", "", error.sub(14));
        addDataRow(data, "FILE2", "", "", error.sub(15));
        form.setCommandEnabled(CommandId::ChangeDesktopSettings, false);
    };
    if (row.smallIcon == "ERR") {
        showError(row);
    } else if (row.smallIcon == "DESY" || row.smallIcon == "DESKTOP") {
        data.add("MAIN", "Desktop Anzeige:", "DESKTOP");
        addDataRow(data, "PATH", "    Verzeichnis:", "FOLDER", row.sub(11));
        addDataRow(data, "NAME", "    Datei:", "FILE", row.sub(12));
        if (row.key != "SYSTEM") {
            form.setCommandEnabled(CommandId::ChangeDesktopSettings, false);
            XmlParseError parseError;
            const bool loaded = fc_DesktopIconsAnalyseFromFile(form, row.sub(11) + row.sub(12), &parseError);
            // A project that did not load completely can be neither compared nor restored.
            form.setCommandEnabled(CommandId::DesktopRestore, loaded);
            if (!loaded && !parseError.reason.empty()) {
                // Damaged after its header, which is all the list had read: now it is an error row.
                markErrorRow(projects, selected, parseError);
                data.clear();
                form.lvwProjectIcons.clear();
                showError(projects.row(selected));
            }
        } else {
            form.setCommandEnabled(CommandId::DesktopRestore, false);
            // Reading the live desktop is the save's run: Escape and closing can cancel it.
            form.runAsCommand(CommandId::ProjectSave, [&] {
                std::string directory;
                fc_DesktopIconsSaveToFile(form, directory, "", true);
            });
            form.setCommandEnabled(CommandId::ChangeDesktopSettings, true);
        }
    }
    form.shownProjectKey = row.key;
    form.lvwProjectsTag.clear();
    form.setBusyCursor(false);
}

void lvwProjects_MouseUp(frmMain& form, MouseButton button, int row) {
    ListModel& list = form.lvwProjects;
    if (!form.lvwProjectsTag.empty()) {
        reselectShownProject(form);
        return;
    }
    if (row < 0 || row >= list.size()) row = -1;
    if (button == MouseButton::Left) {
        if (row < 0) return;
        list.select(row);
        sb_ProjectShow(form);
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
            sb_ProjectShow(form);
        }
        setProjectMenuItem(form, 1, true);
        setProjectMenuItem(form, 2, true);
        setProjectMenuItem(form, 6, false);
        setProjectMenuItem(form, 7, true);
    }
    if (form.view()) form.view()->popupMenu(MenuId::Project);
}

void lvwProjects_KeyUp(frmMain& form, int keyCode) {
    ListModel& list = form.lvwProjects;
    const int selected = selectedRow(form);
    switch (keyCode) {
    case kKeyUp:
    case kKeyDown:
    case kKeyPageUp:
    case kKeyPageDown:
    case kKeyEnter:
    case kKeySpace:
        if (!form.lvwProjectsTag.empty()) reselectShownProject(form);
        else if (selected >= 0 && list.row(selected).key != form.shownProjectKey) sb_ProjectShow(form);
        break;
    case kKeyEscape:
        if (selected >= 0 && list.row(selected).smallIcon == "DESKTOP") form.askCancel("'Desktop Projekt erstellen/speichern'");
        break;
    case kKeyDelete:
        if (selected >= 0 && list.row(selected).smallIcon != "DESKTOP") sb_ProjectDelete(form);
        break;
    default:
        break;
    }
}

void sb_ProjectDelete(frmMain& form) {
    ListModel& list = form.lvwProjects;
    const int selected = selectedRow(form);
    if (selected < 0) return;
    const ListRow row = list.row(selected);
    // The current desktop and the placeholder have no file behind them.
    if (row.sub(12).empty()) return;
    Platform& p = form.platform();
    MessageBoxRequest q;
    q.title = "Desktop Projektdatei löschen...";
    q.text = "Möchten Sie die markierte Desktop Projekt Sicherung: '" + row.text + " wirklich löschen?";
    q.buttons = MsgButtons::YesNoCancel;
    q.icon = MsgIcon::Exclamation;
    if (p.dialogs.messageBox(q) != MsgAnswer::Yes) return;
    const std::string path = row.sub(11) + row.sub(12);
    // Into the recycle bin, so that a backup deleted by mistake can be brought back; a file that is
    // still there afterwards keeps its row, so that the list never shows a file as gone that is not.
    if (p.files.exists(path) && !p.files.recycle(path) && p.files.exists(path)) {
        MessageBoxRequest failed;
        failed.title = "Desktop Projektdatei löschen...";
        failed.text = "Die Desktop Projektdatei '" + path + "' konnte nicht gelöscht werden.";
        failed.icon = MsgIcon::Exclamation;
        p.dialogs.messageBox(failed);
        return;
    }
    if (const int r = list.find(row.key); r >= 0) list.remove(r);
    form.lvwProjectData.clear();
    form.lvwProjectIcons.clear();
    form.pictureView().PaintRectangle(-1, -1, 255, 255);
    form.shownProjectKey.clear();
}

void sb_ProjectDirectoryChoose(frmMain& form) {
    const auto chosen = form.platform().dialogs.browseForFolder(std::string(kAppTitle) + " - Projektverzeichnis", form.directory());
    if (!chosen) return;
    std::string folder = chosen->substr(0, chosen->find('\0'));
    while (folder.size() > 3 && folder.back() == '\\') folder.pop_back();
    form.txtDirectoryName_Leave(folder);
}

}  // namespace plenvik
