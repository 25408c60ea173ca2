#include "restore/DesktopRestore.h"

#include <cmath>
#include <initializer_list>
#include <utility>

#include "app/frmMain.h"
#include "common/Text.h"
#include "desktop/DesktopIcons.h"
#include "desktop/clsDesktop.h"
#include "errors/Procedure.h"
#include "errors/RuntimeError.h"
#include "platform/Dialogs.h"
#include "platform/Platform.h"
#include "platform/SystemInfo.h"
#include "project/ProjectList.h"
#include "project/ProjectNames.h"
#include "project/UserIdentity.h"
#include "restore/MonitorRestore.h"
#include "restore/NewIcons.h"
#include "restore/RestoreCounters.h"
#include "restore/RestoreIconPass.h"

namespace plenvik {
namespace {

std::string mismatchText(const std::string& what, const std::string& sentence, const std::string& saved, const std::string& current,
                         const std::string& currentSuffix) {
    return "ACHTUNG!\r\n\r\n" + sentence + "\r\n\r\n" + what + "'" + saved + "' (Desktop Sicherung) \r\n" + what + "'" + current + "' " +
           currentSuffix + "\r\n\r\nMöchten Sie trotzdem wieder herstellen?";
}

bool askYesNo(frmMain& form, const std::string& title, const std::string& text, MsgIcon icon) {
    MessageBoxRequest q;
    q.title = title;
    q.text = text;
    q.buttons = MsgButtons::YesNo;
    q.icon = icon;
    return form.platform().dialogs.messageBox(q) == MsgAnswer::Yes;
}

enum class Confirmation { Run, Declined, Mismatch };

Confirmation confirm(frmMain& form, const ListRow& row) {
    Platform& p = form.platform();
    std::string text = "Möchten Sie Ihren Desktop wirklich durch die Projektsicherung:\r\n\r\n";
    const auto& columns = form.lvwProjects.columns();
    for (std::size_t c = 0; c < 6 && c < columns.size(); ++c)
        text += columns[c].header + ": " + (c == 0 ? row.text : row.sub(c)) + "\r\n";
    text += "\r\nwieder herstellen?";
    if (!askYesNo(form, "Desktop wieder herstellen...", text, MsgIcon::Question)) return Confirmation::Declined;

    const std::string title = "Desktop trotzdem wieder herstellen...";
    const std::string computer = fc_ComputerNameGet(p.system);
    if (row.sub(1) != computer &&
        !askYesNo(form, title,
                  mismatchText("Computername: ", "Diese Desktop Sicherung stimmt mit Computername nicht mit dem aktuellen Computer überein:",
                               row.sub(1), computer, "(Aktueller Computer)"),
                  MsgIcon::Exclamation))
        return Confirmation::Mismatch;
    const std::string user = fc_UserNameGet(p.system);
    if (row.sub(2) != user &&
        !askYesNo(form, title,
                  mismatchText("Benutzername: ", "Diese Desktop Sicherung stimmt mit Benutzername nicht mit dem aktuellen Benutzer überein:",
                               row.sub(2), user, "(Angemeldeter Benutzer)"),
                  MsgIcon::Exclamation))
        return Confirmation::Mismatch;
    const std::size_t monitors = currentMonitorCount(form);
    const auto saved = parseLong(row.sub(4));
    if ((!saved || *saved != static_cast<std::int32_t>(monitors)) &&
        !askYesNo(form, title,
                  mismatchText("Anzahl Monitore: ",
                               "Diese Desktop Sicherung stimmt mit Anzahl Monitore nicht mit der Anzahl aktueller Monitore überein:",
                               row.sub(4), std::to_string(monitors), "(Aktueller Computer)"),
                  MsgIcon::Exclamation))
        return Confirmation::Mismatch;
    return Confirmation::Run;
}

// The view style and the snap-to-grid state: compared in analysis, set in a restore. Only the bits a
// restore sets (view type and auto-arrange) are compared, so that a desktop once restored compares equal.
void styleStep(RestoreRun& run, const ListRow& project) {
    frmMain& form = run.form;
    clsDesktop desktop(form.platform().desktop);
    constexpr std::int32_t kStyleMask = 259;
    const std::int32_t saved = parseLong(project.sub(6)).value_or(0);
    const std::int32_t arrange = parseLong(project.sub(7)).value_or(0);
    const std::int32_t current = desktop.fc_DesktopViewStyleGet();
    const bool styleDiffers = (saved & kStyleMask) != (current & kStyleMask);
    if (run.analyse) {
        if (styleDiffers) {
            form.sb_ListItemColorSet(form.lvwProjectData, 0, kColorRed);
            run.log("Desktop 'Anzeigeart' muß gesetzt werden: (" +
                    clsDesktop::fc_DesktopViewStyleInformation(desktop.fc_DesktopViewStyleGet()) + ")");
        }
        std::vector<IconItem> items;
        const int snapped = fc_DesktopIconCheckSnapToGrid(form.platform().desktop, form.errors(), items, true);
        if (arrange != snapped) {
            form.sb_ListItemColorSet(form.lvwProjectData, 0, kColorRed);
            run.log("Desktop 'am Raster ausrichten' muß gesetzt werden!");
        }
        return;
    }
    if (styleDiffers) {
        // Only view type and auto-arrange come from the file: its other bits are no business of a
        // restore (a file could otherwise disable the desktop window).
        desktop.fc_DesktopViewStyleSet(saved & kStyleMask, kStyleMask);
        run.log("Desktop 'Anzeigeart' gesetzt (" + clsDesktop::fc_DesktopViewStyleInformation(desktop.fc_DesktopViewStyleGet()) + ")");
    }
    if (arrange == 5) {
        desktop.fc_DesktopArrangeStyleSet(5);
        run.log("Desktop 'am Raster ausrichten' gesetzt!");
    }
}

std::string summaryCounts(const RestoreCounters& c) {
    return countsText({{c.correct, "korrekt"}, {c.corrected, "korrigiert"}, {c.notSet, "nicht gesetzt"}, {c.created, "erstellt"},
                       {c.notCreated, "nicht erstellt"}});
}

bool cancelEnd(RestoreRun& run) {
    frmMain& form = run.form;
    const RestoreCounters& c = run.counters;
    form.setInfo("Abbruch: " + summaryCounts(c) + " - " + countsText({{c.fresh, "neu auf Desktop"}}));
    run.log(form.lblInfo().text);
    form.sb_ProtokollClose("Abbruch durch Benutzer");
    form.program().cancel = false;
    return false;
}

bool abortEnd(RestoreRun& run) {
    run.form.setInfo("Abbruch: " + summaryCounts(run.counters));
    return false;
}

bool runAll(RestoreRun& run, const ListRow& project) {
    frmMain& form = run.form;
    form.sb_ProtokollStart(run.analyse ? "Desktop Symbole gegen Projektdatei prüfen..."
                                       : "Desktop Verweise aus Projektdatei wieder hererstellen...");
    form.setInfo("Bild und Desktop Style laden...");
    form.setInfoMonitore("");
    run.log(form.lblInfo().text);
    run.proc.step([&] { form.pictureView().OpenPicture(projectFilePath(form.platform().system.programFolder(), "Desktop.jpg")); });
    run.proc.step([&] { styleStep(run, project); });

    form.setInfo("Monitore ggf. wieder herstellen...");
    run.log(form.lblInfo().text);
    run.proc.step([&] { monitorStep(run); });
    run.counters.correct = run.counters.corrected = run.counters.notSet = 0;

    for (int attempt = 0;; ++attempt) {
        const PassOutcome outcome = iconPass(run, attempt);
        if (outcome == PassOutcome::Cancelled) return cancelEnd(run);
        if (outcome == PassOutcome::Aborted) return abortEnd(run);
        if (run.analyse || attempt >= 3 || run.counters.notSet < 1) break;
        run.log("Symbole konnten nicht erfolgreich gesetzt werden Anzahl (" + std::to_string(attempt + 1) + ") => Versuch " +
                std::to_string(attempt + 2) + " ...");
    }
    if (!findNewIcons(run)) return cancelEnd(run);

    const RestoreCounters& c = run.counters;
    if (run.analyse) {
        if (c.created != 0 || c.corrected != 0 || c.fresh != 0) form.setInfoColor(kColorRed);
        form.setInfo(countsText({{c.correct, "korrekt"}, {c.corrected, "zu setzen"}, {c.created, "zu erstellen"}, {c.fresh, "neu auf Desktop"}}));
    } else {
        if (c.created != 0 || c.corrected != 0 || c.notSet != 0 || c.notCreated != 0) form.setInfoColor(kColorRed);
        const std::string summary = summaryCounts(c) + " - " + countsText({{c.fresh, "neu auf Desktop"}});
        form.setInfo(summary);
        if (c.fresh >= 1 && askToRemoveNewIcons(run)) {
            run.proc.step([&] { removeNewIcons(run); });
            form.setInfo(summary + " - " + countsText({{run.counters.deleted, "gelöscht"}}));
        }
    }
    run.log(replaceAll(form.lblInfo().text, "\r\n", " "));
    form.sb_ProtokollClose(run.analyse ? "Desktop Symbole Vergleich durchgeführt!" : "Desktop Verweise aus Projektdatei wieder hergestellt!");
    return true;
}

}  // namespace

bool fc_DesktopIconsRestore(frmMain& form, std::string& par_XMLFilename, bool par_OnlyAnalyse, bool par_FixMonitorPositions) {
    Procedure proc(form.errors(), "frmMain.fc_DesktopIconsRestore");
    bool result = true;
    form.setBusyCursor(true);
    proc.run([&] { proc.step([&] {
        ListModel& projects = form.lvwProjects;
        const int selected = projects.selectedIndex();
        // Only a project file can be restored; the current desktop's row and error rows have none.
        if (selected < 0 || projects.row(selected).smallIcon != "DESY") return;
        // The tables are loaded anew from the file, whatever the window showed before (a save fills them
        // with the live desktop): a run only ever works on the project it restores, and only on one
        // that loaded completely.
        if (!sb_ProjectShow(form)) return;
        const ListRow row = projects.row(projects.selectedIndex() >= 0 ? projects.selectedIndex() : selected);
        if (!par_OnlyAnalyse) {
            const Confirmation answer = confirm(form, row);
            if (answer == Confirmation::Declined) return;
            if (answer == Confirmation::Mismatch) {
                result = false;
                return;
            }
        }
        if (par_XMLFilename.empty()) par_XMLFilename = row.sub(11) + row.sub(12);
        fc_DesktopIconsLoadFromFile(form, par_XMLFilename, par_OnlyAnalyse, par_FixMonitorPositions);
    }); });
    form.setBusyCursor(false);
    return result;
}

bool fc_DesktopIconsLoadFromFile(frmMain& form, std::string&, bool par_OnlyAnalyse, bool par_FixMonitorPositions) {
    Procedure proc(form.errors(), "frmMain.fc_DesktopIconsLoadFromFile");
    RestoreRun run{form, proc, par_OnlyAnalyse, par_FixMonitorPositions, {}};
    const int selected = form.lvwProjects.selectedIndex();
    const ListRow project = selected >= 0 ? form.lvwProjects.row(selected) : ListRow{};
    bool reachedEnd = false;
    proc.run([&] { reachedEnd = runAll(run, project); });
    return reachedEnd;
}

}  // namespace plenvik
