#include "platform/sim/DesktopEntries.h"

#include <algorithm>

#include "common/Text.h"
#include "desktop/DesktopSystemIcons.h"
#include "platform/FileSystem.h"
#include "platform/Registry.h"

namespace plenvik {

namespace {

std::uint32_t dwordOf(const RegistryValue& value) {
    return value.data[0] | value.data[1] << 8 | value.data[2] << 16 | static_cast<std::uint32_t>(value.data[3]) << 24;
}

// "ClassicStartMenu" unless the shell state says the new start panel is in force.
std::string hiddenIconsKeyInForce(Registry& registry) {
    long error = 0;
    auto explorer = registry.openCurrentUser(std::string(kExplorerKey), false, &error);
    if (explorer) {
        const RegistryValue state = explorer->query("ShellState");
        if (state.error == 0 && state.data.size() > 32 && (state.data[32] & 2) != 0) return "NewStartPanel";
    }
    return "ClassicStartMenu";
}

std::string userLabel(Registry& registry, std::string_view clsid) {
    long error = 0;
    auto key = registry.openCurrentUser(std::string(kSystemIconLabelKey) + "\\" + std::string(clsid), false, &error);
    if (!key) return {};
    const RegistryValue value = key->query("");
    if (value.error != 0 || value.type != kRegSz) return {};
    return trimAtNull(std::string(value.data.begin(), value.data.end()));
}

bool hidden(RegistryKey* hiddenIcons, std::string_view clsid) {
    if (!hiddenIcons) return false;
    const RegistryValue value = hiddenIcons->query(std::string(clsid));
    if (value.error != 0 || value.type != kRegDword || value.data.size() < 4) return false;
    return dwordOf(value) == 1;
}

void appendFolder(FileSystem& files, const std::string& folder, int code, const LabelRules& rules, std::vector<DesktopEntry>& out) {
    if (folder.empty()) return;
    for (const FindEntry& e : files.find(folder + "\\*")) {
        if (e.name == "." || e.name == "..") continue;
        if (e.attributes & (kAttrHidden | kAttrSystem)) continue;
        out.push_back({std::to_string(code) + "|" + foldCase(e.name), desktopLabel(e.name, (e.attributes & kAttrDirectory) != 0, rules),
                       code, folder + "\\" + e.name});
    }
}

}  // namespace

std::vector<DesktopEntry> visibleSystemIcons(Registry& registry) {
    std::vector<DesktopEntry> icons;
    long error = 0;
    auto hiddenIcons = registry.openCurrentUser(std::string(kHideDesktopIconsKey) + "\\" + hiddenIconsKeyInForce(registry), false, &error);
    for (const DesktopSystemIcon& icon : kDesktopSystemIcons) {
        if (hidden(hiddenIcons.get(), icon.clsid)) continue;
        std::string label = userLabel(registry, icon.clsid);
        if (label.empty()) label = std::string(icon.builtInLabel);
        icons.push_back({std::string(icon.clsid), label, kDesktopFolderNone, "::" + std::string(icon.clsid)});
    }
    return icons;
}

std::vector<DesktopEntry> readDesktopEntries(FileSystem& files, Registry* registry, const DesktopFolders& folders,
                                             const KnownFileType& knownType) {
    std::vector<DesktopEntry> entries;
    if (registry) entries = visibleSystemIcons(*registry);
    const LabelRules rules{registry ? hidesFileExtensions(*registry) : true, knownType};
    std::vector<DesktopEntry> items;
    appendFolder(files, folders.user, kDesktopFolderUser, rules, items);
    appendFolder(files, folders.common, kDesktopFolderCommon, rules, items);
    // The shell sorts the desktop by name; the user's entry comes first when both folders hold the name.
    std::stable_sort(items.begin(), items.end(),
                     [](const DesktopEntry& a, const DesktopEntry& b) { return foldCase(a.label) < foldCase(b.label); });
    entries.insert(entries.end(), items.begin(), items.end());
    return entries;
}

}  // namespace plenvik
