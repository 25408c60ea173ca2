#include "restore/MonitorRestore.h"

#include "display/DesktopMonitors.h"
#include "display/MonitorScreens.h"
#include "platform/Platform.h"
#include "project/ProjectNames.h"
#include "restore/RestoreCounters.h"
#include "ui/MainLists.h"

namespace plenvik {

std::size_t currentMonitorCount(Platform& platform, ErrorHandler& errors, CurrentDesktop& current) {
    if (current.monitors.size() <= 1) readMonitors(current.monitors, platform.displays, errors);
    return current.monitorCount();
}

void monitorStep(RestoreRun& run) {
    RunFeedback& feedback = run.context.feedback;
    Platform& p = run.context.platform;
    MonitorScreens screens(p.displays);
    ListModel& data = run.context.lists.projectData;
    RestoreCounters& c = run.counters;
    for (const MonitorRecord& saved : run.project.monitors) {
        const int r = data.find("MONITOR" + std::to_string(saved.Nr));
        const auto color = [&](std::uint32_t value) {
            if (r >= 0) data.setForeColor(r, value);
        };
        color(kColorBlue);
        if (r >= 0) data.ensureVisible(r);
        const int id = screens.monitorIdOfDevice(saved.DeviceName);
        if (id < 1) continue;
        DisplayMonitor& monitor = screens.Monitor(id);
        const std::string name = "Monitor '" + saved.DeviceName + "' - Auflösung, Frequenz und Farbtiefe ";
        if (monitor.Width == saved.Width && monitor.Height == saved.Height && monitor.DisplayFrequency == saved.Frequency &&
            monitor.DisplayColorDepth == saved.ColorDepth && monitor.Left == saved.Left && monitor.Top == saved.Top) {
            ++c.correct;
            feedback.setMonitorInfo(name + "sind korrekt!");
            color(kColorWindowText);
            continue;
        }
        feedback.setMonitorInfoColor(kColorRed);
        feedback.setMonitorInfo(name + "sind unterschiedloch => Auflösung anpassen...");
        run.log(feedback.monitorInfo());
        if (run.analyse || !run.fixMonitors) {
            color(kColorRed);
            ++c.corrected;
            continue;
        }
        ResolutionRequest request;
        request.width = saved.Width;
        request.height = saved.Height;
        request.frequency = saved.Frequency;
        request.colorDepth = static_cast<std::int16_t>(saved.ColorDepth);
        request.positionX = saved.Left;
        request.positionY = saved.Top;
        if (monitor.setResolution(p.dialogs, request)) {
            ++c.corrected;
            feedback.setMonitorInfo(name + "erflogreich eingestellt!");
            color(kColorBlue);
        } else {
            ++c.notSet;
            feedback.setMonitorInfo(name + "konnten nicht hergestellt werden!");
            color(kColorRed);
        }
        run.log(feedback.monitorInfo());
    }
    if (c.corrected != 0 || c.notSet != 0) feedback.setMonitorInfoColor(kColorRed);
    if (run.analyse)
        feedback.setMonitorInfo(countsText({{c.correct, "korrekt"}, {c.corrected, "zu setzen"}}));
    else
        feedback.setMonitorInfo(countsText({{c.correct, "korrekt"}, {c.corrected, "korrigiert"}, {c.notSet, "nicht gesetzt"}}));
}

}  // namespace plenvik
