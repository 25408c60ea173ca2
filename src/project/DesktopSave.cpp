#include "project/DesktopSave.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <memory>

#include "common/AtomicFile.h"
#include "common/Text.h"
#include "desktop/DesktopIcons.h"
#include "desktop/DesktopWindow.h"
#include "display/DesktopMonitors.h"
#include "display/MonitorPicture.h"
#include "errors/Procedure.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/FileSystem.h"
#include "platform/Platform.h"
#include "platform/SystemInfo.h"
#include "base64/Base64StreamEncoder.h"
#include "project/BackgroundFileSink.h"
#include "project/ByteSink.h"
#include "project/CurrentDesktop.h"
#include "project/DesktopInventory.h"
#include "project/ProjectFileNameCheck.h"
#include "project/ProjectFileWriter.h"
#include "project/ProjectNames.h"
#include "system/UserIdentity.h"
#include "base64/Base64.h"
#include "run/RunContext.h"
#include "run/RunFeedback.h"
#include "settings/Settings.h"
#include "ui/MainLists.h"
#include "ui/PictureView.h"

namespace plenvik {
namespace {

constexpr long kProgressMaximum = 123;
constexpr std::size_t kReadChunk = 256 * 1024;
constexpr const char* kNameTitle = "Plenvik - Dateiname...";
constexpr const char* kCancelled = "Abbruch: Erstellung Orvel Desktop Projekt Datei!";
constexpr const char* kFailed = "Fehler: Die Desktop Sicherung wurde nicht gespeichert!";

// Thrown at the three checkpoints when the user has confirmed cancelling.
struct Cancelled {};

// "#,#": digits grouped in threes with the regional thousands separator.
std::string groupedNumber(std::uint64_t value, char separator) {
    std::string digits = std::to_string(value), out;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) out += separator;
        out += digits[i];
    }
    return out;
}

// The project file written through an AtomicFile, its failures raised as the save's errors: a cancel or
// a failure never leaves a half-written project or damages an earlier one.
class TemporaryProject {
public:
    TemporaryProject(FileSystem& files, std::string target) : file_(files, std::move(target)) {}

    FileHandle& open() {
        unsigned long error = 0;
        if (!file_.create(&error))
            throw RuntimeError(
                75, kAppTitle,
                "Die Projektdatei '" + file_.target() + "' kann nicht geschrieben werden (Fehler " + std::to_string(error) + ").");
        return file_.file();
    }
    void commit() {
        if (file_.commit()) return;
        if (file_.failedAt() == AtomicFile::Stage::Rename)
            throw RuntimeError(75, kAppTitle, "Die Projektdatei '" + file_.target() + "' konnte nicht ersetzt werden.");
        throw RuntimeError(57, kAppTitle, "Die Projektdatei '" + file_.target() + "' konnte nicht geschlossen werden.");
    }

private:
    AtomicFile file_;
};

class SaveRun {
public:
    SaveRun(RunContext& context, CurrentDesktop& desktop, Procedure& proc, bool currentOnly)
        : c_(context),
          f_(context.feedback),
          lists_(context.lists),
          desktop_(desktop),
          p_(context.platform),
          proc_(proc),
          currentOnly_(currentOnly) {}

    // Steps 5 to 20; false when the name prompt was left empty.
    bool run(const std::string& directory, const std::string& fileName) {
        lists_.clearProjectData();
        f_.setInfoColor(kColorBlue);
        f_.pumpEvents();
        saveTime_ = p_.locale.formatGeneralDate(p_.clock.now());
        directory_ = directory;
        fileName_ = fileName.empty() ? askFileName() : fileName;
        if (fileName_.empty()) return false;
        // Each part is a step of its own: the user may retry it, skip it or leave the save.
        proc_.step([&] { projectRow(); });
        proc_.step([&] { desktopStyle(); });
        proc_.step([&] { monitors(); });
        proc_.step([&] { picture(); });
        proc_.step([&] { icons(); });
        if (currentOnly_) {
            colorRow(kColorBlue);
            f_.setInfo("aktuellen Desktop erfolgreich ermittelt!");
            return true;
        }
        if (!proc_.step([&] { write(); })) {
            failed();
            return false;
        }
        colorRow(kColorWindowText);
        f_.setInfo("Desktop Sicherung erfolgreich erstellt!");
        f_.pumpEvents();
        f_.closeProtocol("Desktop Sicherung erfolgreich erstellt: '" + fileName_ + "'");
        f_.setProgress(123);
        return true;
    }

