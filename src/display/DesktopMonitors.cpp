#include "display/DesktopMonitors.h"

#include <memory>

#include "display/MonitorScreens.h"
#include "errors/Procedure.h"

namespace plenvik {

bool readMonitors(std::vector<MonitorRecord>& monitors, Displays& displays, ErrorHandler& handler) {
    Procedure proc(handler, "frmMain.fc_DesktopMonitorsGet");
    bool complete = false;
    proc.run([&] {
        monitors.assign(1, MonitorRecord{});
        std::unique_ptr<MonitorScreens> screens;
        if (!proc.step([&] { screens = std::make_unique<MonitorScreens>(displays); })) return;

        const int count = screens->Count();
        monitors.resize(static_cast<std::size_t>(count) + 1);
        for (int i = 1; i <= count; ++i) {
            const DisplayMonitor& m = screens->Monitor(i);
            MonitorRecord& r = monitors[static_cast<std::size_t>(i)];
            r.Nr = i;
            r.Left = m.Left;
            r.Top = m.Top;
            r.Right = m.Right;
            r.Bottom = m.Bottom;
            r.Width = m.Width;
            r.Height = m.Height;
            r.Frequency = m.DisplayFrequency;
            r.ColorDepth = m.DisplayColorDepth;
            r.DeviceName = m.DeviceName;
        }
        complete = true;
    });
    return complete;
}

}  // namespace plenvik
