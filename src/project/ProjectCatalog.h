// What the project list needs of a project file without loading it: its header, read from the bytes
// before its icons, and the sort key of its date.
#pragma once

#include <string>

#include "project/ProjectFileReader.h"

namespace plenvik {

class FileSystem;
class Locale;

// The header of the project file at path. readable is false when the file cannot be read at all.
ProjectHeaderResult readListedHeader(FileSystem& files, const std::string& path, bool& readable);

// "YYMMDDHHNNSS" of a DateTime text: in the regional form first, then in the forms other systems
// write (German, English with AM/PM, ISO); empty when it is none of them.
std::string projectDateSortKey(Locale& locale, const std::string& dateTime);

}  // namespace plenvik