    void cancelled() {
        lists_.clearProjectData();
        dropRow();
        f_.setInfo(kCancelled);
        f_.setInfoColor(kColorRed);
        f_.addToProtocol(kCancelled);
        f_.closeProtocol("Abbruch durch Benutzer");
        f_.clearCancel();
    }

    // The file could not be written (or the user left the save): nothing was replaced, and the list
    // does not show a project that is not there.
    void failed() {
        dropRow();
        f_.setInfo(kFailed);
        f_.setInfoColor(kColorRed);
        f_.closeProtocol(kFailed);
    }

private:
    int row() const { return rowKey_.empty() ? -1 : lists_.projects.find(rowKey_); }

    // The project row's colour, when the save has one.
    void colorRow(std::uint32_t color) {
        if (const int r = row(); r >= 0) lists_.projects.setForeColor(r, color);
    }
    void setRowCell(ProjectColumn column, const std::string& text) {
        if (const int r = row(); r >= 0) lists_.projects.setSubItem(r, column, text);
    }

    void dropRow() {
        const int r = row();
        if (r < 0) return;
        if (lists_.projects.row(r).smallIcon != "DESKTOP")
            lists_.projects.remove(r);
        else
            lists_.projects.setSubItem(r, ProjectColumn::IconCount, "");
    }

    void checkCancel() {
        if (f_.cancelRequested()) throw Cancelled{};
    }

    // The automatic name, offered in the prompt unless automatic naming is on. A name Windows cannot
    // use, or one that would replace an existing project without the user agreeing, is asked again.
    std::string askFileName() {
        const std::string automatic = automaticProjectName(computerName(p_.system), userName(p_.system), p_.clock.now());
        if (currentOnly_ || c_.settings.fileNameAuto) return automatic + std::string(kProjectExtension);
        std::string offer = automatic;
        for (;;) {
            const auto answer = p_.dialogs.inputBox("Bitte geben Sie den gewünschten Dateiname an:", kNameTitle, offer);
            if (!answer || answer->empty()) return {};
            offer = *answer;
            if (const std::string problem = projectFileNameProblem(*answer); !problem.empty()) {
                p_.dialogs.messageBox({problem, kNameTitle, MsgButtons::Ok, MsgIcon::Exclamation});
                continue;
            }
            const std::string name = *answer + std::string(kProjectExtension);
            if (p_.files.exists(directory_ + name)) {
                const MsgAnswer replace =
                    p_.dialogs.messageBox({"Die Projektdatei '" + name + "' ist bereits vorhanden.\r\n\r\nMöchten Sie sie ersetzen?",
                                           kNameTitle, MsgButtons::YesNo, MsgIcon::Exclamation});
                if (replace != MsgAnswer::Yes) continue;
            }
            return name;
        }
    }

    void projectRow() {
        ListModel& list = lists_.projects;
        if (currentOnly_) {
            rowKey_ = "SYSTEM";
        } else {
            rowKey_ = fileName_;
            // A project of that name is being replaced: its row goes, the new one takes its place.
            if (const int old = list.find(rowKey_); old >= 0) list.remove(old);
            const int r = list.add(rowKey_, projectVersionText(), "DESY");
            list.setSubItem(r, ProjectColumn::Computer, computerName(p_.system));
            list.setSubItem(r, ProjectColumn::User, userName(p_.system));
            list.setSubItem(r, ProjectColumn::DateTime, saveTime_);
            list.setSubItem(r, ProjectColumn::Directory, directory_);
            list.setSubItem(r, ProjectColumn::File, fileName_);
            const auto parsed = p_.locale.parseGeneralDate(saveTime_);
            list.setSubItem(r, ProjectColumn::DateSortKey, parsed ? timeKey(*parsed) : "");
            list.resort();
        }
        if (const int r = row(); r >= 0) {
            list.ensureVisible(r);
            list.setForeColor(r, kColorBlue);
            list.select(r);
        }
        f_.pumpEvents();
        f_.setProgress(4);
    }

