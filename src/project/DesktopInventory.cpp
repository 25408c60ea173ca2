#include "project/DesktopInventory.h"

#include <optional>

#include "common/Text.h"
#include "desktop/DesktopSystemIcons.h"
#include "errors/Procedure.h"
#include "platform/FileSystem.h"
#include "platform/IconView.h"
#include "platform/Platform.h"
#include "run/RunContext.h"
#include "run/RunFeedback.h"
#include "settings/Settings.h"
#include "system/FileBuffer.h"
#include "project/IconFilePairing.h"
#include "system/ShellLinkFile.h"
#include "base64/Base64.h"
#include "system/RegistryAccess.h"
#include "system/SpecialFolders.h"

namespace plenvik {
namespace {

constexpr std::uint32_t kCurrentUser = 0x80000001u;
const std::string kClsidKey = std::string(kSystemIconLabelKey) + "\\";
const std::string kHideKeys[] = {std::string(kHideDesktopIconsKey) + "\\ClassicStartMenu",
                                 std::string(kHideDesktopIconsKey) + "\\NewStartPanel"};

bool containsIgnoringCase(const std::string& text, const std::string& part) { return toLowerAscii(text).find(part) != std::string::npos; }

bool endsWithIgnoringCase(const std::string& text, const std::string& end) {
    return text.size() >= end.size() && toLowerAscii(text.substr(text.size() - end.size())) == end;
}

std::string userLabel(Platform& platform, const std::string& classId) {
    std::string error;
    return textOf(RegistryAccess(platform.registry).readValue(kCurrentUser, kClsidKey + classId, "", "", error));
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
            // An Internet shortcut is a small file of its own: without its contents a deleted one
            // could only come back empty.
            icon->FileType = kFileTypeInternetLink;
            loadContents(folder + name, *icon, contents_ != ContentMode::Skip);
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
        FileBuffer file(c_.platform.files);
        if (!file.open(path, kFileModeRead, kAttrNormal).ok()) return false;
        if (static_cast<std::int64_t>(file.FileSize()) > static_cast<std::int64_t>(c_.fileSizeMaxKiB) * 1024) {
            icon.FileReasonNotLoaded = kReasonTooBig;
            return true;
        }
        if (!wanted) return true;
        if (contents_ == ContentMode::Defer) {
            icon.ContentPath = path;
            return true;
        }
        if (file.read().ok()) icon.FileData_BASE64 = encodeBase64(file.Bytes());
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

namespace {

// The files of both desktop folders that could stand behind a label.
std::vector<DesktopFile> filesFittingLabel(FileSystem& files, const std::string& label, const std::string (&folders)[2]) {
    std::vector<DesktopFile> fitting;
    const int codes[2] = {kFolderUserDesktop, kFolderCommonDesktop};
    for (int f = 0; f < 2; ++f) {
        if (folders[f].empty()) continue;
        for (const FindEntry& entry : files.find(folders[f] + label + "*"))
            if (entry.name != "." && entry.name != ".." && labelFitsFileName(label, entry))
                fitting.push_back({folders[f], codes[f], entry});
    }
    return fitting;
}

// The class identifier of a known system icon the folder view names "::{CLSID}"; empty otherwise.
std::string systemIconOfParsingName(const std::string& parsingName) {
    for (const DesktopSystemIcon& icon : kDesktopSystemIcons)
        if (parsingName.size() == icon.clsid.size() + 2 && parsingName.compare(0, 2, "::") == 0 &&
            equalsIgnoreCaseAscii(std::string_view(parsingName).substr(2), icon.clsid))
            return std::string(icon.clsid);
    return {};
}

int iconsLabelled(const std::vector<DesktopIcon>& table, const std::string& label) {
    const std::string folded = foldCase(label);
    int count = 0;
    for (std::size_t k = 1; k < table.size(); ++k)
        if (foldCase(table[k].Name) == folded) ++count;
    return count;
}

}  // namespace

bool inventoryIconFiles(InventoryContext& context, std::vector<DesktopIcon>& table, std::int32_t index, ContentMode contents) {
    Procedure proc(context.errors, "frmMain.fc_DesktopIconsGetFiles");
    bool completed = false;
    proc.run([&] {
        if (index < 0 || static_cast<std::size_t>(index) >= table.size() || (index == 0 && table.empty())) return;
        std::string folders[2];
        proc.step([&] { folders[0] = specialFolderPath(context.platform.shell, kFolderUserDesktop); });
        proc.step([&] { folders[1] = specialFolderPath(context.platform.shell, kFolderCommonDesktop); });
        for (std::string& f : folders)
            if (!f.empty()) f += "\\";
        const std::size_t first = index == 0 ? 1 : static_cast<std::size_t>(index);
        const std::size_t last = index == 0 ? table.size() - 1 : first;
        for (std::size_t k = first; k <= last; ++k) {
            Inventory inventory(context, table, static_cast<std::int32_t>(k), contents);
            DesktopIcon& icon = table[k];
            std::optional<DesktopFile> file;
            if (!icon.ParsingName.empty()) {
                // The folder view names the item: no guessing from the label.
                file = desktopFileOfParsingName(icon.ParsingName, folders[0], folders[1]);
                if (file) {
                    proc.step([&] {
                        const std::vector<FindEntry> found = context.platform.files.find(icon.ParsingName);
                        if (found.empty())
                            file.reset();
                        else
                            file->entry = found.front();
                    });
                }
            } else {
                std::vector<DesktopFile> fitting;
                proc.step([&] { fitting = filesFittingLabel(context.platform.files, icon.Name, folders); });
                // A file whose whole name another icon shows is that icon's.
                std::erase_if(fitting, [&](const DesktopFile& f) {
                    return !labelIsFileName(icon.Name, f.entry.name) && iconsLabelled(table, iconBaseName(f.entry.name)) > 0;
                });
                IconFilePairing pairing = pairIconWithFile(icon.Name, iconsLabelled(table, icon.Name), fitting);
                file = std::move(pairing.file);
                if (!pairing.ambiguous.empty()) {
                    std::string names;
                    for (const std::string& n : pairing.ambiguous) names += (names.empty() ? "'" : ", '") + n + "'";
                    context.log("Symbol '" + icon.Name + "' ist nicht eindeutig einer Datei zuzuordnen (" + names +
                                "), Inhalt wird nicht gesichert!");
                }
            }
            if (file) proc.step([&] { inventory.handle(file->folder, file->folderCode, file->entry); });
            if (index != 0 && table[k].FileType.empty()) {
                std::string classId = systemIconOfParsingName(table[k].ParsingName);
                if (classId.empty() && table[k].ParsingName.empty()) systemIconClassId(context.platform, table[k].Name, classId);
                if (!classId.empty()) table[k].FileType = classId;
            }
        }
        if (index == 0) context.setInfo("(Aktion erfolgreich abgeschlossen!)");
        completed = true;
    });
    return completed;
}

bool systemIconClassId(Platform& platform, const std::string& label, std::string& classId) {
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

bool unhideSystemIcon(Platform& platform, const std::string& classId, const std::string& label) {
    // Only the known icons' keys are written, under their own spelling of the class identifier.
    const DesktopSystemIcon* known = findDesktopSystemIcon(classId);
    if (!known) return false;
    const std::string id(known->clsid);
    RegistryAccess reg(platform.registry);
    if (label != userLabel(platform, id)) reg.writeString(kCurrentUser, kClsidKey + id, "", label);
    for (const std::string& key : kHideKeys) reg.writeDword(kCurrentUser, key, id, 0);
    platform.desktop.refresh();
    return true;
}

InventoryContext inventoryContextOf(const RunContext& run) {
    RunFeedback& feedback = run.feedback;
    return InventoryContext{run.platform,
                            run.errors,
                            run.settings.fileSizeMax,
                            0,
                            [&feedback] { return feedback.info(); },
                            [&feedback](const std::string& text) {
                                feedback.setInfo(text);
                                feedback.pumpEvents();
                            },
                            [&feedback](const std::string& text) { feedback.addToProtocol(text); }};
}

}  // namespace plenvik
