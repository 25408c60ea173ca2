// A file system for tests that passes everything on to another one, except that it can refuse to
// create anything below one folder (a desktop without write permission, even for root) and can let
// writes break off half-way (a full or failing disk); another program can act right before a file is
// opened or renamed.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "common/Text.h"
#include "platform/FileSystem.h"

namespace plenvik::test {

class GuardedFileSystem : public FileSystem {
public:
    explicit GuardedFileSystem(FileSystem& inner) : inner_(inner) {}

    std::string readOnlyFolder;                          // a Windows path; empty: nothing is refused
    bool breakWrites = false;                            // every write stores half of its bytes and then fails
    bool refuseStreams = false;                          // no named stream can be written (a volume without them)
    std::function<void()> beforeRename;                  // runs right before a rename: another program makes a file
    std::function<void(const std::string&)> beforeOpen;  // runs right before a file is opened, with its path

    std::unique_ptr<FileHandle> open(const FileOpenRequest& request, unsigned long* error) override {
        if (beforeOpen) beforeOpen(request.path);
        const bool writing = (request.access & kGenericWrite) != 0;
        if (writing && below(request.path)) {
            if (error) *error = 5;  // ERROR_ACCESS_DENIED
            return nullptr;
        }
        auto file = inner_.open(request, error);
        if (file && writing && breakWrites) return std::make_unique<BreakingFile>(std::move(file));
        return file;
    }
    std::vector<FindEntry> find(const std::string& pattern) override { return inner_.find(pattern); }
    bool exists(const std::string& path) override { return inner_.exists(path); }
    std::optional<std::uint32_t> attributes(const std::string& path) override { return inner_.attributes(path); }
    bool deleteFile(const std::string& path, bool force) override { return !below(path) && inner_.deleteFile(path, force); }
    std::string fullPath(const std::string& path) override { return inner_.fullPath(path); }
    RecycleResult recycle(const std::string& path) override { return below(path) ? RecycleResult::Failed : inner_.recycle(path); }
    bool deletePermanently(const std::string& path) override { return !below(path) && inner_.deletePermanently(path); }
    bool createFolder(const std::string& path) override { return !below(path) && inner_.createFolder(path); }
    bool replaceFile(const std::string& source, const std::string& target) override {
        if (beforeRename) beforeRename();
        return !below(target) && inner_.replaceFile(source, target);
    }
    bool renameNoReplace(const std::string& source, const std::string& target) override {
        if (beforeRename) beforeRename();
        return !below(target) && inner_.renameNoReplace(source, target);
    }
    StreamContent readStream(const std::string& path, const std::string& name, std::size_t maxBytes) override {
        return inner_.readStream(path, name, maxBytes);
    }
    bool writeStream(const std::string& path, const std::string& name, std::string_view bytes) override {
        return !refuseStreams && !below(path) && inner_.writeStream(path, name, bytes);
    }

private:
    class BreakingFile : public FileHandle {
    public:
        explicit BreakingFile(std::unique_ptr<FileHandle> inner) : inner_(std::move(inner)) {}
        std::optional<std::uint64_t> size() override { return inner_->size(); }
        std::optional<std::uint64_t> sizeFromInformation() override { return inner_->sizeFromInformation(); }
        std::optional<std::uint64_t> lastWriteTime() override { return inner_->lastWriteTime(); }
        std::optional<std::size_t> read(void* buffer, std::size_t count) override { return inner_->read(buffer, count); }
        std::optional<std::size_t> write(const void* buffer, std::size_t count) override {
            inner_->write(buffer, count / 2);
            return std::nullopt;
        }
        bool flush() override { return inner_->flush(); }
        bool seekToEnd() override { return inner_->seekToEnd(); }
        bool close() override { return inner_->close(); }

    private:
        std::unique_ptr<FileHandle> inner_;
    };

    bool below(const std::string& path) const {
        if (readOnlyFolder.empty()) return false;
        const std::string folder = foldCase(readOnlyFolder) + "\\";
        return foldCase(path).compare(0, folder.size(), folder) == 0;
    }

    FileSystem& inner_;
};

}  // namespace plenvik::test
