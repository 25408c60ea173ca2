// The log and the saved protocol of a fixed run, byte for byte (tests/data/errors/README.md).
#include <fstream>
#include <iterator>

#include <gtest/gtest.h>

#include "ErrorFakes.h"

namespace plenvik::test {
namespace {

std::string golden(const char* name) {
    std::ifstream in(std::string(PLENVIK_TEST_DATA) + "/errors/" + name, std::ios::binary);
    EXPECT_TRUE(in) << "golden file " << name << " missing";
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void at(ErrorReportRig& rig, int minute, int second) { rig.clock.time = {2026, 12, 6, 7, minute, second}; }

TEST(ErrorWindowProtocolTest, LogAndSavedProtocolOfTwoErrors) {
    ErrorReportRig rig;
    const std::string p1 = "Plenvik.frmMain.fc_DesktopIconsGet", p2 = "Plenvik.frmMain.sb_ProjectSave";
    at(rig, 25, 46);
    rig.handler.callStack("Plenvik.frmMain.Form_Load");
    at(rig, 25, 47);
    rig.handler.callStack(p1);
    at(rig, 25, 48);
    rig.handler.callStack(p1);
    at(rig, 25, 50);
    rig.view.continueButtons = {kActionNext, kActionLeave};
    EXPECT_EQ(rig.report(p1, RuntimeError(53, kAppTitle, "Datei nicht gefunden", 12)), kActionNext);

    at(rig, 26, 5);
    rig.handler.callStack(p2);
    at(rig, 26, 9);
    rig.view.whileShown = [&] {
        at(rig, 26, 30);
        rig.handler.protocolClicked(1);
    };
    const std::string info =
        "Projektdatei 'C:\\Projekte\\PC-BUERO_J\xC3\xBCrgen_261206072609.Plenvk' schreiben\r\n"
        "Ziel: Desktop-Symbole mit Umlauten \xC3\xA4\xC3\xB6\xC3\xBC \xC3\x84\xC3\x96\xC3\x9C \xC3\x9F, Zeichen "
        "au\xC3\x9F"
        "erhalb von windows-1252: \xE4\xB8\xAD";
    EXPECT_EQ(rig.report(p2, RuntimeError(70, kAppTitle, "70 Zugriff verweigert"), info), kActionLeave);

    EXPECT_EQ(rig.log(), golden("two-errors.log"));
    EXPECT_EQ(rig.files.files["C:\\Programme\\Plenvik\\Plenvik.ERR"], golden("saved-protocol.ERR"));
    EXPECT_EQ(rig.files.files.size(), 2u) << "the temporary file is gone";
}

}  // namespace
}  // namespace plenvik::test
