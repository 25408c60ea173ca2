// Stand-ins for the platform in the settings unit tests (which run in every build, without the sim):
// files held in memory with failures on request, recorded message boxes, a fixed decimal separator.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/FileSystem.h"

namespace plenvik::test {

class MemoryFileSystem : public FileSystem {
public:
    std::map<std::string, std::string> files;
    int failOpens = 0;                         // the next n opens for writing fail
    std::size_t writeLimit = std::string::npos;  // a write stops after this many bytes in total
    bool failReplace = false;

    std::unique_ptr<FileHandle> open(const FileOpenRequest& request, unsigned long* error) override {
        const bool writing = (request.access & kGenericWrite) != 0;
        if (writing && failOpens > 0) {
            --failOpens;
            if (error) *error = 5;
            return nullptr;
        }
        auto it = files.find(request.path);
        if (request.creation == kCreateAlways) {
            files[request.path].clear();
        } else if (it == files.end()) {
            if (error) *error = 2;
            return nullptr;
        }
        return std::make_unique<MemoryFile>(*this, request.path);
    }
    std::vector<FindEntry> find(const std::string&) override { return {}; }
    bool exists(const std::string& path) override { return files.count(path) != 0; }
    std::optional<std::uint32_t> attributes(const std::string& path) override {
        if (!exists(path)) return std::nullopt;
        return kAttrArchive;
    }
    bool deleteFile(const std::string& path, bool) override { return files.erase(path) != 0; }
    bool recycle(const std::string& path) override { return files.erase(path) != 0; }
    bool createFolder(const std::string&) override { return true; }
    bool replaceFile(const std::string& source, const std::string& target) override {
        if (failReplace || !exists(source)) return false;
        files[target] = files[source];
        files.erase(source);
        return true;
    }

private:
    class MemoryFile : public FileHandle {
    public:
        MemoryFile(MemoryFileSystem& owner, std::string path) : owner_(owner), path_(std::move(path)) {}
        std::optional<std::uint64_t> size() override { return owner_.files[path_].size(); }
        std::optional<std::uint64_t> sizeFromInformation() override { return size(); }
        std::optional<std::size_t> read(void* buffer, std::size_t count) override {
            const std::string& bytes = owner_.files[path_];
            const std::size_t n = std::min(count, bytes.size() - std::min(position_, bytes.size()));
            bytes.copy(static_cast<char*>(buffer), n, position_);
            position_ += n;
            return n;
        }
        std::optional<std::size_t> write(const void* buffer, std::size_t count) override {
            std::string& bytes = owner_.files[path_];
            const std::size_t room = owner_.writeLimit == std::string::npos
                                         ? count
                                         : std::min(count, owner_.writeLimit - std::min(owner_.writeLimit, bytes.size()));
            bytes.append(static_cast<const char*>(buffer), room);
            if (room < count) return std::nullopt;  // the disk is full
            return count;
        }
        bool seekToEnd() override { return true; }
        bool close() override { return true; }

    private:
        MemoryFileSystem& owner_;
        std::string path_;
        std::size_t position_ = 0;
    };
};

class RecordingDialogs : public Dialogs {
public:
    std::vector<MessageBoxRequest> messages;
    MsgAnswer messageBox(const MessageBoxRequest& request) override {
        messages.push_back(request);
        return MsgAnswer::Ok;
    }
    std::optional<std::string> inputBox(const std::string&, const std::string&, const std::string&) override {
        ADD_FAILURE() << "the settings never ask for text";
        return std::nullopt;
    }
    std::optional<std::string> browseForFolder(const std::string&, const std::string&) override {
        ADD_FAILURE() << "the settings never ask for a folder";
        return std::nullopt;
    }
};

// Only the decimal separator matters to the settings dialog.
class SeparatorLocale : public Locale {
public:
    explicit SeparatorLocale(char decimal) : decimal_(decimal) {}
    std::string formatGeneralDate(const LocalTime&) override { return {}; }
    std::optional<LocalTime> parseGeneralDate(const std::string&) override { return std::nullopt; }
    char decimalSeparator() override { return decimal_; }
    char thousandsSeparator() override { return decimal_ == ',' ? '.' : ','; }

private:
    char decimal_;
};

}  // namespace plenvik::test
