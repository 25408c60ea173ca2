#include "platform/sim/SimShellFolders.h"

#include <vector>

#include "errors/RuntimeError.h"
#include "project/LnkFile.h"

namespace plenvik {
namespace {

// "C:\a\b\..\c" -> "C:\a\c": the target of a link that names it relative to its own folder.
std::string normalisePath(const std::string& path) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (start <= path.size()) {
        const std::size_t cut = path.find('\\', start);
        const std::string part = path.substr(start, cut == std::string::npos ? std::string::npos : cut - start);
        if (part == "..") {
            if (parts.size() > 1) parts.pop_back();
        } else if (part != "." && !(part.empty() && !parts.empty())) {
            parts.push_back(part);
        }
        if (cut == std::string::npos) break;
        start = cut + 1;
    }
    std::string out;
    for (std::size_t i = 0; i < parts.size(); ++i) out += (i ? "\\" : "") + parts[i];
    return out;
}

std::string folderOf(const std::string& path) {
    const auto cut = path.find_last_of('\\');
    return cut == std::string::npos ? std::string() : path.substr(0, cut);
}

class SimShellLink : public ShellLink {
public:
    explicit SimShellLink(FileSystem& files) : files_(files) {}

    bool load(const std::string& linkFile) override {
        link_ = LnkFile{};
        linkFile_ = linkFile;
        auto file = files_.open(FileOpenRequest{linkFile, kGenericRead, kShareRead, kOpenExisting, kAttrNormal});
        if (!file) return false;
        std::vector<std::uint8_t> bytes(static_cast<std::size_t>(file->size().value_or(0)));
        const auto got = file->read(bytes.data(), bytes.size());
        if (!got) return false;
        bytes.resize(*got);
        link_ = LnkFile::parse(bytes);
        return link_.valid;
    }

    std::string path() override {
        std::string target = link_.targetPath();
        if (target.empty() && !link_.relativePath.empty() && !linkFile_.empty())
            target = normalisePath(folderOf(linkFile_) + "\\" + link_.relativePath);
        if (target.empty()) target = link_.environmentTarget;
        return target;
    }
    long setPath(const std::string& path) override {
        link_.localBasePath = path;
        link_.commonPathSuffix.clear();
        link_.netName.clear();
        link_.relativePath.clear();
        link_.environmentTarget.clear();
        return kShellOk;
    }
    std::string workingDirectory() override { return link_.workingDir; }
    long setWorkingDirectory(const std::string& dir) override { return assign(link_.workingDir, dir); }
    std::string description() override { return link_.name; }
    long setDescription(const std::string& text) override { return assign(link_.name, text); }
    std::string arguments() override { return link_.arguments; }
    long setArguments(const std::string& text) override { return assign(link_.arguments, text); }
    int showCommand() override { return static_cast<int>(link_.showCommand); }
    long setShowCommand(int cmd) override {
        link_.showCommand = static_cast<std::uint32_t>(cmd);
        return kShellOk;
    }
    int hotKey() override { return link_.hotKey; }
    long setHotKey(int key) override {
        link_.hotKey = static_cast<std::uint16_t>(key);
        return kShellOk;
    }
    std::string iconLocation(int* index) override {
        if (index) *index = link_.iconIndex;
        return link_.iconLocation;
    }
    long setIconLocation(const std::string& path, int index) override {
        link_.iconLocation = path;
        link_.iconIndex = index;
        return kShellOk;
    }
    // Without a user interface the sim's shell searches nowhere: a link resolves when its target exists.
    long resolve(long, unsigned long) override {
        const std::string target = path();
        if (target.empty()) return kShellFail;
        return files_.exists(target) ? kShellOk : kShellFalse;
    }
    long save(const std::string& linkFile) override {
        const std::vector<std::uint8_t> bytes = link_.serialise();
        auto file = files_.open(FileOpenRequest{linkFile, kGenericWrite, kShareNone, kCreateAlways, kAttrNormal});
        if (!file) return kShellFail;
        const auto put = file->write(bytes.data(), bytes.size());
        if (!file->close() || !put || *put != bytes.size()) return kShellFail;
        linkFile_ = linkFile;
        return kShellOk;
    }

private:
    static long assign(std::string& field, const std::string& value) {
        field = value;
        return kShellOk;
    }

    FileSystem& files_;
    LnkFile link_;
    std::string linkFile_;
};

}  // namespace

SimShellFolders::SimShellFolders(FileSystem& files, std::map<int, std::string> folders) : files_(files), folders_(std::move(folders)) {}

std::string SimShellFolders::specialFolderPath(int csidl) {
    if (failure_ != 0) throw RuntimeError(failure_, kAppTitle, "Die Shell kennt den Ordner nicht.");
    const auto it = folders_.find(csidl);
    if (it == folders_.end()) throw RuntimeError(kShellInvalidArg, kAppTitle, "Die Shell kennt den Ordner nicht.");
    // Created when missing, level by level.
    const std::string& path = it->second;
    for (std::size_t cut = path.find('\\', 2);; cut = path.find('\\', cut + 1)) {
        const std::string level = path.substr(0, cut);
        if (!files_.exists(level)) files_.createFolder(level);
        if (cut == std::string::npos) break;
    }
    return path;
}

std::unique_ptr<ShellLink> SimShellFolders::createLink() { return std::make_unique<SimShellLink>(files_); }

}  // namespace plenvik
