// A scratch folder for the simulated platform's tests: a fresh temporary directory that stands for
// drive C: of a PosixFileSystem, removed with everything in it when the owner goes.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/posix/PosixFileSystem.h"

namespace plenvik::test {

class PosixScratch {
public:
    PosixScratch() {
        std::string pattern = (std::filesystem::temp_directory_path() / "plenvik-test-XXXXXX").string();
        if (!::mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
        root_ = pattern;
        files_ = std::make_unique<PosixFileSystem>(root_);
        std::filesystem::create_directories(files_->nativePath(folder()));
    }
    ~PosixScratch() {
        std::error_code ec;
        std::filesystem::remove_all(root_, ec);
    }
    PosixScratch(const PosixScratch&) = delete;
    PosixScratch& operator=(const PosixScratch&) = delete;

    PosixFileSystem& files() { return *files_; }
    // The scratch folder as the program sees it.
    std::string folder() const { return "C:\\Scratch"; }
    std::string native(const std::string& path) const { return files_->nativePath(path); }

private:
    std::string root_;
    std::unique_ptr<PosixFileSystem> files_;
};

}  // namespace plenvik::test
