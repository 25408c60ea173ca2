// Starting other programs: the shell's "open" verb and plain process starts.
#pragma once

#include <string>

namespace plenvik {

class Processes {
public:
    virtual ~Processes() = default;
    // The shell's "Open" verb on a document, folder or address, in a normal window.
    virtual bool shellOpen(const std::string& target) = 0;
    // Starts a program with a command line; does not wait.
    virtual bool start(const std::string& program, const std::string& arguments) = 0;
};

}  // namespace plenvik
