#include "jpeg/TemporaryFile.h"

namespace plenvik {

std::string temporaryNameFor(FileSystem& files, const std::string& target) {
    std::string name = target + ".~tmp";
    for (int n = 1; files.exists(name); ++n) name = target + ".~tmp" + std::to_string(n);
    return name;
}

bool writeFileAtomically(FileSystem& files, const std::string& target, const std::vector<std::uint8_t>& bytes) {
    const std::string temporary = temporaryNameFor(files, target);
    FileOpenRequest request;
    request.path = temporary;
    request.access = kGenericWrite;
    request.share = kShareNone;
    request.creation = kCreateAlways;
    std::unique_ptr<FileHandle> file = files.open(request);
    if (!file) return false;
    const auto written = file->write(bytes.data(), bytes.size());
    const bool complete = written && *written == bytes.size();
    const bool closed = file->close();
    file.reset();
    if (complete && closed && files.replaceFile(temporary, target)) return true;
    files.deleteFile(temporary, true);
    return false;
}

}  // namespace plenvik
