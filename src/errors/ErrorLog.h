// The log file next to the program (Plenvik.log): every error's protocol is appended to it. The system
// part goes in once per program run; a file grown beyond 10,000,000 bytes is deleted and started anew.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/FileSystem.h"

namespace plenvik {

class ErrorLog {
public:
    static constexpr std::uint64_t kMaxSize = 10'000'000;

    ErrorLog(FileSystem& files, std::string path) : files_(files), path_(std::move(path)) {}

    const std::string& path() const { return path_; }
    bool systemPartWritten() const { return systemPartWritten_; }

    // Appends errorPart (UTF-8; written as windows-1252) and a line break, with systemPart in front
    // when this run has not yet put it into the file, or the file was just started anew. False when the
    // file could not be written; the system part is then still owed.
    bool append(std::string_view systemPart, std::string_view errorPart);

private:
    FileSystem& files_;
    std::string path_;
    bool systemPartWritten_ = false;
};

}  // namespace plenvik
