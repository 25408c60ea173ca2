// A scratch folder for the Windows tests: a fresh folder below the (Wine) temporary directory, removed
// with everything in it when the owner goes.
#pragma once

#include <windows.h>

#include <filesystem>
#include <string>

#include "platform/win32/Wide.h"
#include "platform/win32/Win32FileSystem.h"

namespace plenvik::test {

class Win32Scratch {
public:
    Win32Scratch() {
        wchar_t temp[MAX_PATH + 1] = {};
        GetTempPathW(MAX_PATH + 1, temp);
        static int counter = 0;
        folder_ = win32::narrow(temp) + "PlenvikTest" + std::to_string(GetCurrentProcessId()) + "_" + std::to_string(++counter);
        std::filesystem::create_directories(win32::widen(folder_));
    }
    ~Win32Scratch() {
        // Read-only files would stop the removal.
        const std::filesystem::path root = win32::widen(folder_);
        std::error_code ec;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(root, ec))
            SetFileAttributesW(entry.path().c_str(), FILE_ATTRIBUTE_NORMAL);
        std::filesystem::remove_all(root, ec);
    }
    Win32Scratch(const Win32Scratch&) = delete;
    Win32Scratch& operator=(const Win32Scratch&) = delete;

    win32::Win32FileSystem& files() { return files_; }
    std::string folder() const { return folder_; }

private:
    std::string folder_;
    win32::Win32FileSystem files_;
};

}  // namespace plenvik::test
