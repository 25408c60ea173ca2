// Files held in memory, for unit tests that run in every build without the sim: they record every open
// and can be told to refuse opening for writing, to fill up, to fail every write or flush, or to fail
// the final rename.
#pragma once

#include <algorithm>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/FileSystem.h"

namespace plenvik::test {

class MemoryFileSystem : public FileSystem {
public:
    std::map<std::string, std::string> files;
    std::map<std::string, std::string> streams;  // "<path>:<name>": the named streams of the files
    int failOpens = 0;                           // the next n opens for writing fail
    std::size_t writeLimit = std::string::npos;  // a file stops growing at this size: the disk is full and
                                                 // a write gives a short count
    bool failWrites = false;                     // every write is refused
    std::size_t readLimit = std::string::npos;   // a read gives at most this many bytes
    bool failFlush = false;
    bool failReplace = false;
    bool failRecycle = false;         // the file is in use: it cannot be deleted
    std::vector<std::string> opened;  // the path of every open, in order
    // Every write stamps its file with the next tick of clock (its last write time).
    std::map<std::string, std::uint64_t> writeTimes;
    std::uint64_t clock = 0;

    // A file's content as bytes, for tests that compare byte vectors.
    std::vector<std::uint8_t> bytes(const std::string& path) const {
        const auto it = files.find(path);
        if (it == files.end()) return {};
        return {it->second.begin(), it->second.end()};
    }
    void setBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) { files[path].assign(bytes.begin(), bytes.end()); }

    std::unique_ptr<FileHandle> open(const FileOpenRequest& r, unsigned long* error) override {
        opened.push_back(r.path);
        if ((r.access & kGenericWrite) && failOpens > 0) {
            --failOpens;
            if (error) *error = 5;
            return nullptr;
        }
        auto it = files.find(r.path);
        if (it == files.end()) {
            if (r.creation == kOpenExisting) {
                if (error) *error = 2;
                return nullptr;
            }
            files.emplace(r.path, std::string());
        } else if (r.creation == kCreateNew) {
            if (error) *error = kErrorFileExists;
            return nullptr;
        } else if (r.creation == kCreateAlways) {
            it->second.clear();
        }
        return std::make_unique<File>(*this, r.path);
    }
    std::vector<FindEntry> find(const std::string&) override { return {}; }
    bool exists(const std::string& path) override { return files.count(path) != 0; }
    std::optional<std::uint32_t> attributes(const std::string& path) override {
        if (!exists(path)) return std::nullopt;
        return kAttrArchive;
    }
    bool deleteFile(const std::string& path, bool) override {
        dropStreams(path);
        return files.erase(path) != 0;
    }
    std::string fullPath(const std::string& path) override { return path; }
    RecycleResult recycle(const std::string& path) override {
        return !failRecycle && deleteFile(path, true) ? RecycleResult::Recycled : RecycleResult::Failed;
    }
    bool deletePermanently(const std::string& path) override { return !failRecycle && deleteFile(path, true); }
    bool createFolder(const std::string&) override { return true; }
    bool replaceFile(const std::string& source, const std::string& target) override {
        auto it = files.find(source);
        if (failReplace || it == files.end()) return false;
        files[target] = std::move(it->second);
        files.erase(source);
        moveStreams(source, target);
        return true;
    }
    bool renameNoReplace(const std::string& source, const std::string& target) override {
        return !exists(target) && replaceFile(source, target);
    }
    StreamContent readStream(const std::string& path, const std::string& name, std::size_t maxBytes) override {
        const auto it = streams.find(path + ":" + name);
        if (!exists(path) || it == streams.end()) return {};
        if (it->second.size() > maxBytes) return {StreamStatus::TooLarge, {}};
        return {StreamStatus::Read, it->second};
    }
    bool writeStream(const std::string& path, const std::string& name, std::string_view bytes) override {
        if (!exists(path) || !isStreamName(name)) return false;
        streams[path + ":" + name] = std::string(bytes);
        return true;
    }

private:
    // The named streams go with their file.
    void dropStreams(const std::string& path) {
        const std::string prefix = path + ":";
        auto it = streams.lower_bound(prefix);
        while (it != streams.end() && it->first.compare(0, prefix.size(), prefix) == 0) it = streams.erase(it);
    }
    void moveStreams(const std::string& source, const std::string& target) {
        dropStreams(target);
        const std::string prefix = source + ":";
        std::map<std::string, std::string> moved;
        for (auto it = streams.lower_bound(prefix); it != streams.end() && it->first.compare(0, prefix.size(), prefix) == 0; ++it)
            moved[target + ":" + it->first.substr(prefix.size())] = it->second;
        dropStreams(source);
        streams.merge(moved);
    }

    class File : public FileHandle {
    public:
        File(MemoryFileSystem& fs, std::string path) : fs_(fs), path_(std::move(path)) {}
        std::optional<std::uint64_t> size() override { return data().size(); }
        std::optional<std::uint64_t> sizeFromInformation() override { return size(); }
        std::optional<std::uint64_t> lastWriteTime() override { return fs_.writeTimes[path_]; }
        std::optional<std::size_t> read(void* buffer, std::size_t count) override {
            const std::size_t n = std::min({count, fs_.readLimit, data().size() - std::min(pos_, data().size())});
            data().copy(static_cast<char*>(buffer), n, pos_);
            pos_ += n;
            return n;
        }
        std::optional<std::size_t> write(const void* buffer, std::size_t count) override {
            if (fs_.failWrites) return std::nullopt;
            const std::size_t room =
                fs_.writeLimit == std::string::npos ? count : std::min(count, fs_.writeLimit - std::min(fs_.writeLimit, pos_));
            std::string& d = data();
            if (d.size() < pos_ + room) d.resize(pos_ + room);
            d.replace(pos_, room, static_cast<const char*>(buffer), room);
            pos_ += room;
            fs_.writeTimes[path_] = ++fs_.clock;
            return room;
        }
        bool flush() override { return !fs_.failFlush; }
        bool seekToEnd() override {
            pos_ = data().size();
            return true;
        }
        bool close() override { return true; }

    private:
        std::string& data() { return fs_.files[path_]; }
        MemoryFileSystem& fs_;
        std::string path_;
        std::size_t pos_ = 0;
    };
};

}  // namespace plenvik::test