    void desktopStyle() {
        DesktopWindow desktop(p_.desktop);
        viewStyle_ = desktop.viewStyle();
        setRowCell(ProjectColumn::ViewStyle, std::to_string(viewStyle_));
        std::string description = DesktopWindow::describeViewStyle(viewStyle_);
        lists_.projectData.clear();
        std::vector<IconItem> items;
        arrangeStyle_ = measureSnapToGrid(p_.desktop, c_.errors, items, true);
        if (arrangeStyle_ == kArrangeCodeSnapToGrid) description += " (am Raster ausrichten)";
        ListModel& data = lists_.projectData;
        data.setSubItem(data.add("MAIN", "Desktop Anzeige:", "DESKTOP"), DataColumn::Information, description);
        data.setSubItem(data.add("PATH", "    Verzeichnis:", "FOLDER"), DataColumn::Information, directory_);
        data.setSubItem(data.add("NAME", "    Datei:", "FILE"), DataColumn::Information, fileName_);
        f_.setProgress(4);
    }

    void monitors() {
        f_.addToProtocol("Monitore ermitteln...");
        readMonitors(desktop_.monitors, p_.displays, c_.errors);
        const std::size_t count = desktop_.monitorCount();
        ListModel& data = lists_.projectData;
        for (int r = data.size() - 1; r >= 0; --r)
            if (data.row(r).key.rfind("MONITOR", 0) == 0) data.remove(r);
        data.setSubItem(data.add("MONITOR", "Monitore: " + std::to_string(count), "MONITORS"), DataColumn::Information,
                        std::string(34, '-'));
        for (std::size_t k = 1; k <= count; ++k) {
            const MonitorRecord& m = desktop_.monitors[k];
            const int r = data.add("MONITOR" + std::to_string(m.Nr), "    Monitor " + std::to_string(m.Nr), "MONITOR");
            data.ensureVisible(r);
            const std::uint64_t colours = m.ColorDepth >= 0 && m.ColorDepth < 64 ? (std::uint64_t{1} << m.ColorDepth) : 0;
            data.setSubItem(r, DataColumn::Information,
                            std::to_string(m.Left) + ", " + std::to_string(m.Top) + ", " + std::to_string(m.Width) + ", " +
                                std::to_string(m.Height) + " - Frequenz: " + std::to_string(m.Frequency) +
                                " - Farben: " + groupedNumber(colours, p_.locale.thousandsSeparator()));
            data.setSubItem(r, DataColumn::DeviceName, m.DeviceName);
            data.setSubItem(r, DataColumn::Width, std::to_string(m.Width));
            data.setSubItem(r, DataColumn::Height, std::to_string(m.Height));
            data.setSubItem(r, DataColumn::Frequency, std::to_string(m.Frequency));
            data.setSubItem(r, DataColumn::ColorDepth, std::to_string(m.ColorDepth));
        }
        setRowCell(ProjectColumn::MonitorCount, std::to_string(count));
        const std::string found = std::to_string(count) + " Monitore ermittelt und gespeichert!";
        f_.setInfo(found);
        f_.addToProtocol(found);
        f_.setProgress(8);
    }

    void picture() {
        clearMonitorPicture(c_.picture);
        drawMonitorPicture(c_.picture, desktop_.monitors, desktop_.pictureScaleX, desktop_.pictureScaleY, c_.errors);
        f_.setProgress(10);
    }

