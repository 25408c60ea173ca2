// Files on Linux for the simulated platform. Windows paths ("C:\Users\x\Desktop\a.txt") map below a
// root folder (root/C/Users/x/Desktop/a.txt); a path that starts with "/" is used as it is. Name
// matching in find() is case-insensitive, as on Windows. A relative path is taken from currentFolder.
// A file's named streams live in a folder "<name>:" beside it, a name no Windows file can have (find()
// never lists it); the folder is renamed, recycled and deleted with its file, as NTFS does with streams.
#pragma once

#include <string>

#include "platform/FileSystem.h"

namespace plenvik {

class PosixFileSystem : public FileSystem {
public:
    explicit PosixFileSystem(std::string root = {});

    // The process's current folder (a Windows path), where relative paths start.
    std::string currentFolder = "C:\\Programme\\Plenvik";
    // A Windows folder whose items the Recycle Bin will not keep (a network or removable drive, a bin
    // switched off); empty: every item on a drive can go to the bin.
    std::string unrecyclableFolder;

    std::string nativePath(const std::string& path) const;
    // The folder that stands for the Recycle Bin (below the root).
    std::string recycleFolder() const;

    std::unique_ptr<FileHandle> open(const FileOpenRequest& request, unsigned long* error) override;
    std::vector<FindEntry> find(const std::string& pattern) override;
    bool exists(const std::string& path) override;
    std::optional<std::uint32_t> attributes(const std::string& path) override;
    bool deleteFile(const std::string& path, bool force) override;
    std::string fullPath(const std::string& path) override;
    RecycleResult recycle(const std::string& path) override;
    bool deletePermanently(const std::string& path) override;
    bool createFolder(const std::string& path) override;
    bool replaceFile(const std::string& source, const std::string& target) override;
    bool renameNoReplace(const std::string& source, const std::string& target) override;
    StreamContent readStream(const std::string& path, const std::string& name, std::size_t maxBytes) override;
    bool writeStream(const std::string& path, const std::string& name, std::string_view bytes) override;

private:
    std::string root_;
};

}  // namespace plenvik
