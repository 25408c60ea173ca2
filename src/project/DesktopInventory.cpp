#include "project/DesktopInventory.h"

#include "common/Text.h"
#include "desktop/DesktopSystemIcons.h"
#include "errors/Procedure.h"
#include "platform/FileSystem.h"
#include "platform/IconView.h"
#include "platform/Platform.h"
#include "project/clsFile.h"
#include "project/clsShellLink.h"
#include "project/mdlBASE64.h"
#include "project/mdlReg.h"
#include "project/SpecialFolders.h"

namespace plenvik {
namespace {

constexpr std::uint32_t kCurrentUser = 0x80000001u;
const std::string kClsidKey = std::string(kSystemIconLabelKey) + "\\";
const std::string kHideKeys[] = {std::string(kHideDesktopIconsKey) + "\\ClassicStartMenu",
                                 std::string(kHideDesktopIconsKey) + "\\NewStartPanel"};

bool containsIgnoringCase(const std::string& text, const std::string& part) {
    return toLowerAscii(text).find(part) != std::string::npos;
}

bool endsWithIgnoringCase(const std::string& text, const std::string& end) {
    return text.size() >= end.size() && toLowerAscii(text.substr(text.size() - end.size())) == end;
}

std::string userLabel(Platform& platform, const std::string& classId) {
    std::string error;
    return textOf(mdlReg(platform.registry).fc_RegValueGet(kCurrentUser, kClsidKey + classId, "", "", error));
}

class Inventory {
public:
    Inventory(InventoryContext& c, std::vector<DesktopIcon>& table, std::int32_t index, ContentMode contents)
        : c_(c), table_(table), index_(index), contents_(contents) {}

    // Returns true once the entry for a single icon has been handled (the search stops there).
    bool handle(const std::string& folder, int folderCode, const FindEntry& entry) {
        const std::string& name = entry.name;
        const std::string base = iconBaseName(name);
        c_.setInfo("Analyse der Verknüfpung: '" + name + "' ...");
        if (name == "." || name == "..") return false;
        DesktopIcon* icon = nullptr;
        if (index_ != 0) {
            icon = &table_[static_cast<std::size_t>(index_)];
        } else {
            for (std::size_t k = 1; k < table_.size() && !icon; ++k)
                if (table_[k].Name == base) icon = &table_[k];
            if (!icon) return false;
        }
        icon->FileName = name;
        icon->FileType.clear();
        icon->FileShellFolderType = folderCode;
        icon->FileData_BASE64.clear();
        icon->ContentPath.clear();
        if (containsIgnoringCase(name, ".lnk")) {
            link(folder, *icon);
        } else if (endsWithIgnoringCase(name, ".url")) {
            icon->FileType = kFileTypeInternetLink;
        } else if (entry.attributes & kAttrDirectory) {
            icon->FileType = kFileTypeFolder;
        } else {
            c_.setInfo(c_.info() + " (prüfe: '" + folder + name + "')");
            if (loadContents(folder + name, *icon, contents_ != ContentMode::Skip)) icon->FileType = kFileTypeFile;
        }
        return true;
    }

private:
    // Opens the file; records a too-large file or takes its contents. False when it cannot be opened.
    bool loadContents(const std::string& path, DesktopIcon& icon, bool wanted) {
        clsFile file(c_.platform.files);
        if (!file.fc_FileOpen(path, kFileModeRead, kAttrNormal).ok()) return false;
        if (static_cast<std::int64_t>(file.FileSize()) > static_cast<std::int64_t>(c_.fileSizeMaxKiB) * 1024) {
            icon.FileReasonNotLoaded = kReasonTooBig;
            return true;
        }
        if (!wanted) return true;
        if (contents_ == ContentMode::Defer) {
            icon.ContentPath = path;
            return true;
        }
        if (file.fc_FileRead().ok()) icon.FileData_BASE64 = fc_Base64Encode(file.Bytes());
        return true;
    }

