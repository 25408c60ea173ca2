#include "project/ProjectAnalysis.h"

#include "app/frmMain.h"
#include "desktop/clsDesktop.h"
#include "errors/Procedure.h"
#include "errors/RuntimeError.h"
#include "platform/Dialogs.h"
#include "platform/Platform.h"
#include "platform/SystemInfo.h"
#include "project/DesktopIcon.h"
#include "project/FileBytes.h"
#include "project/ProjectFileReader.h"
#include "project/ProjectNames.h"
#include "project/mdlBASE64.h"

namespace plenvik {
namespace {

constexpr const char* kLoadingText = "Symbole aus Datei laden und anzeigen...";
constexpr const char* kMonitorHeaderInfo =
    "Links, Oben, Rechts, Unten (Breite - Höhe, Hertz, Farbtiefe) --------------------------------";
constexpr std::int32_t kArrangeSnapToGrid = 5;

// The error numbers a missing element and a non-number have always been reported with.
long errorNumberOf(ProjectReadStatus status) { return status == ProjectReadStatus::NotANumber ? 13 : 91; }

void showMainRow(frmMain& form, const ProjectDocument& doc) {
    std::string description = clsDesktop::fc_DesktopViewStyleInformation(doc.viewStyle);
    if (doc.arrangeStyle == kArrangeSnapToGrid) description += " (am Raster ausrichten)";
    if (const int r = form.lvwProjectData.find("MAIN"); r >= 0) form.lvwProjectData.setSubItem(r, 1, description);
}

void showPicture(frmMain& form, const ProjectDocument& doc) {
    PictureView& view = form.pictureView();
    view.ClearPicture();
    const std::vector<std::uint8_t> jpeg = fc_Base64DecodeAll(doc.screenPicture);
    form.pictureScaleX = doc.horizontalOperator;
    form.pictureScaleY = doc.verticalOperator;
    Platform& p = form.platform();
    const std::string path = projectFilePath(p.system.programFolder(), "Desktop.jpg");
    if (!replaceFileBytes(p.files, path, std::string_view(reinterpret_cast<const char*>(jpeg.data()), jpeg.size())))
        throw RuntimeError(75, kAppTitle, "Die Bilddatei '" + path + "' kann nicht geschrieben werden.");
    view.OpenPicture(path);
}

void showMonitors(frmMain& form, const ProjectDocument& doc) {
    ListModel& data = form.lvwProjectData;
    data.setSubItem(data.add("MONITOR", "Monitore: " + std::to_string(doc.monitors.size()), "MONITORS"), 1, kMonitorHeaderInfo);
    for (const MonitorRecord& m : doc.monitors) {
        const int r = data.add("MONITOR" + std::to_string(m.Nr), "    Monitor " + std::to_string(m.Nr), "MONITOR");
        data.ensureVisible(r);
        data.setSubItem(r, 1, monitorRowInformation(m.Width, m.Height, m.Frequency, m.ColorDepth, m.Left, m.Top, m.Right, m.Bottom));
        data.setSubItem(r, 7, m.DeviceName);
        data.setSubItem(r, 8, std::to_string(m.Width));
        data.setSubItem(r, 9, std::to_string(m.Height));
        data.setSubItem(r, 10, std::to_string(m.Frequency));
        data.setSubItem(r, 11, std::to_string(m.ColorDepth));
        data.setSubItem(r, 12, std::to_string(m.Left));
        data.setSubItem(r, 13, std::to_string(m.Top));
    }
}

void showIcons(frmMain& form, ProjectDocument& doc) {
    ListModel& list = form.lvwProjectIcons;
    form.projectIcons.assign(1, DesktopIcon{});
    form.projectIcons.reserve(doc.icons.size() + 1);
    for (DesktopIcon& icon : doc.icons) {
        const std::string key = "ICON" + std::to_string(icon.PosOrder);
        // A file whose numbers repeat would make the key twice; the row would be lost, so the key
        // gets the record's place in the table instead.
        const std::string rowKey = list.find(key) < 0 ? key : key + "#" + std::to_string(form.projectIcons.size());
        const int r = list.add(rowKey, icon.Name, iconPictureKey(icon));
        if (icon.FileType == kFileTypeErrLink && !isSystemIconType(icon.FileType))
            list.setSubItem(r, 7, "Verweis konnte beim Erstellen der Sicherung nicht verfolgt werden!");
        if (!isSystemIconType(icon.FileType) && icon.FileReasonNotLoaded == kReasonTooBig)
            list.setSubItem(r, 7, "Datei wurde beim Erstellen der Sicherung nicht geladen, da sie zu groß war!");
        icon.ListKey = rowKey;
        list.setSubItem(r, 1, std::to_string(icon.PosOrder));
        list.setSubItem(r, 2, std::to_string(icon.PosX));
        list.setSubItem(r, 3, std::to_string(icon.PosY));
        list.setSubItem(r, 4, std::string(desktopFolderText(icon.FileShellFolderType)));
        list.setSubItem(r, 6, iconSortKey(icon.PosX, icon.PosY));
        form.projectIcons.push_back(std::move(icon));
    }
}

}  // namespace

std::string monitorRowInformation(std::int32_t width, std::int32_t height, std::int32_t frequency, std::int32_t colorDepth,
                                  std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom) {
    std::string mode = formatZeroPadded(width, 4) + " * " + formatZeroPadded(height, 4) + ", " + formatZeroPadded(frequency, 2) +
                       ", " + formatZeroPadded(colorDepth, 2) + " Bit";
    if (mode.size() < 23) mode.resize(23, ' ');
    return mode + " - Pos: " + formatZeroPadded(left, 4) + ", " + formatZeroPadded(top, 4) + ", " + formatZeroPadded(right, 4) +
           ", " + formatZeroPadded(bottom, 4);
}

bool fc_DesktopIconsAnalyseFromFile(frmMain& form, const std::string& path, XmlParseError* parseError) {
    Procedure proc(form.errors(), "frmMain.fc_DesktopIconsAnalyseFromFile");
    bool loaded = false;
    // Nothing of an earlier project stays behind for a restore to act on.
    form.projectIcons.assign(1, DesktopIcon{});
    proc.run([&] {
        form.setInfoColor(kColorRgbBlue);
        form.setInfo(kLoadingText);
        form.doEvents();

        const std::optional<std::string> bytes = readFileBytes(form.platform().files, path);
        if (!bytes) return;
        ProjectDocumentResult result = readProjectFile(*bytes);
        if (result.error.status == ProjectReadStatus::ParseError) {
            if (parseError) *parseError = result.error.parse;
            return;
        }
        if (!result.ok()) {
            const ProjectReadError error = result.error;
            proc.step([&] { throw RuntimeError(errorNumberOf(error.status), kAppTitle, error.message()); });
            return;
        }
        ProjectDocument& doc = result.document;
        proc.step([&] { showMainRow(form, doc); });
        proc.step([&] { showPicture(form, doc); });
        proc.step([&] { showMonitors(form, doc); });
        bool iconsShown = false;
        proc.step([&] {
            showIcons(form, doc);
            iconsShown = true;
        });
        if (!iconsShown) {
            form.projectIcons.assign(1, DesktopIcon{});
            return;
        }

        form.setInfo("");
        form.doEvents();
        loaded = true;
    });
    return loaded;
}

}  // namespace plenvik
