// ErrorWindow: the program's central error handler and the model of its error window. Procedures register
// in its call-stack trace (CallStack) and report their run-time errors to it (OnError); it fills the
// window, appends the protocol to the log file, shows the window modally and returns the user's
// decision. One instance lives for the whole run; between errors the window is hidden, the trace kept.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "errors/CallStackTrace.h"
#include "errors/ErrorHandler.h"
#include "errors/ErrorLog.h"
#include "errors/ErrorProtocol.h"
#include "errors/ErrorWindowView.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/FileSystem.h"
#include "platform/Processes.h"
#include "platform/SystemInfo.h"

namespace plenvik {

// The platform services the error report uses.
struct ErrorReportServices {
    SystemInfo& system;
    Clock& clock;
    Dialogs& dialogs;
    Processes& processes;
    FileSystem& files;
};

class ErrorWindow : public ErrorHandler, private ErrorWindowCommands {
public:
    // The diagnostic flag bit that makes OnError show the error in a message box first.
    static constexpr std::int32_t kDiagnosticMessageBox = 64;

    ErrorWindow(ErrorReportServices services, ErrorWindowView& view, ProtocolPrinter& printer);

    // CallStack: registers entry into a procedure (qualified name) in the trace.
    void callStack(const std::string& procedure) override;
    // OnError: reports the pending error of a procedure and returns the action code (ErrorAction).
    // info is the caller's info text; it is masked when it may carry a password.
    int onError(const std::string& procedure, std::string& info, const RuntimeError& error) override;

    void SetProgInfo(const std::string& text) { content_.progInfo = text; }
    // The text before the first NUL character; empty when the text holds no NUL.
    static std::string LPSTRToVBString(std::string_view text);

    // The main window's diagnostic flags from the command line.
    void setDiagnosticFlags(std::int32_t flags) { diagnosticFlags_ = flags; }
    // What "stop in the debugger" does before the failing statement runs again (nothing by default).
    void setDebugStop(std::function<void()> stop) { debugStop_ = std::move(stop); }

    // cmdProtocol(index): 0 print, 1 save Plenvik.ERR, 2 mail, 3 the maker's web address.
    void protocolClicked(int index) override;

    const ErrorWindowContent& content() const { return content_; }
    const std::string& infoText() const { return infoText_; }
    int actionCode() const { return actionCode_; }
    const CallStackTrace& trace() const { return trace_; }
    const std::string& logPath() const { return log_.path(); }
    std::string protocolFilePath();
    // The protocol with both parts, as of now.
    std::string protocolText();

private:
    ErrorWindowContent reportFor(const std::string& procedure, const std::string& info, const RuntimeError& error, const LocalTime& now);
    ErrorProtocolFacts factsFor(const ErrorWindowContent& content, const std::string& info);
    void writeLog(const ErrorWindowContent& report, const std::string& info);
    void showReentryQuestion(const std::string& failure);
    void printProtocol();
    void saveProtocol();
    void mailProtocol();

    ErrorReportServices services_;
    ErrorWindowView& view_;
    ProtocolPrinter& printer_;
    CallStackTrace trace_;
    ErrorLog log_;
    ErrorWindowContent content_;
    std::string infoText_;
    int actionCode_ = kActionRetry;
    bool shown_ = false;
    std::int32_t diagnosticFlags_ = 0;
    std::function<void()> debugStop_;
};

}  // namespace plenvik
