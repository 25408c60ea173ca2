#include "restore/DesktopRestore.h"

#include <cmath>
#include <initializer_list>
#include <utility>

#include "common/Text.h"
#include "desktop/DesktopIcons.h"
#include "desktop/DesktopWindow.h"
#include "errors/Procedure.h"
#include "errors/RuntimeError.h"
#include "platform/Dialogs.h"
#include "platform/Platform.h"
#include "platform/SystemInfo.h"
#include "project/ProjectNames.h"
#include "system/UserIdentity.h"
#include "restore/MonitorRestore.h"
#include "restore/NewIcons.h"
#include "restore/RestoreCounters.h"
#include "restore/RestoreIconPass.h"
#include "ui/MainLists.h"
#include "ui/PictureView.h"

namespace plenvik {
namespace {

std::string mismatchText(const std::string& what, const std::string& sentence, const std::string& saved, const std::string& current,
                         const std::string& currentSuffix) {
    return "ACHTUNG!\r\n\r\n" + sentence + "\r\n\r\n" + what + "'" + saved + "' (Desktop Sicherung) \r\n" + what + "'" + current + "' " +
           currentSuffix + "\r\n\r\nMöchten Sie trotzdem wieder herstellen?";
}

bool askYesNo(Platform& platform, const std::string& title, const std::string& text, MsgIcon icon) {
    MessageBoxRequest q;
    q.title = title;
    q.text = text;
    q.buttons = MsgButtons::YesNo;
    q.icon = icon;
    return platform.dialogs.messageBox(q) == MsgAnswer::Yes;
}

}  // namespace

RestoreConfirmation confirmRestore(RunContext& context, const LoadedProject& project, CurrentDesktop& current) {
    Platform& p = context.platform;
    const ProjectHeader& h = project.header;
    // The project as its row in the project list shows it: each column's header and the file's value.
    const std::pair<ProjectColumn, const std::string*> shown[] = {{ProjectColumn::Version, &h.OrvelVersion},
                                                                  {ProjectColumn::Computer, &h.ComputerName},
                                                                  {ProjectColumn::User, &h.UserName},
                                                                  {ProjectColumn::DateTime, &h.DateTime},
                                                                  {ProjectColumn::MonitorCount, &h.MonitorCount},
                                                                  {ProjectColumn::IconCount, &h.IconCount}};
    const auto& columns = context.lists.projects.columns();
    std::string text = "Möchten Sie Ihren Desktop wirklich durch die Projektsicherung:\r\n\r\n";
    for (const auto& [column, value] : shown)
        if (static_cast<std::size_t>(column) < columns.size())
            text += columns[static_cast<std::size_t>(column)].header + ": " + *value + "\r\n";
    text += "\r\nwieder herstellen?";
    if (!askYesNo(p, "Desktop wieder herstellen...", text, MsgIcon::Question)) return RestoreConfirmation::Declined;

    const std::string title = "Desktop trotzdem wieder herstellen...";
    const std::string computer = computerName(p.system);
    if (h.ComputerName != computer &&
        !askYesNo(
            p, title,
            mismatchText("Computername: ", "Diese Desktop Sicherung stimmt mit Computername nicht mit dem aktuellen Computer überein:",
                         h.ComputerName, computer, "(Aktueller Computer)"),
            MsgIcon::Exclamation))
        return RestoreConfirmation::Mismatch;
    const std::string user = userName(p.system);
    if (h.UserName != user &&
        !askYesNo(
            p, title,
            mismatchText("Benutzername: ", "Diese Desktop Sicherung stimmt mit Benutzername nicht mit dem aktuellen Benutzer überein:",
                         h.UserName, user, "(Angemeldeter Benutzer)"),
            MsgIcon::Exclamation))
        return RestoreConfirmation::Mismatch;
    const std::size_t monitors = currentMonitorCount(p, context.errors, current);
    const auto saved = parseLong(h.MonitorCount);
    if ((!saved || *saved != static_cast<std::int32_t>(monitors)) &&
        !askYesNo(p, title,
                  mismatchText("Anzahl Monitore: ",
                               "Diese Desktop Sicherung stimmt mit Anzahl Monitore nicht mit der Anzahl aktueller Monitore überein:",
                               h.MonitorCount, std::to_string(monitors), "(Aktueller Computer)"),
                  MsgIcon::Exclamation))
        return RestoreConfirmation::Mismatch;
    return RestoreConfirmation::Run;
}

namespace {

// The "MAIN" row, the first of the data list, shows the view style.
void markStyleRow(ListModel& data) {
    if (!data.empty()) data.setForeColor(0, kColorRed);
}

// The view style and the snap-to-grid state: compared in analysis, set in a restore. Only the bits a
// restore sets (view type and auto-arrange) are compared, so that a desktop once restored compares equal.
void styleStep(RestoreRun& run) {
    RunContext& context = run.context;
    DesktopWindow desktop(context.platform.desktop);
    constexpr std::int32_t kStyleMask = 259;
    const std::int32_t saved = run.project.viewStyle;
    const std::int32_t arrange = run.project.arrangeStyle;
    const std::int32_t current = desktop.viewStyle();
    const bool styleDiffers = (saved & kStyleMask) != (current & kStyleMask);
    if (run.analyse) {
        if (styleDiffers) {
            markStyleRow(context.lists.projectData);
            run.log("Desktop 'Anzeigeart' muß gesetzt werden: (" + DesktopWindow::describeViewStyle(desktop.viewStyle()) + ")");
        }
        std::vector<IconItem> items;
        const int snapped = measureSnapToGrid(context.platform.desktop, context.errors, items, true);
        if (arrange != snapped) {
            markStyleRow(context.lists.projectData);
            run.log("Desktop 'am Raster ausrichten' muß gesetzt werden!");
        }
        return;
    }
    if (styleDiffers) {
        // Only view type and auto-arrange come from the file: its other bits are no business of a
        // restore (a file could otherwise disable the desktop window).
        desktop.setViewStyle(saved & kStyleMask, kStyleMask);
        run.log("Desktop 'Anzeigeart' gesetzt (" + DesktopWindow::describeViewStyle(desktop.viewStyle()) + ")");
    }
    if (arrange == 5) {
        desktop.setArrangeStyle(5);
        run.log("Desktop 'am Raster ausrichten' gesetzt!");
    }
}

std::string summaryCounts(const RestoreCounters& c) {
    return countsText({{c.correct, "korrekt"},
                       {c.corrected, "korrigiert"},
                       {c.notSet, "nicht gesetzt"},
                       {c.created, "erstellt"},
                       {c.notCreated, "nicht erstellt"}});
}

bool cancelEnd(RestoreRun& run) {
    RunFeedback& feedback = run.context.feedback;
    const RestoreCounters& c = run.counters;
    std::string counts = summaryCounts(c) + " - " + countsText({{c.fresh, "neu auf Desktop"}});
    if (c.deleted > 0) counts += " - " + countsText({{c.deleted, "gelöscht"}});
    feedback.setInfo("Abbruch: " + counts);
    run.log(feedback.info());
    feedback.closeProtocol("Abbruch durch Benutzer");
    feedback.clearCancel();
    return false;
}

bool abortEnd(RestoreRun& run) {
    run.context.feedback.setInfo("Abbruch: " + summaryCounts(run.counters));
    return false;
}

bool runAll(RestoreRun& run) {
    RunContext& context = run.context;
    RunFeedback& feedback = context.feedback;
    feedback.startProtocol(run.analyse ? "Desktop Symbole gegen Projektdatei prüfen..."
                                       : "Desktop Verweise aus Projektdatei wieder hererstellen...");
    feedback.setInfo("Bild und Desktop Style laden...");
    feedback.setMonitorInfo("");
    run.log(feedback.info());
    run.proc.step([&] { context.picture.OpenPicture(projectFilePath(context.platform.system.programFolder(), "Desktop.jpg")); });
    run.proc.step([&] { styleStep(run); });

    feedback.setInfo("Monitore ggf. wieder herstellen...");
    run.log(feedback.info());
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
        if (c.created != 0 || c.corrected != 0 || c.fresh != 0) feedback.setInfoColor(kColorRed);
        feedback.setInfo(
            countsText({{c.correct, "korrekt"}, {c.corrected, "zu setzen"}, {c.created, "zu erstellen"}, {c.fresh, "neu auf Desktop"}}));
    } else {
        if (c.created != 0 || c.corrected != 0 || c.notSet != 0 || c.notCreated != 0) feedback.setInfoColor(kColorRed);
        const std::string summary = summaryCounts(c) + " - " + countsText({{c.fresh, "neu auf Desktop"}});
        feedback.setInfo(summary);
        if (c.fresh >= 1 && askToRemoveNewIcons(run)) {
            bool completed = true;
            run.proc.step([&] { completed = removeNewIcons(run); });
            if (!completed) return cancelEnd(run);
            feedback.setInfo(summary + " - " + countsText({{run.counters.deleted, "gelöscht"}}));
        }
    }
    run.log(replaceAll(feedback.info(), "\r\n", " "));
    feedback.closeProtocol(run.analyse ? "Desktop Symbole Vergleich durchgeführt!"
                                       : "Desktop Verweise aus Projektdatei wieder hergestellt!");
    return true;
}

}  // namespace

bool restoreDesktop(RunContext& context, const LoadedProject& project, CurrentDesktop& current, RestoreMode mode) {
    Procedure proc(context.errors, "frmMain.fc_DesktopIconsLoadFromFile");
    RestoreRun run{context, project, current, proc, mode.analyseOnly, mode.fixMonitors, {}};
    bool reachedEnd = false;
    proc.run([&] { reachedEnd = runAll(run); });
    return reachedEnd;
}

}  // namespace plenvik
