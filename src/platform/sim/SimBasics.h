// The simple services of the simulated platform: system facts, clock, regional formats, process
// starts. Tests set their values directly.
#pragma once

#include <string>
#include <vector>

#include "platform/Clock.h"
#include "platform/Processes.h"
#include "platform/SystemInfo.h"

namespace plenvik::sim {

class SimSystemInfo : public SystemInfo {
public:
    std::string computer = "SIMPC";
    std::string user = "tester";
    OsVersion version{2, 10, 0, 19045, ""};
    std::string folder = "C:\\Programme\\Plenvik";
    std::string fileName = "Plenvik";

    std::string computerName() override { return computer; }
    std::string userName() override { return user; }
    OsVersion osVersion() override { return version; }
    std::string programFolder() override { return folder; }
    std::string programFileName() override { return fileName; }
};

// A clock that stands still unless a test moves it (or asks it to tick one second per reading).
class SimClock : public Clock {
public:
    LocalTime time{2026, 12, 6, 7, 25, 46};
    bool tickPerReading = false;

    LocalTime now() override;
    void advanceSeconds(int seconds);
};

// Regional formats: German by default (06.12.2026 07:25:46, decimal comma), or US English
// (12/6/2026 7:25:46 AM, decimal point) for tests of files written elsewhere.
class SimLocale : public Locale {
public:
    enum class Style { German, English };
    Style style = Style::German;

    std::string formatGeneralDate(const LocalTime& t) override;
    std::optional<LocalTime> parseGeneralDate(const std::string& text) override;
    char decimalSeparator() override { return style == Style::German ? ',' : '.'; }
    char thousandsSeparator() override { return style == Style::German ? '.' : ','; }
};

class SimProcesses : public Processes {
public:
    struct Start {
        std::string program;  // empty for shellOpen
        std::string arguments;
    };
    std::vector<Start> started;
    bool succeed = true;

    bool shellOpen(const std::string& target) override {
        started.push_back({"", target});
        return succeed;
    }
    bool start(const std::string& program, const std::string& arguments) override {
        started.push_back({program, arguments});
        return succeed;
    }
};

}  // namespace plenvik::sim
