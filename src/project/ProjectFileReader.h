// Reads project files. The bytes are windows-1252 text (a file that declares UTF-8 or starts with a
// UTF-8 byte order mark is taken as UTF-8); they are converted to UTF-8 before parsing. Monitors and
// icons are the element children of MONITOR_DATA and ICON_DATA in document order, whatever their
// names and whatever the two count elements say. Failures come back as data, never as exceptions.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "project/ProjectFileModel.h"

namespace plenvik {

enum class ProjectReadStatus {
    Ok,
    ParseError,      // not well-formed XML: see parse
    NoDataRoot,      // well-formed, but the top element is not DATA
    MissingElement,  // an element the reading needs is not there: see element
    NotANumber,      // an element that holds a number holds something else: see element and text
};

// Where and why the XML parser gave up.
struct XmlParseError {
    std::string reason;            // the parser's description
    std::size_t offset = 0;        // byte position in the file, from 0
    std::size_t line = 0;          // from 1
    std::size_t linePosition = 0;  // byte position in that line, from 1
    std::string sourceText;        // the file's text around the position (at most one line)
};

struct ProjectReadError {
    ProjectReadStatus status = ProjectReadStatus::Ok;
    XmlParseError parse;
    std::string element;  // path of the element concerned: "DATA/ICON_DATA/Icon003/PosX"
    std::string text;     // the text found where a number was expected

    // A German sentence for the error report or the protocol.
    std::string message() const;
};

struct ProjectHeaderResult {
    ProjectHeader header;
    ProjectReadError error;
    bool ok() const { return error.status == ProjectReadStatus::Ok; }
};

struct ProjectDocumentResult {
    ProjectDocument document;
    ProjectReadError error;
    bool ok() const { return error.status == ProjectReadStatus::Ok; }
};

// The whole file is parsed (an incomplete file must show as an error), but only the eight header
// elements are taken, each the first of its name under DATA.
ProjectHeaderResult readProjectHeader(std::string_view fileBytes);

// Whether a file beginning so is UTF-8 (a byte order mark, or declared so); else it is windows-1252.
bool projectFileIsUtf8(std::string_view fileStart);
// A piece of such a file as UTF-8, for an error's source text (a cut-off sequence becomes U+FFFD).
std::string projectBytesAsUtf8(std::string_view bytes, bool utf8Source);

// Everything: header, picture and its factors, monitors and icons.
ProjectDocumentResult readProjectFile(std::string_view fileBytes);
// The same from bytes it may give up once it has its own copy for the parser, so that the two are never
// held together; a parse error then names no line and position (for a text the caller made itself).
ProjectDocumentResult readProjectFileReleasing(std::string&& fileBytes);

}  // namespace plenvik
