// System facts: computer and user name, the Windows version, where the program lives.
#pragma once

#include <string>

namespace plenvik {

struct OsVersion {
    int platformId = 2;  // 0 Win32s, 1 Windows 95 family, 2 NT family
    int major = 0;
    int minor = 0;
    int build = 0;
    std::string servicePack;
};

class SystemInfo {
public:
    virtual ~SystemInfo() = default;
    // Raw answers of the system; computerName and userName apply the trimming rules.
    virtual std::string computerName() = 0;
    virtual std::string userName() = 0;
    virtual OsVersion osVersion() = 0;
    // The folder that holds Plenvik.exe, without a trailing backslash.
    virtual std::string programFolder() = 0;
    // The executable's file name without extension ("Plenvik").
    virtual std::string programFileName() = 0;
};

}  // namespace plenvik
