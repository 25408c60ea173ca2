#include "restore/NewIcons.h"

#include <functional>

#include "desktop/DesktopSystemIcons.h"
#include "errors/RuntimeError.h"
#include "platform/Dialogs.h"
#include "platform/FileSystem.h"
#include "platform/Platform.h"
#include "project/DesktopInventory.h"
#include "project/ProjectNames.h"
#include "system/SpecialFolders.h"
#include "system/RecycleBin.h"
#include "system/RegistryAccess.h"
#include "common/Text.h"
#include "restore/RestoreCounters.h"
#include "restore/SavedIconItem.h"
#include "ui/MainLists.h"

namespace plenvik {
namespace {

constexpr std::uint32_t kCurrentUser = 0x80000001u;

constexpr std::size_t kNamedNewIcons = 10;

bool endsWithNew(const std::string& key) { return key.size() > 7 && key.compare(key.size() - 3, 3, "NEW") == 0; }

bool savedLabel(const LoadedProject& project, const std::string& name) {
    for (std::size_t r = 1; r < project.icons.size(); ++r)
        if (project.icons[r].Name == name) return true;
    return false;
}

// The current icon a "NEW" row stands for: the row key holds its list position ("ICON12NEW"); the
// label must still match, so that a desktop changed since never loses the wrong file.
DesktopIcon* iconOfRow(CurrentDesktop& current, const ListRow& row) {
    const auto position = parseLong(row.key.substr(4, row.key.size() - 7));
    if (position && *position >= 1 && static_cast<std::size_t>(*position) < current.icons.size() &&
        current.icons[static_cast<std::size_t>(*position)].Name == row.text)
        return &current.icons[static_cast<std::size_t>(*position)];
    return nullptr;
}

bool isFileType(const std::string& type) {
    return type == kFileTypeLink || type == kFileTypeFileLink || type == kFileTypeFolderLink || type == kFileTypeInternetLink ||
           type == kFileTypeErrLink || type == kFileTypeFile;
}

// Files and folders go to the recycle bin rather than being destroyed: a new icon may be the user's
// only copy of a document. One the bin would not keep goes for good only when the user says so, and
// the protocol says which way it went. A refusal is a run-time error for the handler, and not counted.
// True when the item went.
bool recycle(RestoreRun& run, const std::function<std::string()>& pathOf, int row, const char* done) {
    Platform& p = run.context.platform;
    bool removed = false;
    run.proc.step([&] {
        const std::string path = pathOf();
        const Removal removal = removeToRecycleBin(p.files, p.dialogs, path);
        if (removal == Removal::Kept) {
            run.context.feedback.addToProtocol("'" + path + "' kann nicht in den Papierkorb verschoben werden, nicht gelöscht.");
            return;
        }
        if (removal == Removal::Failed && p.files.exists(path))
            throw RuntimeError(75, kAppTitle, "'" + path + "' kann nicht gelöscht werden.");
        if (removal == Removal::Deleted) run.context.feedback.addToProtocol("'" + path + "' endgültig gelöscht (nicht in den Papierkorb).");
        ++run.counters.deleted;
        run.context.lists.projectIcons.setSubItem(row, IconColumn::Message, done);
        removed = true;
    });
    return removed;
}

// Whether a saved icon stands for the current one's file or system icon, whatever the labels: an icon
// re-created by this run, or one the desktop labels differently than the one that was saved.
bool savedItem(RestoreRun& run, const DesktopIcon& icon) {
    for (std::size_t r = 1; r < run.project.icons.size(); ++r) {
        const DesktopIcon& saved = run.project.icons[r];
        if (isNamedItem(icon, parsingNamesOf(run.context.platform.shell, saved))) return true;
        if (!icon.FileName.empty() && foldCase(icon.FileName) == foldCase(saved.FileName)) return true;
    }
    return false;
}

// Adds the row of current icon j when no saved icon has its label, its file or its class.
void listNewIcon(RestoreRun& run, InventoryContext& inventory, std::size_t j) {
    std::vector<DesktopIcon>& current = run.current.icons;
    ListModel& list = run.context.lists.projectIcons;
    if (current[j].Matched) return;
    if (savedLabel(run.project, current[j].Name)) {
        current[j].Matched = true;
        return;
    }
    run.context.feedback.setInfo("Symbol '" + current[j].Name + "' ist neu auf dem Desktop...");
    const bool checked = inventoryIconFiles(inventory, current, static_cast<std::int32_t>(j), ContentMode::Skip);
    DesktopIcon& icon = current[j];
    if (checked && savedItem(run, icon)) {
        icon.Matched = true;
        return;
    }
    const std::string key = "ICON" + std::to_string(icon.PosOrder) + "NEW";
    int r = list.find(key);
    if (r < 0) r = list.add(key, icon.Name);
    list.ensureVisible(r);
    list.setSubItem(r, IconColumn::PosOrder, std::to_string(icon.PosOrder));
    list.setSubItem(r, IconColumn::X, std::to_string(icon.PosX));
    list.setSubItem(r, IconColumn::Y, std::to_string(icon.PosY));
    list.setSubItem(r, IconColumn::Status, "(neues Desktop Symbol!!!)");
    list.setSubItem(r, IconColumn::SortKey, iconSortKey(icon.PosX, icon.PosY));
    markDesktopPosition(run.context.picture, run.project, icon.PosX, icon.PosY, kColorRed);
    if (checked) {
        const DesktopIcon& looked = current[j];
        const std::string picture = isSystemIconType(looked.FileType) ? std::string(kPictureIconSys) : looked.FileType;
        list.setSmallIcon(r, picture);
        if (picture == kFileTypeErrLink)
            list.setSubItem(r, IconColumn::Message, "Symbol, Datei konnte nicht verfolgt werden!\r\n\r\n" + looked.LinkTarget);
        list.setSubItem(r, IconColumn::Information, std::string(desktopFolderText(looked.FileShellFolderType)));
    } else {
        list.setSmallIcon(r, std::string(kFileTypeErrLink));
        list.setSubItem(r, IconColumn::Message, "Symbol, Verweis konnte nicht geprüft werden!\r\n\r\n" + current[j].LinkTarget);
    }
    list.setForeColor(r, kColorBlue);
    ++run.counters.fresh;
}

}  // namespace

bool findNewIcons(RestoreRun& run) {
    InventoryContext inventory = inventoryContextOf(run.context);
    for (std::size_t j = 1; j < run.current.icons.size(); ++j) {
        run.proc.step([&] { listNewIcon(run, inventory, j); });
        if (run.cancelled()) return false;
    }
    return true;
}

bool askToRemoveNewIcons(RestoreRun& run) {
    const int count = run.counters.fresh;
    MessageBoxRequest q;
    q.title = count == 1 ? "Neues Symbol vorhanden..." : "Neue Symbole vorhanden...";
    q.text =
        "Auf dem Desktop " +
        (count == 1 ? std::string("ist 1 neues Symbol/Verknüpfung") : "sind " + std::to_string(count) + " neue Symbole/Verknüpfungen") +
        " vorhanden, " + (count == 1 ? "soll dieses" : "sollen diese") + " gelöscht werden!";
    // The user sees what would go: up to ten names, then how many more.
    std::vector<std::string> names;
    for (const ListRow& row : run.context.lists.projectIcons.rows())
        if (endsWithNew(row.key)) names.push_back(row.text);
    q.text += "\r\n";
    for (std::size_t i = 0; i < names.size() && i < kNamedNewIcons; ++i) q.text += "\r\n    " + names[i];
    if (names.size() > kNamedNewIcons) q.text += "\r\n    und " + std::to_string(names.size() - kNamedNewIcons) + " weitere";
    q.buttons = MsgButtons::YesNo;
    q.icon = MsgIcon::Question;
    Dialogs& dialogs = run.context.platform.dialogs;
    if (dialogs.messageBox(q) != MsgAnswer::Yes) return false;
    // A project without any of the desktop's icons (an empty one, or another desktop's) would empty the
    // desktop: that is asked once more, explicitly, with "No" as the default.
    if (names.size() < run.current.iconCount() || names.empty()) return true;
    MessageBoxRequest all;
    all.title = "Alle Symbole löschen?";
    all.text = "ACHTUNG!\r\n\r\nKein Symbol des Desktops ist in der Projektsicherung enthalten: es würden alle " +
               std::to_string(names.size()) + " Symbole des Desktops gelöscht.\r\n\r\nMöchten Sie wirklich alle Symbole löschen?";
    all.buttons = MsgButtons::YesNo;
    all.icon = MsgIcon::Exclamation;
    all.secondButtonDefault = true;
    return dialogs.messageBox(all) == MsgAnswer::Yes;
}

bool removeNewIcons(RestoreRun& run) {
    RunFeedback& feedback = run.context.feedback;
    Platform& p = run.context.platform;
    ListModel& list = run.context.lists.projectIcons;
    for (int r = 0; r < list.size(); ++r) {
        const ListRow row = list.row(r);
        if (!endsWithNew(row.key)) continue;
        feedback.pumpEvents();
        if (run.cancelled()) return false;
        feedback.setInfo("Symbol '" + row.text + "' löschen...");
        list.ensureVisible(r);
        DesktopIcon* icon = iconOfRow(run.current, row);
        if (!icon) continue;
        const auto path = [&] { return specialFolderPath(p.shell, icon->FileShellFolderType) + "\\" + icon->FileName; };
        if (isFileType(icon->FileType)) {
            if (!recycle(run, path, r, "Symbol, Datei gelöscht!")) continue;  // only what went is reported as gone
        } else if (icon->FileType == kFileTypeFolder) {
            if (!recycle(run, path, r, "Symbol, Ordner gelöscht!")) continue;
        } else if (icon->FileShellFolderType == kFolderNone) {
            std::string classId;
            systemIconClassId(p, icon->Name, classId);
            // An icon without file and class (one no file could be paired with) is left alone.
            if (classId.empty()) continue;
            RegistryAccess registry(p.registry);
            const std::string key = std::string(kHideDesktopIconsKey) + "\\";
            registry.writeDword(kCurrentUser, key + "ClassicStartMenu", classId, 1);
            registry.writeDword(kCurrentUser, key + "NewStartPanel", classId, 1);
            ++run.counters.deleted;
        } else {
            continue;
        }
        markDesktopPosition(run.context.picture, run.project, icon->PosX, icon->PosY, 0);
        feedback.setInfo("Symbol '" + icon->Name + "' gelöscht!");
        run.log(feedback.info());
    }
    return true;
}

}  // namespace plenvik
