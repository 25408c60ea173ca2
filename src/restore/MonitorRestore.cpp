#include "restore/MonitorRestore.h"

#include "display/DesktopMonitors.h"
#include "display/clsMonitorScreens.h"
#include "platform/Platform.h"
#include "project/ProjectNames.h"
#include "restore/RestoreCounters.h"

namespace plenvik {
namespace {

std::int32_t cellNumber(const ListRow& row, std::size_t column) { return parseLong(row.sub(column)).value_or(0); }

}  // namespace

std::size_t currentMonitorCount(frmMain& form) {
    if (form.monitors.size() <= 1) fc_DesktopMonitorsGet(form.monitors, form.platform().displays, form.errors());
    return form.monitors.empty() ? 0 : form.monitors.size() - 1;
}

void monitorStep(RestoreRun& run) {
    frmMain& form = run.form;
    Platform& p = form.platform();
    clsMonitorScreens screens(p.displays);
    ListModel& data = form.lvwProjectData;
    RestoreCounters& c = run.counters;
    for (int r = 0; r < data.size(); ++r) {
        const ListRow row = data.row(r);
        if (row.key.rfind("MONITOR", 0) != 0 || row.key == "MONITOR") continue;
        form.sb_ListItemColorSet(data, r, kColorBlue);
        data.ensureVisible(r);
        const std::string& device = row.sub(7);
        const int id = screens.fc_MonitorGetIDFromDeviceName(device);
        if (id < 1) continue;
        clsMonitor& monitor = screens.Monitor(id);
        const std::string name = "Monitor '" + device + "' - Auflösung, Frequenz und Farbtiefe ";
        if (monitor.Width == cellNumber(row, 8) && monitor.Height == cellNumber(row, 9) && monitor.DisplayFrequency == cellNumber(row, 10) &&
            monitor.DisplayColorDepth == cellNumber(row, 11) && monitor.Left == cellNumber(row, 12) && monitor.Top == cellNumber(row, 13)) {
            ++c.correct;
            form.setInfoMonitore(name + "sind korrekt!");
            form.sb_ListItemColorSet(data, r, kColorWindowText);
            continue;
        }
        form.setInfoMonitoreColor(kColorRed);
        form.setInfoMonitore(name + "sind unterschiedloch => Auflösung anpassen...");
        run.log(form.lblInfoMonitore().text);
        if (run.analyse || !run.fixMonitors) {
            form.sb_ListItemColorSet(data, r, kColorRed);
            ++c.corrected;
            continue;
        }
        ResolutionRequest request;
        request.par_Width = cellNumber(row, 8);
        request.par_Height = cellNumber(row, 9);
        request.par_Frequency = cellNumber(row, 10);
        request.par_ColorDepth = static_cast<std::int16_t>(cellNumber(row, 11));
        request.par_PositionX = cellNumber(row, 12);
        request.par_PositionY = cellNumber(row, 13);
        if (monitor.fc_ResolutionSet(p.dialogs, request)) {
            ++c.corrected;
            form.setInfoMonitore(name + "erflogreich eingestellt!");
            form.sb_ListItemColorSet(data, r, kColorBlue);
        } else {
            ++c.notSet;
            form.setInfoMonitore(name + "konnten nicht hergestellt werden!");
            form.sb_ListItemColorSet(data, r, kColorRed);
        }
        run.log(form.lblInfoMonitore().text);
    }
    if (c.corrected != 0 || c.notSet != 0) form.setInfoMonitoreColor(kColorRed);
    if (run.analyse)
        form.setInfoMonitore(countsText({{c.correct, "korrekt"}, {c.corrected, "zu setzen"}}));
    else
        form.setInfoMonitore(countsText({{c.correct, "korrekt"}, {c.corrected, "korrigiert"}, {c.notSet, "nicht gesetzt"}}));
}

}  // namespace plenvik
