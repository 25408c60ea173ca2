#include "project/IconFilePairing.h"

#include "common/Text.h"
#include "desktop/DesktopLabels.h"
#include "project/DesktopIcon.h"
#include "project/DesktopInventory.h"

namespace plenvik {

bool labelIsFileName(std::string_view label, std::string_view fileName) {
    return foldCase(iconBaseName(std::string(fileName))) == foldCase(label);
}

bool labelFitsFileName(std::string_view label, const FindEntry& entry) {
    if (labelIsFileName(label, entry.name)) return true;
    if (entry.attributes & kAttrDirectory) return false;
    const std::string extension = fileExtension(entry.name);
    return !extension.empty() && foldCase(std::string_view(entry.name).substr(0, entry.name.size() - extension.size())) == foldCase(label);
}

IconFilePairing pairIconWithFile(std::string_view label, int iconsWithThisLabel, const std::vector<DesktopFile>& candidates) {
    std::vector<const DesktopFile*> whole, withoutExtension;
    for (const DesktopFile& c : candidates) {
        if (labelIsFileName(label, c.entry.name))
            whole.push_back(&c);
        else if (labelFitsFileName(label, c.entry))
            withoutExtension.push_back(&c);
    }
    IconFilePairing pairing;
    if (iconsWithThisLabel <= 1) {
        if (whole.size() == 1) {
            pairing.file = *whole.front();
            return pairing;
        }
        if (whole.empty() && withoutExtension.size() == 1) {
            pairing.file = *withoutExtension.front();
            return pairing;
        }
    }
    // Unpaired although files fit: more than one could be meant.
    for (const auto* c : whole) pairing.ambiguous.push_back(c->folder + c->entry.name);
    for (const auto* c : withoutExtension) pairing.ambiguous.push_back(c->folder + c->entry.name);
    return pairing;
}

std::optional<DesktopFile> desktopFileOfParsingName(std::string_view parsingName, const std::string& userFolder,
                                                    const std::string& commonFolder) {
    for (const auto& [folder, code] : {std::pair{&userFolder, kFolderUserDesktop}, std::pair{&commonFolder, kFolderCommonDesktop}}) {
        if (folder->empty() || parsingName.size() <= folder->size()) continue;
        if (foldCase(parsingName.substr(0, folder->size())) != foldCase(*folder)) continue;
        const std::string name(parsingName.substr(folder->size()));
        if (name.find('\\') != std::string::npos) continue;
        return DesktopFile{*folder, code, FindEntry{name, 0, 0}};
    }
    return std::nullopt;
}

}  // namespace plenvik
