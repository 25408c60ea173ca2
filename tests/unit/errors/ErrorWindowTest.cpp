#include "errors/ErrorWindow.h"

#include <gtest/gtest.h>

#include "ErrorFakes.h"
#include "common/Text.h"
#include "errors/ErrorTexts.h"
#include "errors/MailLink.h"
#include "errors/PrintLayout.h"

namespace plenvik::test {
namespace {

const RuntimeError kFileMissing(53, kAppTitle, "Datei nicht gefunden", 12);
const std::string kProc = "Plenvik.frmMain.fc_DesktopIconsGet";

std::size_t count(const std::string& text, const std::string& what) {
    std::size_t n = 0;
    for (auto pos = text.find(what); pos != std::string::npos; pos = text.find(what, pos + 1)) ++n;
    return n;
}

TEST(ErrorWindowTest, FillsTheWindowAndReturnsThePressedButton) {
    ErrorReportRig rig;
    rig.handler.SetProgInfo("anderer Text");
    rig.handler.callStack(kProc);
    rig.view.continueButtons = {kActionEnd};
    EXPECT_EQ(rig.report(kProc, kFileMissing), kActionEnd);
    EXPECT_EQ(rig.handler.actionCode(), kActionEnd);

    ASSERT_EQ(rig.view.shown.size(), 1u);
    const ErrorWindowContent& c = rig.view.shown[0];
    EXPECT_EQ(c.progInfo, "Plenvik");
    EXPECT_EQ(c.errText, (std::array<std::string, 5>{"53 - 0", kProc, "12", "PC-BUERO", "J\xC3\xBCrgen"}));
    EXPECT_EQ(c.errMsg, (std::vector<std::string>{"---------------------------------- 07:25:46 -----------------------------------",
                                                  "  Fehler:  Datei nicht gefunden", "  Aktion:  ..."}));
    EXPECT_EQ(c.callStack, (std::vector<std::string>{"07:25:46 - " + kProc + " (1)  -  Systemfehler"}));
    EXPECT_EQ(rig.handler.infoText(), "...");
    EXPECT_TRUE(rig.dialogs.asked.empty());
}

TEST(ErrorWindowTest, InfoWithPasswordProcedureIsNeitherShownNorLogged) {
    ErrorReportRig rig;
    std::string info = "EXEC sp_password 'alt', 'geheim', 'sa'";
    rig.handler.onError(kProc, info, kFileMissing);
    EXPECT_EQ(info, errtext::kMaskedInfo);
    const std::string masked = errtext::kMaskedInfo;
    EXPECT_EQ(rig.view.shown.at(0).errMsg,
              (std::vector<std::string>{rig.view.shown[0].errMsg[0], "  Fehler:  Datei nicht gefunden",
                                        "  Aktion:  " + masked.substr(0, 68), "        :  " + masked.substr(68)}));
    EXPECT_EQ(rig.log().find("geheim"), std::string::npos);
    EXPECT_EQ(count(rig.log(), errtext::kMaskedInfo), 2u);  // in the protocol and after it

    std::string upper = "EXEC SP_PASSWORD 'x'";  // compared case-sensitively
    rig.handler.onError(kProc, upper, kFileMissing);
    EXPECT_EQ(upper, "EXEC SP_PASSWORD 'x'");
}

TEST(ErrorWindowTest, DebugRequestAnswersAtOnce) {
    ErrorReportRig rig;
    int stops = 0;
    rig.handler.setDebugStop([&] { ++stops; });
    EXPECT_EQ(rig.report(kProc, RuntimeError(1, "Orvel Err", "Debug")), kActionDebug);
    EXPECT_EQ(stops, 1);
    EXPECT_TRUE(rig.view.shown.empty());
    EXPECT_TRUE(rig.files.files.empty());

    // Any other fact differing makes it an ordinary error.
    for (const auto& e :
         {RuntimeError(2, "Orvel Err", "Debug"), RuntimeError(1, "Plenvik", "Debug"), RuntimeError(1, "Orvel Err", "debug")})
        EXPECT_EQ(rig.report(kProc, e), kActionLeave) << e.source() << e.description();
    EXPECT_EQ(rig.view.shown.size(), 3u);
    EXPECT_EQ(stops, 1);
}

TEST(ErrorWindowTest, DiagnosticFlagShowsTheMessageBeforeTheWindow) {
    ErrorReportRig rig;
    rig.report(kProc, kFileMissing);
    EXPECT_TRUE(rig.dialogs.asked.empty()) << "no box without bit 64";

    rig.handler.setDiagnosticFlags(64 | 1);
    std::size_t asked = 0;
    rig.view.whileShown = [&] { asked = rig.dialogs.asked.size(); };
    rig.report(kProc, kFileMissing);
    EXPECT_EQ(asked, 1u);
    const auto& box = rig.dialogs.asked.at(0);
    EXPECT_EQ(box.title, "Fehler...");
    EXPECT_EQ(box.text, "Datei nicht gefunden");
    EXPECT_EQ(box.icon, MsgIcon::Critical);
    EXPECT_EQ(box.buttons, MsgButtons::Ok);
}

TEST(ErrorWindowTest, ErrorWhileTheWindowIsShownAsksAndKeepsTheShownReport) {
    const std::string question =
        "Fehlerformular wird bereits angezeigt!, m\xC3\xB6"
        "chten Sie den Aufruf wirderholen?"
        "\r\n\r\nFormular wird bereits angezeigt; kann nicht modal angezeigt werden";
    for (const auto& [answer, code] :
         {std::pair{MsgAnswer::Yes, kActionRetry}, std::pair{MsgAnswer::No, kActionLeave}, std::pair{MsgAnswer::Cancel, kActionLeave}}) {
        ErrorReportRig rig;
        int innerCode = -1;
        rig.view.whileShown = [&, answer = answer] {
            rig.dialogs.answers.push_back(answer);
            innerCode = rig.report("Plenvik.frmMain.tmrStart_Timer", RuntimeError(91, kAppTitle, "Objektvariable fehlt"));
        };
        rig.view.continueButtons = {kActionNext};
        EXPECT_EQ(rig.report(kProc, kFileMissing), kActionNext);
        EXPECT_EQ(innerCode, code);
        ASSERT_EQ(rig.dialogs.asked.size(), 1u);
        EXPECT_EQ(rig.dialogs.asked[0].text, question);
        EXPECT_EQ(rig.dialogs.asked[0].title, "Fehler");
        EXPECT_EQ(rig.dialogs.asked[0].buttons, MsgButtons::YesNoCancel);
        EXPECT_EQ(rig.dialogs.asked[0].icon, MsgIcon::Critical);
        EXPECT_EQ(rig.view.shown.size(), 1u);
        EXPECT_EQ(rig.handler.content().errText[1], kProc);
        EXPECT_NE(rig.log().find("Objektvariable fehlt"), std::string::npos) << "the inner error is logged";
    }
}

TEST(ErrorWindowTest, WindowThatCannotBeShownAsksWithItsFailure) {
    ErrorReportRig rig;
    rig.view.failToShow = true;
    rig.dialogs.answers = {MsgAnswer::No};
    EXPECT_EQ(rig.report(kProc, kFileMissing), kActionLeave);
    EXPECT_NE(rig.dialogs.asked.at(0).text.find("\r\n\r\nFenster konnte nicht erstellt werden"), std::string::npos);
    rig.view.failToShow = false;
    rig.view.continueButtons = {kActionRetry};
    EXPECT_EQ(rig.report(kProc, kFileMissing), kActionRetry) << "the next error shows the window again";
}

TEST(ErrorWindowTest, LogGetsTheSystemPartOncePerRun) {
    ErrorReportRig rig;
    rig.report(kProc, kFileMissing);
    rig.report(kProc, kFileMissing);
    EXPECT_EQ(count(rig.log(), "SYSTEMINFO:"), 1u);
    EXPECT_EQ(count(rig.log(), "FEHLERBESCHREIBUNG:"), 2u);

    // The next run (a new handler) appends its own system part.
    ErrorReportRig next;
    next.files.files = rig.files.files;
    next.report(kProc, kFileMissing);
    EXPECT_EQ(count(next.log(), "SYSTEMINFO:"), 2u);
    EXPECT_EQ(next.log().rfind(rig.log(), 0), 0u) << "appended, nothing lost";
}

TEST(ErrorWindowTest, OversizedLogIsStartedAnew) {
    for (const auto& [size, kept] : {std::pair{ErrorLog::kMaxSize, true}, std::pair{ErrorLog::kMaxSize + 1, false}}) {
        ErrorReportRig rig;
        rig.files.files[ErrorReportRig::kLogPath] = std::string(size, 'x');
        rig.report(kProc, kFileMissing);
        const std::string& log = rig.log();
        EXPECT_EQ(log.size() > ErrorLog::kMaxSize, kept) << size;
        EXPECT_EQ(log.substr(kept ? size : 0, 4), "\r\n\r\n") << "the system part follows: " << size;
        EXPECT_EQ(count(log, "SYSTEMINFO:"), 1u);
    }
}

TEST(ErrorWindowTest, LogStartedAnewInTheRunGetsTheSystemPartAgain) {
    ErrorReportRig rig;
    rig.report(kProc, kFileMissing);
    rig.files.files[ErrorReportRig::kLogPath].append(ErrorLog::kMaxSize, 'x');
    rig.report(kProc, kFileMissing);
    EXPECT_LT(rig.log().size(), 10000u);
    EXPECT_EQ(count(rig.log(), "SYSTEMINFO:"), 1u);
}

TEST(ErrorWindowTest, FailedLogWriteStillShowsTheErrorAndOwesTheSystemPart) {
    ErrorReportRig rig;
    rig.files.failWrites = true;
    rig.view.continueButtons = {kActionNext};
    EXPECT_EQ(rig.report(kProc, kFileMissing), kActionNext);
    EXPECT_EQ(rig.view.shown.size(), 1u);
    rig.files.failWrites = false;
    rig.report(kProc, kFileMissing);
    EXPECT_EQ(count(rig.log(), "SYSTEMINFO:"), 1u);
}

TEST(ErrorWindowTest, SaveWritesTheErrFileAndTellsWhere) {
    ErrorReportRig rig;
    rig.view.protocolButtons = {1};
    rig.report(kProc, kFileMissing);
    const std::string path = "C:\\Programme\\Plenvik\\Plenvik.ERR";
    EXPECT_EQ(rig.files.files[path], utf8ToWindows1252(rig.handler.protocolText(), Unmappable::QuestionMark));
    ASSERT_EQ(rig.dialogs.asked.size(), 1u);
    EXPECT_EQ(rig.dialogs.asked[0].title, "Fehlerprotokoll");
    EXPECT_EQ(rig.dialogs.asked[0].text, "Das Fehlerprotokoll wurde in die Datei '" + path + "' geschrieben !");
    EXPECT_EQ(rig.dialogs.asked[0].icon, MsgIcon::Information);
}

TEST(ErrorWindowTest, FailedSaveSaysSoAndKeepsTheOldFile) {
    ErrorReportRig rig;
    const std::string path = "C:\\Programme\\Plenvik\\Plenvik.ERR";
    rig.files.files[path] = "altes Protokoll";
    rig.report(kProc, kFileMissing);  // log written first
    rig.files.failWrites = true;
    rig.handler.protocolClicked(1);
    EXPECT_EQ(rig.files.files[path], "altes Protokoll");
    EXPECT_EQ(rig.files.files.count(path + ".~tmp"), 0u);
    ASSERT_EQ(rig.dialogs.asked.size(), 1u);
    EXPECT_EQ(rig.dialogs.asked[0].text, "Das Fehlerprotokoll konnte nicht in die Datei '" + path + "' geschrieben werden !");
}

TEST(ErrorWindowTest, PrintMailAndWebButtons) {
    ErrorReportRig rig;
    rig.view.protocolButtons = {0, 2, 3};
    rig.report(kProc, kFileMissing);
    const std::string protocol = rig.handler.protocolText();

    ASSERT_EQ(rig.printer.jobs.size(), 1u);
    EXPECT_EQ(rig.printer.jobs[0], printLines(protocol));

    ASSERT_EQ(rig.processes.opened.size(), 2u);
    const std::string version = programVersionText(PLENVIK_VERSION_MAJOR, PLENVIK_VERSION_MINOR, PLENVIK_VERSION_REVISION);
    EXPECT_EQ(rig.processes.opened[0], "mailto:support@orvel.example?subject=" + percentEncode("Orvel Verwaltung, Fehler, " + version) +
                                           "&body=" + percentEncode(protocol));
    EXPECT_EQ(rig.processes.opened[1], errtext::kWebAddress);
    EXPECT_TRUE(rig.dialogs.asked.empty());
}

TEST(ErrorWindowTest, LPSTRToVBStringKeepsTheTextBeforeTheFirstNul) {
    using namespace std::string_literals;
    EXPECT_EQ(ErrorWindow::LPSTRToVBString("PC-BUERO\0\0\0"s), "PC-BUERO");
    EXPECT_EQ(ErrorWindow::LPSTRToVBString("a\0b\0"s), "a");
    EXPECT_EQ(ErrorWindow::LPSTRToVBString("\0"s), "");
    EXPECT_EQ(ErrorWindow::LPSTRToVBString("ohne Null"), "");
}

}  // namespace
}  // namespace plenvik::test
