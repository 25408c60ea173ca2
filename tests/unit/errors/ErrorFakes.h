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

#include "errors/ErrorWindow.h"
#include "errors/ErrorWindowView.h"
#include "platform/sim/SimBasics.h"
#include "support/MemoryFileSystem.h"

namespace plenvik::test {

// The system facts the error report's golden files were written with.
struct FixedSystemInfo : sim::SimSystemInfo {
    FixedSystemInfo() {
        computer = "PC-BUERO";
        user = "J\xC3\xBCrgen";
        version = {2, 5, 1, 2600, "Service Pack 3"};
    }
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
    std::optional<std::string> inputBox(const std::string&, const std::string&, const std::string&) override { return std::nullopt; }
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
class ScriptedErrorView : public ErrorWindowView {
public:
    std::vector<ErrorWindowContent> shown;
    std::deque<int> continueButtons;
    std::vector<int> protocolButtons;
    std::function<void()> whileShown;
    bool failToShow = false;

    int showModal(const ErrorWindowContent& content, ErrorWindowCommands& commands) override {
        shown.push_back(content);
        if (failToShow) throw RuntimeError(0, "frmErr", "Fenster konnte nicht erstellt werden");
        for (int i : protocolButtons) commands.protocolClicked(i);
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

// A ErrorWindow with all its stand-ins.
struct ErrorReportRig {
    MemoryFileSystem files;
    FixedSystemInfo system;
    FixedClock clock;
    RecordingDialogs dialogs;
    RecordingProcesses processes;
    RecordingPrinter printer;
    ScriptedErrorView view;
    ErrorWindow handler{ErrorReportServices{system, clock, dialogs, processes, files}, view, printer};

    static constexpr const char* kLogPath = "C:\\Programme\\Plenvik\\Plenvik.log";

    int report(const std::string& procedure, const RuntimeError& e, std::string info = "...") {
        return handler.onError(procedure, info, e);
    }
    const std::string& log() { return files.files[kLogPath]; }
};

}  // namespace plenvik::test
