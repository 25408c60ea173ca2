// Files on Linux for the simulated platform. Windows paths ("C:\Users\x\Desktop\a.txt") map below a
// root folder (root/C/Users/x/Desktop/a.txt); a path that starts with "/" is used as it is. Name
// matching in find() is case-insensitive, as on Windows.
#pragma once

#include <string>

#include "platform/FileSystem.h"

namespace plenvik {

class PosixFileSystem : public FileSystem {
public:
    explicit PosixFileSystem(std::string root = {});

    std::string nativePath(const std::string& path) const;
    // The folder that stands for the Recycle Bin (below the root).
    std::string recycleFolder() const;

    std::unique_ptr<FileHandle> open(const FileOpenRequest& request, unsigned long* error) override;
    std::vector<FindEntry> find(const std::string& pattern) override;
    bool exists(const std::string& path) override;
    std::optional<std::uint32_t> attributes(const std::string& path) override;
    bool deleteFile(const std::string& path, bool force) override;
    bool recycle(const std::string& path) override;
    bool createFolder(const std::string& path) override;
    bool replaceFile(const std::string& source, const std::string& target) override;
    bool renameNoReplace(const std::string& source, const std::string& target) override;

private:
    std::string root_;
};

}  // namespace plenvik
