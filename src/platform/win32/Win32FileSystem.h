#pragma once

#include "platform/FileSystem.h"

namespace plenvik::win32 {

class Win32FileSystem : public FileSystem {
public:
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
};

}  // namespace plenvik::win32
