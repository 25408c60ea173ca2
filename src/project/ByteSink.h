// Where written bytes go: a string in memory or an open file. Writers stream into a sink so that the
// memory a project file needs does not grow with the sizes of the files it embeds.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace plenvik {

class FileHandle;

// Writes count bytes into the file, retrying short writes; returns count. Throws RuntimeError (57)
// when the file takes nothing.
std::uint64_t writeAll(FileHandle& file, const char* data, std::size_t count);
// Throws the RuntimeError (57) of a file that could not be written completely.
[[noreturn]] void throwIncompleteWrite();

class ByteSink {
public:
    virtual ~ByteSink() = default;
    // Throws RuntimeError when the bytes cannot be stored.
    virtual void write(std::string_view bytes) = 0;
    // Hands buffered bytes on; throws RuntimeError when that fails.
    virtual void flush() {}
};

class StringSink : public ByteSink {
public:
    void write(std::string_view bytes) override { text_.append(bytes); }
    const std::string& text() const { return text_; }
    std::string take() { return std::move(text_); }

private:
    std::string text_;
};

// Writes into an open file through a buffer. Call flush() before closing: bytes still buffered when
// the sink is destroyed are dropped, as a write that failed half-way would leave them.
class FileHandleSink : public ByteSink {
public:
    explicit FileHandleSink(FileHandle& file, std::size_t bufferSize = 64 * 1024);
    void write(std::string_view bytes) override;
    void flush() override;
    // Bytes handed to the file so far.
    std::uint64_t written() const { return written_; }

private:
    void writeThrough(const char* data, std::size_t count);

    FileHandle& file_;
    std::vector<char> buffer_;
    std::size_t used_ = 0;
    std::uint64_t written_ = 0;
};

}  // namespace plenvik
