// A procedure of three steps carries out the decisions of the real handler; the window is scripted.
#include "errors/Procedure.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include "ErrorFakes.h"
#include "support/ScriptedErrorHandler.h"

namespace plenvik::test {
namespace {

struct StepsDone {
    std::vector<std::string> done;
    bool ended = false;
};

// Step 2 fails `failures` times, then succeeds.
StepsDone runThreeSteps(ErrorReportRig& rig, int failures, const RuntimeError& error) {
    StepsDone run;
    try {
        Procedure proc(rig.handler, "frmMain.sb_DreiSchritte");
        proc.run([&] {
            proc.step([&] { run.done.push_back("1"); });
            proc.step([&] {
                if (failures-- > 0) throw error;
                run.done.push_back("2");
            });
            proc.step([&] { run.done.push_back("3"); });
        });
    } catch (const EndProgram&) {
        run.ended = true;
    }
    return run;
}

const RuntimeError kFailure(76, kAppTitle, "Pfad nicht gefunden");

TEST(ProcedureWithHandlerTest, CarriesOutTheChosenAction) {
    struct Case {
        const char* name;
        int button;
        int failures;
        std::vector<std::string> done;
        bool ended;
    };
    const Case cases[] = {
        {"retry runs the step again", kActionRetry, 1, {"1", "2", "3"}, false},
        {"next skips the step", kActionNext, 1, {"1", "3"}, false},
        {"leave ends the procedure with what it has", kActionLeave, 1, {"1"}, false},
        {"end ends the program", kActionEnd, 1, {"1"}, true},
    };
    for (const auto& c : cases) {
        ErrorReportRig rig;
        rig.view.continueButtons = {c.button};
        const StepsDone run = runThreeSteps(rig, c.failures, kFailure);
        EXPECT_EQ(run.done, c.done) << c.name;
        EXPECT_EQ(run.ended, c.ended) << c.name;
        ASSERT_EQ(rig.view.shown.size(), 1u) << c.name;
        EXPECT_EQ(rig.view.shown[0].errText[1], "Plenvik.frmMain.sb_DreiSchritte") << c.name;
        EXPECT_EQ(rig.handler.trace().lines().at(0), "07:25:46 - Plenvik.frmMain.sb_DreiSchritte (1)  -  Systemfehler");
    }
}

TEST(ProcedureWithHandlerTest, RetryUntilTheStatementSucceeds) {
    ErrorReportRig rig;
    rig.view.continueButtons = {kActionRetry, kActionRetry};
    EXPECT_EQ(runThreeSteps(rig, 2, kFailure).done, (std::vector<std::string>{"1", "2", "3"}));
    EXPECT_EQ(rig.view.shown.size(), 2u);
}

TEST(ProcedureWithHandlerTest, DebugRequestRunsTheStatementAgainWithoutWindow) {
    ErrorReportRig rig;
    EXPECT_EQ(runThreeSteps(rig, 1, RuntimeError(1, "Orvel Err", "Debug")).done, (std::vector<std::string>{"1", "2", "3"}));
    EXPECT_TRUE(rig.view.shown.empty());
}

// A step hands every failure to the handler; the test handler fails a test that did not expect it.
TEST(ProcedureWithHandlerTest, AnUnscriptedFailureReachesTheHandlerAndFailsTheTest) {
    ScriptedErrorHandler handler;
    std::vector<std::string> done;
    EXPECT_NONFATAL_FAILURE(
        {
            Procedure proc(handler, "frmMain.sb_DreiSchritte");
            proc.run([&] {
                proc.step([&] { throw kFailure; });
                done.push_back("2");
            });
        },
        "unscripted error in Plenvik.frmMain.sb_DreiSchritte: Pfad nicht gefunden");
    EXPECT_TRUE(done.empty()) << "the procedure was left";
    ASSERT_EQ(handler.reports.size(), 1u);
    EXPECT_EQ(handler.reports[0].number, 76);
}

}  // namespace
}  // namespace plenvik::test
