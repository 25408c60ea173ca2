// An unexpected run-time failure, described the way the error report shows it.
#pragma once

#include <stdexcept>
#include <string>

namespace plenvik {

inline constexpr const char* kAppTitle = "Plenvik";

class RuntimeError : public std::runtime_error {
public:
    RuntimeError(long number, std::string source, std::string description, int line = 0)
        : std::runtime_error(description), number_(number), source_(std::move(source)), description_(std::move(description)), line_(line) {}

    long number() const { return number_; }
    const std::string& source() const { return source_; }
    const std::string& description() const { return description_; }
    int line() const { return line_; }

    // Any other exception, as a run-time error of the program (number 5, "invalid procedure call").
    static RuntimeError from(const std::exception& e) { return RuntimeError(5, kAppTitle, e.what()); }

private:
    long number_;
    std::string source_;
    std::string description_;
    int line_;
};

}  // namespace plenvik
