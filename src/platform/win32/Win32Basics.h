// The simple Win32 services: system facts, clock, the user's regional formats, process starts and the
// event pump.
#pragma once

#include "platform/Clock.h"
#include "platform/EventPump.h"
#include "platform/Processes.h"
#include "platform/SystemInfo.h"

namespace plenvik::win32 {

class Win32SystemInfo : public SystemInfo {
public:
    std::string computerName() override;
    std::string userName() override;
    OsVersion osVersion() override;
    std::string programFolder() override;
    std::string programFileName() override;
};

class Win32Clock : public Clock {
public:
    LocalTime now() override;
};

class Win32Locale : public Locale {
public:
    std::string formatGeneralDate(const LocalTime& t) override;
    std::optional<LocalTime> parseGeneralDate(const std::string& text) override;
    char decimalSeparator() override;
    char thousandsSeparator() override;
};

class Win32Processes : public Processes {
public:
    bool shellOpen(const std::string& target) override;
    bool start(const std::string& program, const std::string& arguments) override;
};

class Win32EventPump : public EventPump {
public:
    void pump() override;
};

}  // namespace plenvik::win32
