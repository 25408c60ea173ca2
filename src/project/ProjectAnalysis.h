// Loads one project file into the main window: the description of its view style in the "MAIN" row,
// the monitor rows, the monitor picture, one row per saved icon, and the project icon table with the
// picture factors, which the comparison, the restore and the icon repair work on.
#pragma once

#include <cstdint>
#include <string>

namespace plenvik {

class frmMain;
struct XmlParseError;

// True when the file was loaded to the end. False, without a message, when it cannot be read or is not
// well-formed XML (the status line keeps "Symbole aus Datei laden und anzeigen..."; parseError, when
// given, says where the parser gave up). A well-formed file that lacks an element or holds text where a
// number belongs is reported to the error handler and gives false. Whenever it gives false the project
// icon table is empty: no earlier project's icons stay for a restore.
bool fc_DesktopIconsAnalyseFromFile(frmMain& form, const std::string& path, XmlParseError* parseError = nullptr);

// "1920 * 1080, 60, 32 Bit - Pos: 0000, 0000, 1920, 1080": a monitor row's information cell.
std::string monitorRowInformation(std::int32_t width, std::int32_t height, std::int32_t frequency, std::int32_t colorDepth,
                                  std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom);

}  // namespace plenvik
