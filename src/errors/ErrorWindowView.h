// The error window as the handler sees it: what it shows, the modal showing, and the printer for the
// protocol. Windows shows the real ErrorWindow window; tests script the button that is pressed.
#pragma once

#include <array>
#include <string>
#include <vector>

namespace plenvik {

// What the error window shows.
struct ErrorWindowContent {
    std::string progInfo;                // lblProgInfo
    std::array<std::string, 5> errText;  // lblErrText(0..4)
    std::vector<std::string> errMsg;     // lstErrMsg
    std::vector<std::string> callStack;  // lstCallStack
};

// The window's commands while it is shown.
class ErrorWindowCommands {
public:
    virtual ~ErrorWindowCommands() = default;
    // cmdProtocol(index): 0 print, 1 save, 2 mail, 3 web address.
    virtual void protocolClicked(int index) = 0;
};

class ErrorWindowView {
public:
    virtual ~ErrorWindowView() = default;
    // Shows the window modally until one of the continue buttons is pressed, and hides it again;
    // protocol buttons pressed meanwhile go to commands. Returns the pressed button's index (the
    // action code). Throws RuntimeError when the window cannot be shown.
    virtual int showModal(const ErrorWindowContent& content, ErrorWindowCommands& commands) = 0;
};

// The default printer.
class ProtocolPrinter {
public:
    virtual ~ProtocolPrinter() = default;
    // Prints the lines as they are, one job; false when there is no printer or the job failed.
    virtual bool print(const std::vector<std::string>& lines) = 0;
};

}  // namespace plenvik