    void icons() {
        const std::string reading = "Symbole, Verknüpfungen ermitteln...";
        f_.setInfo(reading);
        f_.pumpEvents();
        f_.addToProtocol(reading);
        lists_.projectIcons.clear();
        readCurrentIcons(desktop_, p_.desktop, c_.errors);
        const std::size_t count = desktop_.iconCount();

        InventoryContext inventory = inventoryContextOf(c_);
        ListModel& list = lists_.projectIcons;
        for (std::size_t i = 1; i <= count; ++i) {
            DesktopIcon& icon = desktop_.icons[i];
            setRowCell(ProjectColumn::IconCount, std::to_string(i));
            const int r = list.add(std::to_string(i) + "ICON" + std::to_string(icon.PosOrder), icon.Name);
            list.ensureVisible(r);
            list.setSubItem(r, IconColumn::PosOrder, std::to_string(icon.PosOrder));
            list.setSubItem(r, IconColumn::X, std::to_string(icon.PosX));
            list.setSubItem(r, IconColumn::Y, std::to_string(icon.PosY));
            markIconOnPicture(c_.picture, icon.PosX, icon.PosY, desktop_.pictureScaleX, desktop_.pictureScaleY);
            list.setSubItem(r, IconColumn::Status, "(neues Desktop Symbol!!!)");
            list.setSubItem(r, IconColumn::SortKey, iconSortKey(icon.PosX, icon.PosY));
            f_.setProgress(10 + std::lround(static_cast<double>(i) * 100.0 / static_cast<double>(count)));
            const bool checked = inventoryIconFiles(inventory, desktop_.icons, static_cast<std::int32_t>(i),
                                                    currentOnly_ ? ContentMode::Skip : ContentMode::Defer);
            showIconKind(r, desktop_.icons[i], checked);
            checkCancel();
        }
        list.sortBy(IconColumn::SortKey, true);
        setRowCell(ProjectColumn::IconCount, std::to_string(count));
        f_.setProgress(112);
    }

    void showIconKind(int r, const DesktopIcon& icon, bool checked) {
        ListModel& list = lists_.projectIcons;
        if (!checked) {
            list.setSmallIcon(r, "ERRLINK");
            list.setSubItem(r, IconColumn::Message, "Symbol, Verweis konnte nicht geprüft werden!\r\n\r\n" + icon.LinkTarget);
            return;
        }
        const std::string picture = iconPictureKey(icon);
        list.setSmallIcon(r, picture);
        if (icon.FileType == kFileTypeErrLink)
            list.setSubItem(r, IconColumn::Message, "Symbol, Datei konnte nicht gefunden werden!\r\n\r\n" + icon.LinkTarget);
        if (icon.FileReasonNotLoaded == kReasonTooBig) list.setSubItem(r, IconColumn::Message, "Symbol, Datei nicht geladen, da zu groß!");
        list.setSubItem(r, IconColumn::Information, std::string(desktopFolderText(icon.FileShellFolderType)));
    }

    void write() {
        f_.setInfo("Datei speichern...");
        f_.pumpEvents();
        const std::string path = directory_ + fileName_;
        f_.addToProtocol("Datei '" + path + "' speichern...");

        ProjectWriteData data;
        data.version = projectVersionText();
        data.computerName = computerName(p_.system);
        data.userName = userName(p_.system);
        data.dateTime = saveTime_;
        data.arrangeStyle = arrangeStyle_;
        data.viewStyle = viewStyle_;
        data.horizontalOperator = desktop_.pictureScaleX;
        data.verticalOperator = desktop_.pictureScaleY;
        data.decimalSeparator = p_.locale.decimalSeparator();
        data.monitors.assign(desktop_.monitors.begin() + (desktop_.monitors.empty() ? 0 : 1), desktop_.monitors.end());
        // In the order the list shows them (by place on the desktop); the number in front of a row's key
        // is the icon's index in the table.
        for (const ListRow& r : lists_.projectIcons.rows()) {
            const std::int32_t index = std::stoi(r.key.substr(0, r.key.find("ICON")));
            data.icons.push_back({index, &desktop_.icons[static_cast<std::size_t>(index)]});
        }

        ProjectWriteCallbacks callbacks;
        const std::vector<std::uint8_t> jpeg = c_.picture.GetJPEGByteData(80);
        callbacks.screenPicture = [&](ByteSink& sink) { sink.write(encodeBase64(jpeg)); };
        callbacks.beforeIcon = [&](const ProjectFileIcon& icon) { openContent(desktop_.icons[static_cast<std::size_t>(icon.Nr)]); };
        callbacks.iconContent = [&](const ProjectFileIcon& icon, ByteSink& sink) { streamContent(*icon.icon, sink); };
        callbacks.progress = [&](const WriteProgress& at) {
            if (at.stage == WriteStage::Picture) f_.setProgress(114);
            if (at.stage == WriteStage::Monitors) f_.setProgress(116);
            if (at.stage == WriteStage::Icons) {
                const std::string written =
                    std::to_string(lists_.projectIcons.size()) + " Symbole, Verknüpfungen ermittelt und gespeichert!";
                f_.setInfo(written);
                f_.addToProtocol(written);
                f_.setProgress(120);
            }
            const bool checkpoint = at.stage == WriteStage::Monitor || at.stage == WriteStage::Icon;
            return checkpoint && f_.cancelRequested() ? WriteDecision::Stop : WriteDecision::Continue;
        };

        TemporaryProject project(p_.files, path);
        BackgroundFileSink sink(project.open());
        if (writeProjectFile(data, sink, callbacks) == WriteOutcome::Stopped) throw Cancelled{};
        project.commit();
    }

