#include "project/ProjectFileReader.h"

#include <array>
#include <limits>
#include <pugixml.hpp>

#include "common/Text.h"
#include "project/ProjectNames.h"

namespace plenvik {
namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

// The bytes as the parser gets them, and what is needed to point back into the file.
struct ParserInput {
    std::string text;         // UTF-8
    bool utf8Source = false;  // the file itself was UTF-8
    std::size_t skipped = 0;  // bytes of a byte order mark left out in front
};

bool isXmlBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// The encoding pseudo-attribute of the XML declaration: where it stands (from `encoding` to the
// closing quote) and its value. Empty when the text has no declaration or the declaration none.
struct EncodingDeclaration {
    std::size_t begin = 0, end = 0;
    std::string value;
    bool found() const { return end > begin; }
};

EncodingDeclaration findEncodingDeclaration(std::string_view text) {
    EncodingDeclaration result;
    if (text.substr(0, 5) != "<?xml" || text.size() < 6 || !isXmlBlank(text[5])) return result;
    const std::size_t declEnd = text.find("?>");
    if (declEnd == std::string_view::npos) return result;
    const std::string_view decl = text.substr(0, declEnd);
    const std::size_t begin = decl.find("encoding");
    if (begin == std::string_view::npos) return result;
    std::size_t pos = begin + 8;
    while (pos < decl.size() && isXmlBlank(decl[pos])) ++pos;
    if (pos >= decl.size() || decl[pos] != '=') return result;
    ++pos;
    while (pos < decl.size() && isXmlBlank(decl[pos])) ++pos;
    if (pos >= decl.size() || (decl[pos] != '"' && decl[pos] != '\'')) return result;
    const std::size_t close = decl.find(decl[pos], pos + 1);
    if (close == std::string_view::npos) return result;
    result.begin = begin;
    result.end = close + 1;
    result.value = std::string(decl.substr(pos + 1, close - pos - 1));
    return result;
}

// With owned (the string bytes views), the file's bytes are taken over or freed once the parser's text
// is made: bytes must not be used afterwards.
ParserInput prepareInput(std::string_view bytes, std::string* owned) {
    ParserInput input;
    input.utf8Source = projectFileIsUtf8(bytes);
    if (bytes.substr(0, kUtf8Bom.size()) == kUtf8Bom) {
        input.skipped = kUtf8Bom.size();
        bytes.remove_prefix(kUtf8Bom.size());
    }
    if (!owned) {
        input.text = input.utf8Source ? std::string(bytes) : windows1252ToUtf8(bytes);
    } else if (input.utf8Source) {
        input.text = std::move(*owned);
        input.text.erase(0, input.skipped);
    } else {
        input.text = windows1252ToUtf8(bytes);
        std::string().swap(*owned);
    }
    // The text is UTF-8 now; the declaration must not make the parser decode it again. Blanks in its
    // place keep every later position where it was.
    const auto declared = findEncodingDeclaration(input.text);
    if (declared.found()) input.text.replace(declared.begin, declared.end - declared.begin, declared.end - declared.begin, ' ');
    return input;
}

// Position in the parser's UTF-8 text -> position in the file's bytes.
std::size_t fileOffset(std::string_view bytes, const ParserInput& input, std::size_t parserOffset) {
    if (input.utf8Source) return std::min(bytes.size(), parserOffset + input.skipped);
    static const std::array<unsigned char, 256> kUtf8Length = [] {
        std::array<unsigned char, 256> lengths{};
        for (int b = 0; b < 256; ++b)
            lengths[b] = static_cast<unsigned char>(windows1252ToUtf8(std::string(1, static_cast<char>(b))).size());
        return lengths;
    }();
    std::size_t utf8 = 0, pos = 0;
    while (pos < bytes.size() && utf8 < parserOffset) utf8 += kUtf8Length[static_cast<unsigned char>(bytes[pos++])];
    return pos;
}

std::string asUtf8(std::string_view bytes, bool utf8Source) {
    if (!utf8Source) return windows1252ToUtf8(bytes);
    std::string out;  // a cut-off sequence at either end becomes U+FFFD
    for (std::size_t pos = 0; pos < bytes.size();) appendUtf8(out, nextCodePoint(bytes, pos));
    return out;
}

XmlParseError describeParseError(std::string_view bytes, const ParserInput& input, const pugi::xml_parse_result& parsed) {
    constexpr std::size_t kContext = 80;  // bytes shown on either side of the position in a long line
    XmlParseError error;
    error.reason = parsed.description();
    const std::size_t parserOffset = parsed.offset < 0 ? 0 : static_cast<std::size_t>(parsed.offset);
    error.offset = fileOffset(bytes, input, parserOffset);

    const std::size_t lineStart = error.offset == 0 ? 0 : [&] {
        const std::size_t nl = bytes.rfind('\n', error.offset - 1);
        return nl == std::string_view::npos ? 0 : nl + 1;
    }();
    std::size_t line = 1;
    for (std::size_t i = 0; i < lineStart; ++i)
        if (bytes[i] == '\n') ++line;
    error.line = line;
    error.linePosition = error.offset - lineStart + 1;

    std::size_t lineEnd = bytes.find_first_of("\r\n", lineStart);
    if (lineEnd == std::string_view::npos) lineEnd = bytes.size();
    const std::size_t from = error.offset > lineStart + kContext ? error.offset - kContext : lineStart;
    const std::size_t to = std::min(lineEnd, std::max(error.offset, from) + kContext);
    if (to > from) error.sourceText = asUtf8(bytes.substr(from, to - from), input.utf8Source);
    return error;
}

// Ends a reading with its error; caught in the two entry points.
struct ReadFailure {
    ProjectReadError error;
};

[[noreturn]] void fail(ProjectReadStatus status, std::string element, std::string text = {}) {
    ProjectReadError error;
    error.status = status;
    error.element = std::move(element);
    error.text = std::move(text);
    throw ReadFailure{std::move(error)};
}

// The parsed document of a well-formed file whose top element is DATA.
struct ParsedProject {
    ParserInput input;
    pugi::xml_document document;
    pugi::xml_node data;
};

void parseProject(std::string_view bytes, ParsedProject& parsed, std::string* owned = nullptr) {
    parsed.input = prepareInput(bytes, owned);
    if (owned) bytes = {};  // given up: an error names no line
    // A value of blanks alone (a label " ") is the only child of its element and stays; the line
    // breaks and indentation between elements are dropped. An element's leading text is kept as the
    // element's value rather than a node of its own: half the nodes for a project's many small values.
    constexpr unsigned kOptions = pugi::parse_default | pugi::parse_ws_pcdata_single | pugi::parse_embed_pcdata;
    const auto result =
        parsed.document.load_buffer_inplace(parsed.input.text.data(), parsed.input.text.size(), kOptions, pugi::encoding_utf8);
    if (!result) {
        ProjectReadError error;
        error.status = ProjectReadStatus::ParseError;
        error.parse = describeParseError(bytes, parsed.input, result);
        throw ReadFailure{std::move(error)};
    }
    parsed.data = parsed.document.document_element();
    if (std::string_view(parsed.data.name()) != "DATA") fail(ProjectReadStatus::NoDataRoot, "DATA");
}

// All text of an element's own text children (an element split by a comment still reads whole); its
// leading text is the element's value.
std::string textOf(pugi::xml_node element) {
    std::string text = element.value();
    for (const auto child : element.children())
        if (child.type() == pugi::node_pcdata || child.type() == pugi::node_cdata) text += child.value();
    return text;
}

std::string pathOf(const std::string& parentPath, const char* name) { return parentPath + "/" + name; }

pugi::xml_node requireChild(pugi::xml_node parent, const std::string& parentPath, const char* name) {
    const auto child = parent.child(name);
    if (!child) fail(ProjectReadStatus::MissingElement, pathOf(parentPath, name));
    return child;
}

std::string requireText(pugi::xml_node parent, const std::string& parentPath, const char* name) {
    return textOf(requireChild(parent, parentPath, name));
}

std::int32_t requireLong(pugi::xml_node parent, const std::string& parentPath, const char* name) {
    const std::string text = requireText(parent, parentPath, name);
    const auto value = parseLong(text);
    if (!value) fail(ProjectReadStatus::NotANumber, pathOf(parentPath, name), text);
    return *value;
}

std::int16_t requireInteger(pugi::xml_node parent, const std::string& parentPath, const char* name) {
    const std::string text = requireText(parent, parentPath, name);
    const auto value = parseLong(text);
    if (!value || *value < std::numeric_limits<std::int16_t>::min() || *value > std::numeric_limits<std::int16_t>::max())
        fail(ProjectReadStatus::NotANumber, pathOf(parentPath, name), text);
    return static_cast<std::int16_t>(*value);
}

float requireSingle(pugi::xml_node parent, const std::string& parentPath, const char* name) {
    const std::string text = requireText(parent, parentPath, name);
    const auto value = parseSingle(text);
    if (!value) fail(ProjectReadStatus::NotANumber, pathOf(parentPath, name), text);
    return *value;
}

template <class Each>
void forEachElementChild(pugi::xml_node parent, Each&& each) {
    for (const auto child : parent.children())
        if (child.type() == pugi::node_element) each(child);
}

ProjectHeader readHeaderElements(pugi::xml_node data, bool required) {
    const std::string path = "DATA";
    const auto get = [&](const char* name) { return required ? requireText(data, path, name) : textOf(data.child(name)); };
    ProjectHeader header;
    header.OrvelVersion = get("OrvelVersion");
    header.ComputerName = get("ComputerName");
    header.UserName = get("UserName");
    header.DateTime = get("DateTime");
    header.MonitorCount = get("MonitorCount");
    header.IconCount = get("IconCount");
    header.DesktopViewStyle = get("DesktopViewStyle");
    header.DesktopArrangeStyle = get("DesktopArrangeStyle");
    return header;
}

MonitorRecord readMonitor(pugi::xml_node element, const std::string& path) {
    MonitorRecord m;
    m.Nr = requireLong(element, path, "Nr");
    m.Left = requireLong(element, path, "Left");
    m.Top = requireLong(element, path, "Top");
    m.Right = requireLong(element, path, "Right");
    m.Bottom = requireLong(element, path, "Bottom");
    m.Width = requireLong(element, path, "Width");
    m.Height = requireLong(element, path, "Height");
    m.Frequency = requireLong(element, path, "Frequency");
    m.ColorDepth = requireInteger(element, path, "ColorDepth");
    m.DeviceName = requireText(element, path, "DeviceName");
    return m;
}

DesktopIcon readIcon(pugi::xml_node element, const std::string& path) {
    DesktopIcon icon;
    icon.PosOrder = requireLong(element, path, "Nr");
    icon.Name = requireText(element, path, "Name");
    icon.PosX = requireLong(element, path, "PosX");
    icon.PosY = requireLong(element, path, "PosY");
    icon.FileName = requireText(element, path, "FileName");
    icon.FileType = requireText(element, path, "FileType");
    icon.FileShellFolderType = requireLong(element, path, "FileShellFolderType");
    icon.FileReasonNotLoaded = requireLong(element, path, "FileReasonNotLoaded");
    icon.FileData_BASE64 = requireText(element, path, "FileData_BASE64");
    return icon;
}

}  // namespace

