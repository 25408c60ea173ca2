#include "restore/IconCreate.h"

#include <limits>
#include <optional>
#include <utility>
#include <vector>

#include "desktop/DesktopIcons.h"
#include "desktop/DesktopSystemIcons.h"
#include "desktop/DesktopWindow.h"
#include "errors/Procedure.h"
#include "platform/Dialogs.h"
#include "platform/FileSystem.h"
#include "platform/Platform.h"
#include "common/Text.h"
#include "base64/Base64Content.h"
#include "project/DesktopInventory.h"
#include "project/IconFilePairing.h"
#include "project/LoadedProject.h"
#include "system/SpecialFolders.h"
#include "base64/Base64.h"
#include "restore/EmbeddedContent.h"
#include "restore/NewDesktopFile.h"
#include "restore/RestoreCounters.h"
#include "ui/MainLists.h"
#include "restore/Wait.h"
#include "restore/ZoneMark.h"

namespace plenvik {
namespace {

constexpr const char* kCouldNotCreate = "konnte nicht erstellt werden!";
constexpr const char* kContentDamaged = "konnte nicht erstellt werden, der Inhalt ist beschädigt!";
constexpr const char* kMarkNotCopied =
    "konnte nicht erstellt werden, die Herkunftsangabe (Zone.Identifier) der Projektdatei konnte nicht übernommen werden!";
constexpr const char* kCancelledText = "wurde nicht erstellt, Abbruch durch Benutzer!";
constexpr const char* kAlreadyThere = "existiert bereits und wurde nicht überschrieben!";
constexpr const char* kPlacedText = "erstellt und Koordinaten erfolgreich gesetzt!";
constexpr const char* kNotPlacedText = "erstellt und Koordinaten konnte nicht gesetzt werden!";
constexpr const char* kNotFoundText = "erstellt und Koordinaten konnte nicht gefunden werden!";

constexpr const char* kAllUsersTitle = "Symbol konnte nich erstellt werden...";
constexpr const char* kAllUsersQuestion =
    "Abbruch, dieses zu erstellende Symbol lag im Original auf dem Desktop des 'allgemeinen Benutzers', auf das Sie "
    "kein Änderungsrecht besitzen.\r\n\r\nMöchten Sie diese Symbole auf Ihren Desktop erstellen?";

// How long the desktop gets to show a new icon after its refresh.
constexpr std::int32_t kSecondsForTheDesktop = 2;

void raiseCounter(int& counter) {
    if (counter == std::numeric_limits<int>::max()) throw RuntimeError(6, kAppTitle, "Überlauf");
    ++counter;
}

// The index of the icon in the project table (from 1); 0 when there is none.
std::size_t projectIconIndex(const std::vector<DesktopIcon>& table, std::size_t fileIndex, const std::string& name) {
    if (fileIndex != 0) return fileIndex < table.size() ? fileIndex : 0;
    for (std::size_t i = 1; i < table.size(); ++i)
        if (table[i].Name == name) return i;
    return 0;
}

// The icon the desktop shows for what was just made: the item the folder view names by the new path
// (or the system icon's class), else the one with the saved label, else the only one whose label the
// desktop may give the new file's name (it hides the extensions of known types).
const DesktopIcon* findShownIcon(const std::vector<DesktopIcon>& current, const DesktopIcon& made, const std::string& path) {
    const std::string byFolderView = path.empty() ? "::" + made.FileType : path;
    for (std::size_t j = 1; j < current.size(); ++j)
        if (!current[j].ParsingName.empty() && foldCase(current[j].ParsingName) == foldCase(byFolderView)) return &current[j];
    for (std::size_t j = 1; j < current.size(); ++j)
        if (current[j].ParsingName.empty() && current[j].Name == made.Name) return &current[j];
    if (made.FileName.empty()) return nullptr;
    const FindEntry entry{made.FileName, made.FileType == kFileTypeFolder ? kAttrDirectory : 0u, 0};
    const DesktopIcon* fitting = nullptr;
    for (std::size_t j = 1; j < current.size(); ++j) {
        if (!current[j].ParsingName.empty() || !labelFitsFileName(current[j].Name, entry)) continue;
        if (fitting) return nullptr;  // two could be it: none is moved
        fitting = &current[j];
    }
    return fitting;
}

// The steps of putting one icon back.
class IconCreation {
public:
    IconCreation(RunContext& context, const LoadedProject& project, CurrentDesktop& current, Procedure& procedure, const DesktopIcon& icon,
                 RestoreCounters& counters)
        : context_(context),
          project_(project),
          platform_(context.platform),
          current_(current),
          procedure_(procedure),
          icon_(icon),
          answer_(counters.allUsers),
          mark_(counters.projectMark),
          created_(counters.created),
          notCreated_(counters.notCreated) {}

