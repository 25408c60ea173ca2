#include "errors/ErrorLog.h"

#include "common/Text.h"

namespace plenvik {
namespace {

FileOpenRequest appendRequest(const std::string& path) {
    FileOpenRequest r;
    r.path = path;
    r.access = kGenericWrite;
    r.share = kShareRead;
    r.creation = kOpenAlways;
    r.attributes = kAttrNormal;
    return r;
}

}  // namespace

bool ErrorLog::append(std::string_view systemPart, std::string_view errorPart) {
    auto file = files_.open(appendRequest(path_));
    if (!file) return false;
    const auto size = file->size();
    if (size && *size > kMaxSize) {
        file->close();
        file.reset();
        if (!files_.deleteFile(path_, true)) return false;
        systemPartWritten_ = false;  // a new file begins with the system part again
        file = files_.open(appendRequest(path_));
        if (!file) return false;
    }
    if (!file->seekToEnd()) return false;

    std::string text;
    if (!systemPartWritten_) text += systemPart;
    text += errorPart;
    text += "\r\n";
    const std::string bytes = utf8ToWindows1252(text, Unmappable::QuestionMark);
    const auto written = file->write(bytes.data(), bytes.size());
    const bool closed = file->close();
    if (!written || *written != bytes.size() || !closed) return false;
    systemPartWritten_ = true;
    return true;
}

}  // namespace plenvik
