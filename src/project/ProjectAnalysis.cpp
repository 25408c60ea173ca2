#include "project/ProjectAnalysis.h"

#include "desktop/DesktopWindow.h"
#include "errors/Procedure.h"
#include "errors/RuntimeError.h"
#include "platform/Dialogs.h"
#include "platform/Platform.h"
#include "platform/SystemInfo.h"
#include "project/DesktopIcon.h"
#include "project/ProjectFileReader.h"
#include "project/ProjectFileScan.h"
#include "system/FileBytes.h"
#include "project/ProjectNames.h"
#include "base64/Base64.h"
#include "run/RunContext.h"
#include "run/RunFeedback.h"
#include "ui/MainLists.h"
#include "ui/PictureView.h"

namespace plenvik {
namespace {

constexpr const char* kLoadingText = "Symbole aus Datei laden und anzeigen...";
constexpr const char* kMonitorHeaderInfo = "Links, Oben, Rechts, Unten (Breite - Höhe, Hertz, Farbtiefe) --------------------------------";
constexpr std::int32_t kArrangeSnapToGrid = 5;

// The error numbers a missing element and a non-number have always been reported with.
long errorNumberOf(ProjectReadStatus status) { return status == ProjectReadStatus::NotANumber ? 13 : 91; }

void showMainRow(ListModel& data, const ProjectDocument& doc) {
    std::string description = DesktopWindow::describeViewStyle(doc.viewStyle);
    if (doc.arrangeStyle == kArrangeSnapToGrid) description += " (am Raster ausrichten)";
    if (const int r = data.find("MAIN"); r >= 0) data.setSubItem(r, DataColumn::Information, description);
}

void showPicture(RunContext& context, const ProjectDocument& doc) {
    PictureView& view = context.picture;
    view.ClearPicture();
    const std::vector<std::uint8_t> jpeg = decodeBase64(doc.screenPicture);
    Platform& p = context.platform;
    const std::string path = projectFilePath(p.system.programFolder(), "Desktop.jpg");
    if (!replaceFileBytes(p.files, path, std::string_view(reinterpret_cast<const char*>(jpeg.data()), jpeg.size())))
        throw RuntimeError(75, kAppTitle, "Die Bilddatei '" + path + "' kann nicht geschrieben werden.");
    view.OpenPicture(path);
}

void showMonitors(ListModel& data, const ProjectDocument& doc) {
    data.setSubItem(data.add("MONITOR", "Monitore: " + std::to_string(doc.monitors.size()), "MONITORS"), DataColumn::Information,
                    kMonitorHeaderInfo);
    for (const MonitorRecord& m : doc.monitors) {
        const int r = data.add("MONITOR" + std::to_string(m.Nr), "    Monitor " + std::to_string(m.Nr), "MONITOR");
        data.ensureVisible(r);
        data.setSubItem(r, DataColumn::Information,
                        monitorRowInformation(m.Width, m.Height, m.Frequency, m.ColorDepth, m.Left, m.Top, m.Right, m.Bottom));
        data.setSubItem(r, DataColumn::DeviceName, m.DeviceName);
        data.setSubItem(r, DataColumn::Width, std::to_string(m.Width));
        data.setSubItem(r, DataColumn::Height, std::to_string(m.Height));
        data.setSubItem(r, DataColumn::Frequency, std::to_string(m.Frequency));
        data.setSubItem(r, DataColumn::ColorDepth, std::to_string(m.ColorDepth));
        data.setSubItem(r, DataColumn::Left, std::to_string(m.Left));
        data.setSubItem(r, DataColumn::Top, std::to_string(m.Top));
    }
}

void showIcons(ListModel& list, std::vector<DesktopIcon>& table, ProjectDocument& doc) {
    table.reserve(doc.icons.size() + 1);
    for (DesktopIcon& icon : doc.icons) {
        const std::string key = "ICON" + std::to_string(icon.PosOrder);
        // A file whose numbers repeat would make the key twice; the row would be lost, so the key
        // gets the record's place in the table instead.
        const std::string rowKey = list.find(key) < 0 ? key : key + "#" + std::to_string(table.size());
        const int r = list.add(rowKey, icon.Name, iconPictureKey(icon));
        if (icon.FileType == kFileTypeErrLink && !isSystemIconType(icon.FileType))
            list.setSubItem(r, IconColumn::Message, "Verweis konnte beim Erstellen der Sicherung nicht verfolgt werden!");
        if (!isSystemIconType(icon.FileType) && icon.FileReasonNotLoaded == kReasonTooBig)
            list.setSubItem(r, IconColumn::Message, "Datei wurde beim Erstellen der Sicherung nicht geladen, da sie zu groß war!");
        icon.ListKey = rowKey;
        list.setSubItem(r, IconColumn::PosOrder, std::to_string(icon.PosOrder));
        list.setSubItem(r, IconColumn::X, std::to_string(icon.PosX));
        list.setSubItem(r, IconColumn::Y, std::to_string(icon.PosY));
        list.setSubItem(r, IconColumn::Information, std::string(desktopFolderText(icon.FileShellFolderType)));
        list.setSubItem(r, IconColumn::SortKey, iconSortKey(icon.PosX, icon.PosY));
        table.push_back(std::move(icon));
    }
}

}  // namespace

std::string monitorRowInformation(std::int32_t width, std::int32_t height, std::int32_t frequency, std::int32_t colorDepth,
                                  std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom) {
    std::string mode = formatZeroPadded(width, 4) + " * " + formatZeroPadded(height, 4) + ", " + formatZeroPadded(frequency, 2) + ", " +
                       formatZeroPadded(colorDepth, 2) + " Bit";
    if (mode.size() < 23) mode.resize(23, ' ');
    return mode + " - Pos: " + formatZeroPadded(left, 4) + ", " + formatZeroPadded(top, 4) + ", " + formatZeroPadded(right, 4) + ", " +
           formatZeroPadded(bottom, 4);
}

std::shared_ptr<const LoadedProject> analyseProjectFile(RunContext& context, const std::string& directory, const std::string& fileName,
                                                        XmlParseError* parseError) {
    Procedure proc(context.errors, "frmMain.fc_DesktopIconsAnalyseFromFile");
    RunFeedback& feedback = context.feedback;
    std::shared_ptr<LoadedProject> loaded;
    proc.run([&] {
        feedback.setInfoColor(kColorRgbBlue);
        feedback.setInfo(kLoadingText);
        feedback.pumpEvents();

        std::optional<ScannedProject> scanned = scanProjectFile(context.platform.files, directory + fileName);
        if (!scanned) return;
        ProjectDocumentResult& result = scanned->result;
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
        auto project = std::make_shared<LoadedProject>();
        project->directory = directory;
        project->fileName = fileName;
        project->fileSize = scanned->fileSize;
        project->fileTime = scanned->fileTime;
        project->header = doc.header;
        project->viewStyle = doc.viewStyle;
        project->arrangeStyle = doc.arrangeStyle;
        project->pictureScaleX = doc.horizontalOperator;
        project->pictureScaleY = doc.verticalOperator;
        project->monitors = doc.monitors;
        ListModel& data = context.lists.projectData;
        proc.step([&] { showMainRow(data, doc); });
        proc.step([&] { showPicture(context, doc); });
        proc.step([&] { showMonitors(data, doc); });
        // Only a project whose every icon is in the table can be compared or restored.
        bool iconsShown = false;
        proc.step([&] {
            showIcons(context.lists.projectIcons, project->icons, doc);
            iconsShown = true;
        });
        if (!iconsShown) return;

        feedback.setInfo("");
        feedback.pumpEvents();
        loaded = std::move(project);
    });
    return loaded;
}

}  // namespace plenvik