bool projectFileIsUtf8(std::string_view fileStart) {
    if (fileStart.substr(0, kUtf8Bom.size()) == kUtf8Bom) return true;
    const auto declared = findEncodingDeclaration(fileStart);
    return equalsIgnoreCaseAscii(declared.value, "utf-8") || equalsIgnoreCaseAscii(declared.value, "utf8");
}

std::string projectBytesAsUtf8(std::string_view bytes, bool utf8Source) { return asUtf8(bytes, utf8Source); }

std::string ProjectReadError::message() const {
    switch (status) {
    case ProjectReadStatus::Ok: return {};
    case ProjectReadStatus::ParseError:
        return "Die Projektdatei ist keine gültige XML Datei: " + parse.reason + " (Zeile " + std::to_string(parse.line) +
               ", Zeilen Position " + std::to_string(parse.linePosition) + ").";
    case ProjectReadStatus::NoDataRoot: return "Die Projektdatei enthält kein Element 'DATA'.";
    case ProjectReadStatus::MissingElement: return "In der Projektdatei fehlt das Element '" + element + "'.";
    case ProjectReadStatus::NotANumber: return "Das Element '" + element + "' der Projektdatei enthält keine gültige Zahl: '" + text + "'.";
    }
    return {};
}

namespace {

ProjectDocumentResult readDocument(std::string_view fileBytes, std::string* owned) {
    ProjectDocumentResult result;
    try {
        ParsedProject parsed;
        parseProject(fileBytes, parsed, owned);
        const pugi::xml_node data = parsed.data;
        const std::string path = "DATA";
        ProjectDocument& doc = result.document;
        // Only what the analysis needs is required; the other header values are shown when present.
        doc.header = readHeaderElements(data, false);
        doc.viewStyle = requireLong(data, path, "DesktopViewStyle");
        doc.arrangeStyle = requireLong(data, path, "DesktopArrangeStyle");
        doc.screenPicture = requireText(data, path, "ScreenPicture");
        doc.horizontalOperator = requireSingle(data, path, "ScreenPictureHorizontalOperator");
        doc.verticalOperator = requireSingle(data, path, "ScreenPictureVerticalOperator");

        const std::string monitorsPath = pathOf(path, "MONITOR_DATA");
        forEachElementChild(requireChild(data, path, "MONITOR_DATA"), [&](pugi::xml_node monitor) {
            doc.monitors.push_back(readMonitor(monitor, pathOf(monitorsPath, monitor.name())));
        });
        const std::string iconsPath = pathOf(path, "ICON_DATA");
        const pugi::xml_node icons = requireChild(data, path, "ICON_DATA");
        // Counted first: a growing table would hold its old and new copy at once, twice the icons' memory.
        std::size_t count = 0;
        forEachElementChild(icons, [&](pugi::xml_node) { ++count; });
        doc.icons.reserve(count);
        forEachElementChild(icons, [&](pugi::xml_node icon) { doc.icons.push_back(readIcon(icon, pathOf(iconsPath, icon.name()))); });
    } catch (ReadFailure& failure) {
        result.document = {};
        result.error = std::move(failure.error);
    }
    return result;
}

}  // namespace

ProjectHeaderResult readProjectHeader(std::string_view fileBytes) {
    ProjectHeaderResult result;
    try {
        ParsedProject parsed;
        parseProject(fileBytes, parsed);
        result.header = readHeaderElements(parsed.data, true);
    } catch (ReadFailure& failure) {
        result.error = std::move(failure.error);
    }
    return result;
}

ProjectDocumentResult readProjectFile(std::string_view fileBytes) { return readDocument(fileBytes, nullptr); }

ProjectDocumentResult readProjectFileReleasing(std::string&& fileBytes) { return readDocument(fileBytes, &fileBytes); }

}  // namespace plenvik
