// Stand-ins for the platform and the error window in the error report's unit tests: files in memory,
// fixed system facts and time, recorded questions, process starts and printouts, and a window whose
// button presses are scripted.
#pragma once

#include <algorithm>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "errors/frmErr.h"
#include "errors/frmErrView.h"

namespace plenvik::test {

class MemoryFileSystem : public FileSystem {
public:
    std::map<std::string, std::string> files;
    bool failWrites = false;  // every file opened for writing refuses to write
    int opens = 0;

    std::unique_ptr<FileHandle> open(const FileOpenRequest& r, unsigned long* error) override {
        ++opens;
        auto it = files.find(r.path);
        if (it == files.end()) {
            if (r.creation == kOpenExisting) {
                if (error) *error = 2;
                return nullptr;
            }
            it = files.emplace(r.path, std::string()).first;
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
    bool deleteFile(const std::string& path, bool) override { return files.erase(path) != 0; }
    bool recycle(const std::string& path) override { return deleteFile(path, true); }
    bool createFolder(const std::string&) override { return true; }
    bool replaceFile(const std::string& source, const std::string& target) override {
        auto it = files.find(source);
        if (it == files.end()) return false;
        files[target] = std::move(it->second);
        files.erase(source);
        return true;
    }

private:
    class File : public FileHandle {
    public:
        File(MemoryFileSystem& fs, std::string path) : fs_(fs), path_(std::move(path)) {}
        std::optional<std::uint64_t> size() override { return data().size(); }
        std::optional<std::uint64_t> sizeFromInformation() override { return size(); }
        std::optional<std::size_t> read(void* buffer, std::size_t count) override {
            const std::size_t n = std::min(count, data().size() - std::min(pos_, data().size()));
            data().copy(static_cast<char*>(buffer), n, pos_);
            pos_ += n;
            return n;
        }
        std::optional<std::size_t> write(const void* buffer, std::size_t count) override {
            if (fs_.failWrites) return std::nullopt;
            std::string& d = data();
            if (d.size() < pos_ + count) d.resize(pos_ + count);
            d.replace(pos_, count, static_cast<const char*>(buffer), count);
            pos_ += count;
            return count;
        }
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

class FixedSystemInfo : public SystemInfo {
public:
    std::string computer = "PC-BUERO";
    std::string user = "J\xC3\xBCrgen";
    OsVersion version{2, 5, 1, 2600, "Service Pack 3"};
    std::string folder = "C:\\Programme\\Plenvik";
    std::string fileName = "Plenvik";

    std::string computerName() override { return computer; }
    std::string userName() override { return user; }
    OsVersion osVersion() override { return version; }
    std::string programFolder() override { return folder; }
    std::string programFileName() override { return fileName; }
};

class FixedClock : public Clock {
public:
    LocalTime time{2026, 12, 6, 7, 25, 46};
    LocalTime now() override { return time; }
};

class RecordingDialogs : public Dialogs {
public:
    std::vector<MessageBoxRequest> asked;
    std::deque<MsgAnswer> answers;

    MsgAnswer messageBox(const MessageBoxRequest& r) override {
        asked.push_back(r);
        if (answers.empty()) return MsgAnswer::Ok;
        const MsgAnswer a = answers.front();
        answers.pop_front();
        return a;
    }
    std::optional<std::string> inputBox(const std::string&, const std::string&, const std::string&) override {
        return std::nullopt;
    }
    std::optional<std::string> browseForFolder(const std::string&, const std::string&) override { return std::nullopt; }
};

class RecordingProcesses : public Processes {
public:
    std::vector<std::string> opened;
    bool shellOpen(const std::string& target) override {
        opened.push_back(target);
        return true;
    }
    bool start(const std::string&, const std::string&) override { return true; }
};

class RecordingPrinter : public ProtocolPrinter {
public:
    std::vector<std::vector<std::string>> jobs;
    bool print(const std::vector<std::string>& lines) override {
        jobs.push_back(lines);
        return true;
    }
};

// The error window with scripted presses: for every showing, the protocol buttons to press first, an
// action to run while it is shown, then the continue button (kActionLeave once the script is used up).
class ScriptedErrorView : public frmErrView {
public:
    std::vector<frmErrContent> shown;
    std::deque<int> continueButtons;
    std::vector<int> protocolButtons;
    std::function<void()> whileShown;
    bool failToShow = false;

    int showModal(const frmErrContent& content, frmErrCommands& commands) override {
        shown.push_back(content);
        if (failToShow) throw RuntimeError(0, "frmErr", "Fenster konnte nicht erstellt werden");
        for (int i : protocolButtons) commands.cmdProtocol_Click(i);
        if (whileShown) {
            auto action = std::exchange(whileShown, nullptr);
            action();
        }
        if (continueButtons.empty()) return kActionLeave;
        const int b = continueButtons.front();
        continueButtons.pop_front();
        return b;
    }
};

// A frmErr with all its stand-ins.
struct ErrorReportRig {
    MemoryFileSystem files;
    FixedSystemInfo system;
    FixedClock clock;
    RecordingDialogs dialogs;
    RecordingProcesses processes;
    RecordingPrinter printer;
    ScriptedErrorView view;
    frmErr handler{ErrorReportServices{system, clock, dialogs, processes, files}, view, printer};

    static constexpr const char* kLogPath = "C:\\Programme\\Plenvik\\Plenvik.log";

    int report(const std::string& procedure, const RuntimeError& e, std::string info = "...") {
        return handler.onError(procedure, info, e);
    }
    const std::string& log() { return files.files[kLogPath]; }
};

}  // namespace plenvik::test
