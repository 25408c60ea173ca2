#include "settings/SettingsFile.h"

#include <pugixml.hpp>

#include <memory>
#include <new>

#include "common/AtomicFile.h"
#include "common/Text.h"
#include "errors/Procedure.h"
#include "platform/Dialogs.h"
#include "platform/FileSystem.h"
#include "common/NumberText.h"

namespace plenvik {
namespace {

// A settings file is a few hundred bytes; anything this large is not one and is not read into memory.
constexpr std::uint64_t kLargestSettingsFile = 1024 * 1024;

constexpr const char* kKeyFileSizeMax = "GENERAL_FILESIZE_MAX";
constexpr const char* kKeyFileSave = "GENERAL_FILE_SAVE";
constexpr const char* kKeyFileNameAuto = "GENERAL_FILENAME_AUTO";
constexpr const char* kKeyFolderSave = "GENERAL_FOLDER_SAVE";

// Error numbers of the run-time errors a failed write reports.
constexpr long kErrorPathFileAccess = 75, kErrorDeviceIo = 57;

enum class Loaded { Yes, No, OutOfMemory };

// The file's bytes; empty optional when it cannot be opened or read, or is implausibly large.
std::optional<std::string> readWholeFile(FileSystem& files, const std::string& path) {
    auto file = files.open({path, kGenericRead, kShareRead, kOpenExisting, kAttrNormal});
    if (!file) return std::nullopt;
    const auto size = file->size();
    if (!size || *size > kLargestSettingsFile) return std::nullopt;
    std::string bytes;
    char chunk[4096];
    for (;;) {
        const auto n = file->read(chunk, sizeof chunk);
        if (!n) return std::nullopt;
        if (*n == 0) break;
        bytes.append(chunk, *n);
        if (bytes.size() > kLargestSettingsFile) return std::nullopt;
    }
    return bytes;
}

bool startsWith(const std::string& bytes, std::string_view prefix) { return bytes.compare(0, prefix.size(), prefix) == 0; }

Loaded loadDocument(pugi::xml_document& document, FileSystem& files, const std::string& path) {
    try {
        const auto bytes = readWholeFile(files, path);
        if (!bytes) return Loaded::No;
        pugi::xml_parse_result parsed;
        // The file is windows-1252 as written; one saved by an editor with a byte-order mark is Unicode.
        if (startsWith(*bytes, "\xEF\xBB\xBF") || startsWith(*bytes, "\xFF\xFE") || startsWith(*bytes, "\xFE\xFF")) {
            parsed = document.load_buffer(bytes->data(), bytes->size(), pugi::parse_default, pugi::encoding_auto);
        } else {
            const std::string utf8 = windows1252ToUtf8(*bytes);
            parsed = document.load_buffer(utf8.data(), utf8.size(), pugi::parse_default, pugi::encoding_utf8);
        }
        if (parsed.status == pugi::status_out_of_memory) return Loaded::OutOfMemory;
        return parsed ? Loaded::Yes : Loaded::No;
    } catch (const std::bad_alloc&) {
        return Loaded::OutOfMemory;
    }
}

void appendCharacterData(const pugi::xml_node& node, std::string& text) {
    for (const pugi::xml_node& child : node.children()) {
        if (child.type() == pugi::node_pcdata || child.type() == pugi::node_cdata)
            text += child.value();
        else if (child.type() == pugi::node_element)
            appendCharacterData(child, text);
    }
}

// The element's text as an XML reader shows it: all its character data, outer white space removed.
std::string elementText(const pugi::xml_node& element) {
    std::string text;
    appendCharacterData(element, text);
    return trimLeft(trimRight(text, " \t\r\n"), " \t\r\n");
}

std::int32_t limitFrom(const pugi::xml_node& element) {
    if (!element) return kFileSizeMaxDefault;
    const auto value = parsePlainNumber(elementText(element), '.');
    if (!value || *value < 0 || *value > kFileSizeMaxLargest) return kFileSizeMaxDefault;
    return roundHalfEvenToInt32(*value).value_or(kFileSizeMaxDefault);
}

bool switchFrom(const pugi::xml_node& element, bool missing) {
    if (!element) return missing;
    const auto value = parsePlainNumber(elementText(element), '.');
    return value && *value == 1.0;
}

void showXmlUnavailable(Dialogs& dialogs) {
    dialogs.messageBox({"Kann Einstellungendatei nicht laden, XML Objekt konnte nicht erstellt werden!", "Einstellungen laden",
                        MsgButtons::Ok, MsgIcon::Critical});
}

void applyUnreadableDefaults(Settings& settings) {
    settings.fileSizeMax = kFileSizeMaxDefault;
    settings.fileSave = true;
    settings.folderSave = false;  // the automatic name switch keeps its value
}

// Writes the bytes to the target through a temporary file, or throws; the temporary file never
// stays behind.
void writeCompleteFile(FileSystem& files, const std::string& target, const std::string& bytes) {
    AtomicFile file(files, target);
    unsigned long error = 0;
    if (!file.create(&error))
        throw RuntimeError(kErrorPathFileAccess, kAppTitle,
                           "Die Datei '" + file.temporaryPath() + "' kann nicht angelegt werden (Fehler " + std::to_string(error) + ").");
    if (file.write(bytes) && file.commit()) return;
    if (file.failedAt() == AtomicFile::Stage::Rename)
        throw RuntimeError(kErrorPathFileAccess, kAppTitle, "Die Einstellungsdatei '" + target + "' kann nicht ersetzt werden.");
    throw RuntimeError(kErrorDeviceIo, kAppTitle,
                       "Die Datei '" + file.temporaryPath() + "' konnte nicht vollst\xC3\xA4ndig geschrieben werden.");
}

}  // namespace

std::string settingsFilePath(const std::string& programFolder) {
    if (!programFolder.empty() && programFolder.back() == '\\') return programFolder + kSettingsFileName;
    return programFolder + "\\" + kSettingsFileName;
}

std::string settingsFileText(const Settings& settings) {
    auto line = [](const char* key, const std::string& value) { return std::string("    <") + key + ">" + value + "</" + key + ">\r\n"; };
    auto flag = [](bool on) { return std::string(on ? "1" : "0"); };
    return std::string("<?xml version=\"1.0\" encoding=\"windows-1252\"?>\r\n") + "<SETTINGS>\r\n" +
           line(kKeyFileSizeMax, std::to_string(settings.fileSizeMax)) + line(kKeyFileSave, flag(settings.fileSave)) +
           line(kKeyFileNameAuto, flag(settings.fileNameAuto)) + line(kKeyFolderSave, flag(settings.folderSave)) + "</SETTINGS>\r\n";
}

bool readSettingsFile(Settings& settings, FileSystem& files, const std::string& programFolder, ErrorHandler& handler, Dialogs& dialogs) {
    Procedure proc(handler, "frmMain.fc_SettingsFileRead");
    bool result = false;
    proc.run([&] {
        std::unique_ptr<pugi::xml_document> document;
        try {
            document = std::make_unique<pugi::xml_document>();
        } catch (const std::bad_alloc&) {
            showXmlUnavailable(dialogs);
            return;
        }
        const Loaded loaded = loadDocument(*document, files, settingsFilePath(programFolder));
        if (loaded == Loaded::OutOfMemory) {
            showXmlUnavailable(dialogs);
            return;
        }
        const pugi::xml_node root = loaded == Loaded::Yes ? document->child("SETTINGS") : pugi::xml_node();
        if (!root) {
            applyUnreadableDefaults(settings);
            return;
        }
        proc.step([&] { settings.fileSizeMax = limitFrom(root.child(kKeyFileSizeMax)); });
        proc.step([&] { settings.fileSave = switchFrom(root.child(kKeyFileSave), true); });
        proc.step([&] { settings.fileNameAuto = switchFrom(root.child(kKeyFileNameAuto), false); });
        // The folder switch is kept in the file but always starts switched off.
        settings.folderSave = false;
        result = true;
    });
    return result;
}

bool saveSettingsFile(const Settings& settings, FileSystem& files, const std::string& programFolder, ErrorHandler& handler) {
    Procedure proc(handler, "frmMain.fc_SettingsFileSave");
    bool saved = false;
    // One step: a retry writes a fresh temporary file, as the failed one is gone.
    proc.run([&] {
        proc.step([&] {
            writeCompleteFile(files, settingsFilePath(programFolder), settingsFileText(settings));
            saved = true;
        });
    });
    return saved;
}

}  // namespace plenvik
