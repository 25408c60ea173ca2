// A file in memory that takes at most `chunk` bytes per write and can be told to fail, at once or once
// it holds `failAt` bytes, or to fail its flushes.
#pragma once

#include <algorithm>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>

#include "platform/FileSystem.h"

namespace plenvik {

class RecordingFile : public FileHandle {
public:
    std::string bytes;
    std::size_t chunk = 1 << 20;
    std::size_t calls = 0;
    bool failing = false;
    bool failingFlush = false;
    std::size_t failAt = std::numeric_limits<std::size_t>::max();

    std::optional<std::uint64_t> size() override { return bytes.size(); }
    std::optional<std::uint64_t> sizeFromInformation() override { return bytes.size(); }
    std::optional<std::uint64_t> lastWriteTime() override { return std::nullopt; }
    std::optional<std::size_t> read(void*, std::size_t) override { return std::nullopt; }
    std::optional<std::size_t> write(const void* buffer, std::size_t count) override {
        ++calls;
        if (failing || bytes.size() >= failAt) return std::nullopt;
        const std::size_t n = std::min({count, chunk, failAt - bytes.size()});
        bytes.append(static_cast<const char*>(buffer), n);
        return n;
    }
    bool flush() override { return !failingFlush; }
    bool seekToEnd() override { return true; }
    bool close() override { return true; }
};

}  // namespace plenvik