    bool run() {
        context_.feedback.setInfo("Symbol '" + icon_.Name + "' nicht gefunden => erstellen...");
        context_.feedback.pumpEvents();
        const std::int32_t folder = icon_.FileShellFolderType;
        if (folder == kFolderUserDesktop || folder == kFolderCommonDesktop)
            return icon_.FileType == kFileTypeFolder ? createFolder() : createFile();
        if (!icon_.FileType.empty() && icon_.FileType.front() == '{') return showSystemIcon();
        return true;
    }

private:
    // Sets the icon's status cell and the status line.
    void mark(const std::string& text) {
        ListModel& list = context_.lists.projectIcons;
        if (!icon_.ListKey.empty())
            if (const int row = list.find(icon_.ListKey); row >= 0) list.setSubItem(row, IconColumn::Status, text);
        context_.feedback.setInfo("Symbol '" + icon_.Name + "' " + text);
    }

    bool notCreated(const std::string& text) {
        mark(text);
        raiseCounter(notCreated_);
        return true;
    }

    // The folder the icon goes into: its own desktop, or the user's when the user chose so for icons of
    // the all-users desktop. Empty when the shell could not name it.
    std::string targetFolder() {
        const int code = icon_.FileShellFolderType == kFolderCommonDesktop && answer_ == AllUsersAnswer::OwnDesktop
                             ? kFolderUserDesktop
                             : icon_.FileShellFolderType;
        std::string folder;
        procedure_.step([&] { folder = specialFolderPath(platform_.shell, code); });
        return folder;
    }

    // The path of the new file or folder; empty after the icon has been refused (and counted).
    std::string targetPath() {
        const std::string folder = targetFolder();
        if (folder.empty()) {
            notCreated(kCouldNotCreate);
            return {};
        }
        if (!isBareFileName(icon_.FileName)) {
            notCreated("konnte nicht erstellt werden, der Dateiname '" + icon_.FileName + "' ist ungültig!");
            return {};
        }
        folder_ = folder;
        std::string path = folder + "\\" + icon_.FileName;
        createdPath_ = path;
        // Whatever holds the name is the user's: it is never deleted or overwritten to make room.
        if (platform_.files.exists(path)) {
            notCreated(kAlreadyThere);
            return {};
        }
        return path;
    }

    bool createFolder() {
        const std::string path = targetPath();
        if (path.empty()) return true;
        bool made = false;
        try {
            made = platform_.files.createFolder(path);
        } catch (const std::exception&) {
            made = false;  // counted below like any folder that cannot be made
        }
        if (made) return place();
        raiseCounter(notCreated_);
        return askAboutAllUsers("Fehler beim Erstellen des Ordners '" + folder_ + "\\" + icon_.Name + "'!");
    }

    bool createFile() {
        if (icon_.ContentLength > 0) return createFileFromProject();
        // Content that is not Base64 is refused before anything is written.
        const auto bytes = decodeBase64Content(icon_.FileData_BASE64);
        if (!bytes) return notCreated(kContentDamaged);
        const std::string path = targetPath();
        if (path.empty()) return true;
        NewDesktopFile file(platform_.files, path);
        if (const auto ended = openMarked(file)) return *ended;
        if (icon_.FileData_BASE64.empty()) {
            // The project holds no content: the file is put back empty, and the status line says why.
            if (!file.place()) return notCreated(kCouldNotCreate);
            showWhyEmpty();
            return true;
        }
        if (!file.write(*bytes).ok() || !file.place()) return notCreated(kCouldNotCreate);
        return place();
    }

    // The content is decoded from the project file into the temporary file; damaged content leaves
    // the temporary file to be removed, so nothing takes the target's name.
    bool createFileFromProject() {
        const std::string path = targetPath();
        if (path.empty()) return true;
        NewDesktopFile file(platform_.files, path);
        if (const auto ended = openMarked(file)) return *ended;
        switch (copyEmbeddedContent(platform_.files, project_, icon_, file, context_.feedback)) {
        case ContentCopy::Written: break;
        case ContentCopy::Damaged: return notCreated(kContentDamaged);
        case ContentCopy::Failed: return notCreated(kCouldNotCreate);
        case ContentCopy::Cancelled: return notCreated(kCancelledText);  // the temporary file goes with file
        }
        if (!file.place()) return notCreated(kCouldNotCreate);
        return place();
    }

