#include "errors/ErrorWindow.h"

#include "common/AtomicFile.h"
#include "common/Text.h"
#include "errors/ErrorMessageLines.h"
#include "errors/ErrorTexts.h"
#include "errors/MailLink.h"
#include "errors/PrintLayout.h"

namespace plenvik {
namespace {

bool isDebugRequest(const RuntimeError& e) {
    return e.number() == errtext::kDebugNumber && e.source() == errtext::kDebugSource && e.description() == errtext::kDebugDescription;
}

}  // namespace

ErrorWindow::ErrorWindow(ErrorReportServices services, ErrorWindowView& view, ProtocolPrinter& printer)
    : services_(services),
      view_(view),
      printer_(printer),
      log_(services.files, services.system.programFolder() + "\\" + kAppTitle + ".log") {}

void ErrorWindow::callStack(const std::string& procedure) { trace_.enter(procedure, services_.clock.now()); }

std::string ErrorWindow::LPSTRToVBString(std::string_view text) {
    const auto nul = text.find('\0');
    return nul == std::string_view::npos ? std::string() : std::string(text.substr(0, nul));
}

int ErrorWindow::onError(const std::string& procedure, std::string& info, const RuntimeError& error) {
    if (info.find(errtext::kPasswordProcedure) != std::string::npos) info = errtext::kMaskedInfo;

    if (isDebugRequest(error)) {
        if (debugStop_) debugStop_();
        return kActionDebug;
    }

    if (diagnosticFlags_ & kDiagnosticMessageBox)
        services_.dialogs.messageBox({error.description(), errtext::kDiagnosticBoxTitle, MsgButtons::Ok, MsgIcon::Critical});

    trace_.markSystemError();
    const ErrorWindowContent report = reportFor(procedure, info, error, services_.clock.now());
    writeLog(report, info);

    // An error while the window is shown (reported from a procedure that ran meanwhile) must not
    // replace the report the user is deciding about: it goes to the log only, and the user is asked.
    if (shown_) {
        showReentryQuestion(errtext::kAlreadyShownText);
        return actionCode_;
    }
    content_ = report;
    infoText_ = info;
    shown_ = true;
    try {
        actionCode_ = view_.showModal(content_, *this);
    } catch (const RuntimeError& e) {
        shown_ = false;
        showReentryQuestion(e.description());
        return actionCode_;
    }
    shown_ = false;
    return actionCode_;
}

ErrorWindowContent ErrorWindow::reportFor(const std::string& procedure, const std::string& info, const RuntimeError& error,
                                          const LocalTime& now) {
    ErrorWindowContent r;
    r.progInfo = kAppTitle;  // SetProgInfo(application title)
    r.errMsg = errMsgLines(now, error.description(), info);
    r.errText[0] = errorNumberText(error.number(), error.description());
    r.errText[1] = procedure;
    r.errText[2] = std::to_string(error.line());
    r.errText[3] = services_.system.computerName();
    r.errText[4] = services_.system.userName();
    r.callStack = trace_.lines();
    return r;
}

ErrorProtocolFacts ErrorWindow::factsFor(const ErrorWindowContent& content, const std::string& info) {
    ErrorProtocolFacts f;
    f.os = services_.system.osVersion();
    f.progInfo = content.progInfo;
    f.errText = content.errText;
    f.time = services_.clock.now();
    f.errMsgLines = content.errMsg;
    f.callStackLines = trace_.lines();
    f.infoText = info;
    return f;
}

void ErrorWindow::writeLog(const ErrorWindowContent& report, const std::string& info) {
    const ErrorProtocolFacts facts = factsFor(report, info);
    std::string errorPart = protocolErrorPart(facts);
    if (!info.empty()) errorPart += "\r\n\r\n" + info;
    // Failures of the log are not reported: the window still shows the error.
    log_.append(protocolSystemPart(facts), errorPart);
}

void ErrorWindow::showReentryQuestion(const std::string& failure) {
    actionCode_ = kActionLeave;
    const MsgAnswer answer = services_.dialogs.messageBox({std::string(errtext::kReentryQuestion) + "\r\n\r\n" + failure,
                                                           errtext::kReentryTitle, MsgButtons::YesNoCancel, MsgIcon::Critical});
    if (answer == MsgAnswer::Yes) actionCode_ = kActionRetry;
}

std::string ErrorWindow::protocolText() {
    content_.callStack = trace_.lines();
    return plenvik::protocolText(factsFor(content_, infoText_));
}

std::string ErrorWindow::protocolFilePath() {
    return services_.system.programFolder() + "\\" + services_.system.programFileName() + ".ERR";
}

void ErrorWindow::protocolClicked(int index) {
    switch (index) {
    case 0: printProtocol(); break;
    case 1: saveProtocol(); break;
    case 2: mailProtocol(); break;
    case 3: services_.processes.shellOpen(errtext::kWebAddress); break;
    default: break;
    }
}

void ErrorWindow::printProtocol() {
    // Without a printer nothing is printed; that is not reported separately.
    printer_.print(printLines(protocolText()));
}

void ErrorWindow::saveProtocol() {
    const std::string path = protocolFilePath();
    const bool saved = writeFileAtomically(services_.files, path, utf8ToWindows1252(protocolText(), Unmappable::QuestionMark));
    if (saved) {
        services_.dialogs.messageBox(
            {errtext::kSavedTextBefore + path + errtext::kSavedTextAfter, errtext::kSavedTitle, MsgButtons::Ok, MsgIcon::Information});
    } else {
        services_.dialogs.messageBox({errtext::kSaveFailedTextBefore + path + errtext::kSaveFailedTextAfter, errtext::kSavedTitle,
                                      MsgButtons::Ok, MsgIcon::Exclamation});
    }
}

void ErrorWindow::mailProtocol() {
    const std::string version = programVersionText(PLENVIK_VERSION_MAJOR, PLENVIK_VERSION_MINOR, PLENVIK_VERSION_REVISION);
    services_.processes.shellOpen(mailLink(errtext::kSupportAddress, version, protocolText()));
}

}  // namespace plenvik