    void link(const std::string& folder, DesktopIcon& icon) {
        const std::string linkFile = folder + icon.FileName;
        const std::string target = linkTargetPath(c_.platform.shell, c_.platform.files, linkFile, c_.windowHandle);
        c_.setInfo(c_.info() + " (prüfe: '" + target + "')");
        const std::vector<FindEntry> found = target.empty() ? std::vector<FindEntry>{} : c_.platform.files.find(target);
        if (found.empty()) {
            icon.FileType = kFileTypeErrLink;
            icon.FileReasonNotLoaded = kReasonTargetMissing;
            icon.LinkTarget = target;
            c_.log("Symbol, Verweis '" + icon.FileName + "' konnte nicht gefunden werden: '" + target + "'!");
            return;
        }
        // Links carry their contents even where plain files do not.
        if (!loadContents(linkFile, icon, true)) return;
        if (icon.FileReasonNotLoaded == kReasonTooBig) c_.log("Symbol, Datei '" + icon.FileName + "' nicht geladen, da zu groß!");
        icon.FileType = (found.front().attributes & kAttrDirectory) ? kFileTypeFolderLink : kFileTypeFileLink;
    }

    InventoryContext& c_;
    std::vector<DesktopIcon>& table_;
    std::int32_t index_;
    ContentMode contents_;
};

}  // namespace

std::string iconBaseName(const std::string& fileName) {
    std::string base;
    for (std::size_t i = 0; i < fileName.size();) {
        const std::string next = toLowerAscii(fileName.substr(i, 4));
        if (next == ".lnk" || next == ".url") {
            i += 4;
        } else {
            base += fileName[i++];
        }
    }
    return base;
}

bool fc_DesktopIconsGetFiles(InventoryContext& context, std::vector<DesktopIcon>& table, std::int32_t index,
                             ContentMode contents) {
    Procedure proc(context.errors, "frmMain.fc_DesktopIconsGetFiles");
    bool completed = false;
    proc.run([&] {
        if (index < 0 || static_cast<std::size_t>(index) >= table.size() || (index == 0 && table.empty())) return;
        Inventory inventory(context, table, index, contents);
        bool done = false;
        for (const int folderCode : {kFolderUserDesktop, kFolderCommonDesktop}) {
            if (done) break;
            std::string folder;
            proc.step([&] { folder = fc_SpecialFolderPathGet(context.platform.shell, folderCode) + "\\"; });
            if (folder.empty()) continue;
            if (index != 0) {
                const std::string& label = table[static_cast<std::size_t>(index)].Name;
                for (const FindEntry& entry : context.platform.files.find(folder + label + "*")) {
                    if (foldCase(iconBaseName(entry.name)) != foldCase(label)) continue;
                    proc.step([&] { done = inventory.handle(folder, folderCode, entry); });
                    if (done) break;
                }
            } else {
                for (const FindEntry& entry : context.platform.files.find(folder + "*.*"))
                    proc.step([&] { inventory.handle(folder, folderCode, entry); });
            }
        }
        if (index != 0 && table[static_cast<std::size_t>(index)].FileType.empty()) {
            std::string classId;
            fc_DesktopIconSysClsidGet(context.platform, table[static_cast<std::size_t>(index)].Name, classId);
            if (!classId.empty()) table[static_cast<std::size_t>(index)].FileType = classId;
        }
        if (index == 0) context.setInfo("(Aktion erfolgreich abgeschlossen!)");
        completed = true;
    });
    return completed;
}

bool fc_DesktopIconSysClsidGet(Platform& platform, const std::string& label, std::string& classId) {
    classId.clear();
    for (const DesktopSystemIcon& icon : kDesktopSystemIcons) {
        const std::string user = userLabel(platform, std::string(icon.clsid));
        if (label == user || (user.empty() && label == icon.builtInLabel)) {
            classId = icon.clsid;
            break;
        }
    }
    return true;
}

bool fc_DesktopIconSysShow(Platform& platform, const std::string& classId, const std::string& label) {
    mdlReg reg(platform.registry);
    if (label != userLabel(platform, classId)) reg.fc_RegValueSetString(kCurrentUser, kClsidKey + classId, "", label);
    for (const std::string& key : kHideKeys) reg.fc_RegValueSetDword(kCurrentUser, key, classId, 0);
    platform.desktop.refresh();
    return true;
}

}  // namespace plenvik
