// A file system in memory for the encoder's file tests: it records what was opened and renamed and
// can be told to fail at each step.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/FileSystem.h"

namespace plenvik::testing {

class MemoryFileSystem : public FileSystem {
public:
    std::map<std::string, std::vector<std::uint8_t>> files;
    std::vector<std::string> opened;
    bool failOpen = false, failWrite = false, failReplace = false;

    std::unique_ptr<FileHandle> open(const FileOpenRequest& request, unsigned long* error) override {
        opened.push_back(request.path);
        if (failOpen) {
            if (error) *error = 5;
            return nullptr;
        }
        files[request.path].clear();
        return std::make_unique<Handle>(*this, request.path);
    }
    std::vector<FindEntry> find(const std::string&) override { return {}; }
    bool exists(const std::string& path) override { return files.count(path) != 0; }
    std::optional<std::uint32_t> attributes(const std::string& path) override {
        return exists(path) ? std::optional<std::uint32_t>(kAttrArchive) : std::nullopt;
    }
    bool deleteFile(const std::string& path, bool) override { return files.erase(path) != 0; }
    bool recycle(const std::string& path) override { return deleteFile(path, true); }
    bool createFolder(const std::string&) override { return true; }
    bool replaceFile(const std::string& source, const std::string& target) override {
        if (failReplace || !exists(source)) return false;
        files[target] = std::move(files[source]);
        files.erase(source);
        return true;
    }
    bool renameNoReplace(const std::string& source, const std::string& target) override {
        return !exists(target) && replaceFile(source, target);
    }

private:
    class Handle : public FileHandle {
    public:
        Handle(MemoryFileSystem& fs, std::string path) : fs_(fs), path_(std::move(path)) {}
        std::optional<std::uint64_t> size() override { return fs_.files[path_].size(); }
        std::optional<std::uint64_t> sizeFromInformation() override { return size(); }
        std::optional<std::size_t> read(void*, std::size_t) override { return std::nullopt; }
        std::optional<std::size_t> write(const void* buffer, std::size_t count) override {
            if (fs_.failWrite) {  // a disk that fills up half-way
                auto& bytes = fs_.files[path_];
                bytes.insert(bytes.end(), static_cast<const std::uint8_t*>(buffer),
                             static_cast<const std::uint8_t*>(buffer) + count / 2);
                return std::nullopt;
            }
            auto& bytes = fs_.files[path_];
            bytes.insert(bytes.end(), static_cast<const std::uint8_t*>(buffer),
                         static_cast<const std::uint8_t*>(buffer) + count);
            return count;
        }
        bool flush() override { return true; }
        bool seekToEnd() override { return true; }
        bool close() override { return true; }

    private:
        MemoryFileSystem& fs_;
        std::string path_;
    };
};

}  // namespace plenvik::testing
