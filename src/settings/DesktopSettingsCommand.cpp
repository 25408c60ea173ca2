#include "settings/DesktopSettingsCommand.h"

#include <vector>

#include "desktop/DesktopWindow.h"
#include "display/MonitorPicture.h"
#include "platform/Platform.h"
#include "settings/DesktopSettingsDialog.h"

namespace plenvik {

void showDesktopSettings(Platform& platform, ErrorHandler& errors, const ShowDesktopDialog& show) {
    // The desktop offers no query for snapping: it is measured on its first icon, read anew.
    std::vector<IconItem> icons;
    const int arrangeCode = measureSnapToGrid(platform.desktop, errors, icons, true);

    DesktopSettingsDialog dialog(platform, errors);
    dialog.initialize(arrangeCode);
    PictureView& picture = dialog.ctlPictureView();
    clearMonitorPicture(picture);
    float horizontal = 0, vertical = 0;  // the dialog's picture carries no icon marks that would need them
    const std::vector<MonitorRecord> monitors = dialog.monitorRecords();
    if (monitors.size() > 1) drawMonitorPicture(picture, monitors, horizontal, vertical, errors);

    if (show) show(dialog);
}  // the dialog is unloaded here

}  // namespace plenvik
