// Loads one project file and shows it: the description of its view style in the "MAIN" row, the
// monitor rows, the monitor picture and one row per saved icon. The loaded project is what the
// comparison, the restore and the icon repair work on.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "project/LoadedProject.h"

namespace plenvik {

struct RunContext;
struct XmlParseError;

// The loaded project when the file was read to the end. Null, without a message, when it cannot be read
// or is not well-formed XML (the status line keeps "Symbole aus Datei laden und anzeigen..."; parseError,
// when given, says where the parser gave up). A well-formed file that lacks an element or holds text
// where a number belongs is reported to the error handler and gives null: a project that did not load
// completely can be neither compared nor restored.
std::shared_ptr<const LoadedProject> analyseProjectFile(RunContext& context, const std::string& directory, const std::string& fileName,
                                                        XmlParseError* parseError = nullptr);
// "1920 * 1080, 60, 32 Bit - Pos: 0000, 0000, 1920, 1080": a monitor row's information cell.
std::string monitorRowInformation(std::int32_t width, std::int32_t height, std::int32_t frequency, std::int32_t colorDepth,
                                  std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom);

}  // namespace plenvik
