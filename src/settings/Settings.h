// The four user settings the main window holds and Settings.xml keeps.
#pragma once

#include <cstdint>

namespace plenvik {

inline constexpr std::int32_t kFileSizeMaxDefault = 500;      // KiB
inline constexpr std::int32_t kFileSizeMaxLargest = 1000000;  // KiB; the dialog calls it "1 GB"

struct Settings {
    // GENERAL_FILESIZE_MAX: files larger than this many KiB are not embedded in a project.
    std::int32_t fileSizeMax = kFileSizeMaxDefault;
    // GENERAL_FILE_SAVE: stored and edited only.
    bool fileSave = true;
    // GENERAL_FILENAME_AUTO: a save names the project file itself, without asking.
    bool fileNameAuto = false;
    // GENERAL_FOLDER_SAVE: stored and edited only; always off after reading the file.
    bool folderSave = false;

    bool operator==(const Settings&) const = default;
};

}  // namespace plenvik