    // Opens the file whose content the icon's element will carry, before the element is written: a file
    // deleted or locked since the inventory leaves its icon without content and with the reason an
    // unreadable file gets, and the save goes on.
    void openContent(DesktopIcon& icon) {
        content_.reset();
        if (icon.ContentPath.empty()) return;
        unsigned long error = 0;
        content_ = p_.files.open({icon.ContentPath, kGenericRead, kShareRead, kOpenExisting, kAttrNormal, true}, &error);
        if (content_) return;
        f_.addToProtocol("Symbol, Datei '" + icon.ContentPath + "' kann nicht mehr gelesen werden, ohne Inhalt gespeichert!");
        icon.FileReasonNotLoaded = kReasonNoPermission;
        icon.ContentPath.clear();
        icon.FileData_BASE64.clear();
    }

    // The file's bytes straight from the disk into the project, so that no content is held whole.
    void streamContent(const DesktopIcon& icon, ByteSink& sink) {
        if (icon.ContentPath.empty()) {
            sink.write(icon.FileData_BASE64);
            return;
        }
        const std::unique_ptr<FileHandle> file = std::move(content_);
        if (!file) throw RuntimeError(53, kAppTitle, "Die Datei '" + icon.ContentPath + "' kann nicht mehr gelesen werden.");
        Base64StreamEncoder encoder([&](std::string_view text) { sink.write(text); });
        const std::uint64_t size = file->size().value_or(kReadChunk);
        std::vector<std::uint8_t> buffer(static_cast<std::size_t>(std::min<std::uint64_t>(kReadChunk, size + 1)));
        std::uint64_t total = 0;
        for (;;) {
            const auto got = file->read(buffer.data(), buffer.size());
            if (!got) throw RuntimeError(57, kAppTitle, "Die Datei '" + icon.ContentPath + "' kann nicht gelesen werden.");
            if (*got == 0) break;
            total += *got;
            encoder.write(std::span<const std::uint8_t>(buffer.data(), *got));
        }
        // An empty file is stored as one zero byte, as the inventory stores it.
        if (total == 0) encoder.write(std::string_view("\0", 1));
        encoder.finish();
    }

    RunContext& c_;
    RunFeedback& f_;
    MainLists& lists_;
    CurrentDesktop& desktop_;
    Platform& p_;
    Procedure& proc_;
    bool currentOnly_;
    std::string saveTime_, directory_, fileName_, rowKey_;
    std::int32_t viewStyle_ = 0;
    int arrangeStyle_ = 0;
    std::unique_ptr<FileHandle> content_;  // the next icon's content, opened before its element
};

}  // namespace

bool saveDesktop(RunContext& context, CurrentDesktop& desktop, const std::string& directory, const std::string& fileName,
                 bool currentOnly) {
    Procedure proc(context.errors, "frmMain.fc_DesktopIconsSaveToFile");
    RunFeedback& feedback = context.feedback;
    feedback.setBusyCursor(true);
    feedback.startProtocol(currentOnly ? "aktuellen Desktop ermitteln..." : "Desktop Sicherung erstellen...");
    feedback.startProgress(kProgressMaximum);
    feedback.setProgress(2);
    bool result = false, finished = false;
    SaveRun run(context, desktop, proc, currentOnly);
    proc.run([&] {
        try {
            result = run.run(directory, fileName);
        } catch (const Cancelled&) {
            run.cancelled();
        }
        finished = true;
    });
    if (!finished) run.failed();
    feedback.endProgress();
    feedback.setBusyCursor(false);
    return result;
}

}  // namespace plenvik