    // Creates the temporary file and gives it the project file's mark. Empty when the file is ready for
    // its content; otherwise what the icon's creation ends with.
    std::optional<bool> openMarked(NewDesktopFile& file) {
        if (!file.open().ok()) {
            raiseCounter(notCreated_);
            return askAboutAllUsers("Fehler beim Erstellen der Datei '" + folder_ + "\\" + icon_.Name + "'!");
        }
        if (!markAsProjectFile(file)) return notCreated(kMarkNotCopied);
        return std::nullopt;
    }

    // A file made from a project file that came from elsewhere carries that file's Zone.Identifier from
    // the moment it has its name; when the mark cannot be written, the file is not made at all.
    bool markAsProjectFile(NewDesktopFile& file) {
        const std::optional<std::string>& mark = mark_.of(platform_.files, project_.path(), context_.feedback);
        return !mark || file.writeStream(kZoneStreamName, *mark);
    }

    void showWhyEmpty() {
        const std::string prefix = "Symbol '" + icon_.Name + "' keine Daten, da ";
        switch (icon_.FileReasonNotLoaded) {
        case kReasonTooBig: context_.feedback.setInfo(prefix + "Datei zu groß war!"); break;
        case kReasonTargetMissing: context_.feedback.setInfo(prefix + "keine Verbindung zur Datei bestand!"); break;
        case kReasonNoPermission: context_.feedback.setInfo(prefix + "keine Berechtigungen zum Öffnen vergeben war!"); break;
        default: break;
        }
    }

    bool showSystemIcon() {
        // Only the shell's known icons: the class identifier becomes part of a registry key's path.
        if (!findDesktopSystemIcon(icon_.FileType))
            return notCreated("konnte nicht erstellt werden, '" + icon_.FileType + "' ist kein bekanntes Systemsymbol!");
        bool shown = false;
        procedure_.step([&] { shown = unhideSystemIcon(platform_, icon_.FileType, icon_.Name); });
        if (!shown) return notCreated(kCouldNotCreate);
        return place();
    }

    // Asked once while no answer is kept, for an icon of the all-users desktop that could not be made
    // there. False when the user cancels.
    bool askAboutAllUsers(const std::string& protocolLine) {
        if (answer_ != AllUsersAnswer::NotAsked || icon_.FileShellFolderType != kFolderCommonDesktop) return true;
        const MessageBoxRequest question{kAllUsersQuestion, kAllUsersTitle, MsgButtons::YesNoCancel, MsgIcon::Question};
        switch (platform_.dialogs.messageBox(question)) {
        case MsgAnswer::Yes: answer_ = AllUsersAnswer::OwnDesktop; return true;
        case MsgAnswer::No: answer_ = AllUsersAnswer::Skip; return true;
        default: context_.feedback.addToProtocol(protocolLine); return false;
        }
    }

    // The new icon is on the desktop: the desktop shows it, and it goes to its saved place.
    bool place() {
        procedure_.step([&] { DesktopWindow(platform_.desktop).RefreshDesktop(); });
        waitSeconds(platform_, kSecondsForTheDesktop);
        readCurrentIcons(current_, platform_.desktop, context_.errors);

        const DesktopIcon* shown = findShownIcon(current_.icons, icon_, createdPath_);
        if (!shown) {
            mark(kNotFoundText);
        } else {
            const bool moved = moveDesktopIcon(platform_.desktop, context_.errors, shown->PosOrder - 1, icon_.PosX, icon_.PosY);
            mark(moved ? kPlacedText : kNotPlacedText);
        }
        raiseCounter(created_);
        return true;
    }

    RunContext& context_;
    const LoadedProject& project_;
    Platform& platform_;
    CurrentDesktop& current_;
    Procedure& procedure_;
    const DesktopIcon& icon_;
    AllUsersAnswer& answer_;
    ZoneMark& mark_;
    int& created_;
    int& notCreated_;
    std::string folder_;
    std::string createdPath_;  // the file or folder made, once it is made
};

}  // namespace

bool recreateIcon(RunContext& context, const LoadedProject& project, CurrentDesktop& current, std::size_t index, RestoreCounters& counters,
                  const std::string& name) {
    Procedure procedure(context.errors, "frmMain.fc_DesktopIconsLoadFromFile_IconCreate");
    bool result = true;
    procedure.run([&] {
        const std::size_t found = projectIconIndex(project.icons, index, name);
        if (found == 0) return;
        IconCreation creation(context, project, current, procedure, project.icons[found], counters);
        procedure.step([&] { result = creation.run(); });
    });
    return result;
}

}  // namespace plenvik
