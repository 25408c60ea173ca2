// libFuzzer target for reading Settings.xml: any bytes in the file give settings within their ranges,
// without an error report or a message box (a malformed file silently gives the defaults).
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "errors/ErrorHandler.h"
#include "fuzz/FuzzCheck.h"
#include "platform/Dialogs.h"
#include "settings/SettingsFile.h"
#include "support/MemoryFileSystem.h"

using namespace plenvik;
using fuzz::check;

namespace {

class NoErrors : public ErrorHandler {
public:
    void callStack(const std::string&) override {}
    int onError(const std::string&, std::string&, const RuntimeError&) override {
        check(false, "reading the settings reports no error");
        return kActionLeave;
    }
};

class NoDialogs : public Dialogs {
public:
    MsgAnswer messageBox(const MessageBoxRequest&) override {
        check(false, "reading the settings shows no message");
        return MsgAnswer::Ok;
    }
    std::optional<std::string> inputBox(const std::string&, const std::string&, const std::string&) override { return std::nullopt; }
    std::optional<std::string> browseForFolder(const std::string&, const std::string&) override { return std::nullopt; }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    test::MemoryFileSystem files;
    files.files[settingsFilePath("C:\\Plenvik")] = std::string(reinterpret_cast<const char*>(data), size);
    NoErrors handler;
    NoDialogs dialogs;
    Settings settings;
    settings.fileNameAuto = size % 2 == 1;
    const bool before = settings.fileNameAuto;
    const bool read = readSettingsFile(settings, files, "C:\\Plenvik", handler, dialogs);
    check(settings.fileSizeMax >= 0 && settings.fileSizeMax <= kFileSizeMaxLargest, "the limit is in its range");
    check(!settings.folderSave, "the folder switch is off after reading");
    if (!read)
        check(settings.fileSave && settings.fileSizeMax == kFileSizeMaxDefault && settings.fileNameAuto == before,
              "an unreadable file gives the defaults");
    return 0;
}
