// Settings.xml in the program's folder: seven lines of windows-1252 text with CR LF line ends.
#pragma once

#include <string>

#include "settings/Settings.h"

namespace plenvik {

class Dialogs;
class ErrorHandler;
class FileSystem;

inline constexpr const char* kSettingsFileName = "Settings.xml";

// programFolder + "\" + "Settings.xml".
std::string settingsFilePath(const std::string& programFolder);

// The file's exact bytes for these values.
std::string settingsFileText(const Settings& settings);

// Reads Settings.xml into settings. A missing, unreadable or malformed file (or one without SETTINGS)
// silently gives limit 500, file switch on, folder switch off and keeps the automatic name switch:
// result false. Otherwise the values are read, an element that is missing gives its default, and the
// folder switch is always off: result true.
bool readSettingsFile(Settings& settings, FileSystem& files, const std::string& programFolder, ErrorHandler& handler, Dialogs& dialogs);

// Writes the file through a temporary file in the same folder that replaces Settings.xml only once it
// is complete. A failure goes to the error handler; the previous file stays as it was. True when written.
bool saveSettingsFile(const Settings& settings, FileSystem& files, const std::string& programFolder, ErrorHandler& handler);

}  // namespace plenvik
