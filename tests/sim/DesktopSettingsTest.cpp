// The desktop settings dialog on the simulated platform: what it shows, what an apply changes, the
// confirmation of new display modes with its rollback, and the command that shows the dialog.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "app/MainActions.h"
#include "app/MainController.h"
#include "desktop/DesktopSystemIcons.h"
#include "platform/sim/SimPlatform.h"
#include "settings/DesktopSettingsCommand.h"
#include "settings/DesktopSettingsDialog.h"
#include "support/ScratchRoot.h"
#include "support/ScriptedErrorHandler.h"

namespace plenvik {
namespace {

using sim::AskedQuestion;
using sim::SimDisplays;

const std::string kNetwork = "{208D2C60-3AEA-1069-A2D7-08002B30309D}";
const std::string kBasket = "{645FF040-5081-101B-9F08-00AA002F954E}";
const std::string kClassic = std::string(kHideDesktopIconsKey) + "\\ClassicStartMenu";
const std::string kNewPanel = std::string(kHideDesktopIconsKey) + "\\NewStartPanel";

std::vector<std::uint8_t> dword(std::uint32_t v) {
    return {std::uint8_t(v), std::uint8_t(v >> 8), std::uint8_t(v >> 16), std::uint8_t(v >> 24)};
}

class DesktopSettingsTest : public ::testing::Test {
protected:
    test::ScratchRoot scratch;
    sim::SimPlatform sim{scratch.path()};
    test::ScriptedErrorHandler errors;

    // Monitor 1: 1280 x 1024 at 0,0 listing three modes; monitor 2 (optional): 1024 x 768 to its right.
    void monitors(int count) {
        sim.displays.monitors().clear();
        sim.displays.addMonitor(
            {0, 0, 1280, 1024}, "\\\\.\\DISPLAY1", 32, 60,
            {SimDisplays::mode(1024, 768, 32, 60), SimDisplays::mode(1280, 1024, 32, 60), SimDisplays::mode(800, 600, 32, 60)});
        if (count > 1)
            sim.displays.addMonitor({1280, 0, 2304, 768}, "\\\\.\\DISPLAY2", 16, 75,
                                    {SimDisplays::mode(1024, 768, 16, 75), SimDisplays::mode(640, 480, 16, 75)});
    }
    void bothHiddenIconKeys() {
        sim.registry.createKey(kClassic);
        sim.registry.createKey(kNewPanel);
    }
    std::optional<std::uint32_t> hidden(const std::string& key, const std::string& clsid) {
        const auto v = sim.registry.rawValue(key, clsid);
        if (!v || v->data.size() != 4) return std::nullopt;
        return v->data[0] | v->data[1] << 8 | v->data[2] << 16 | std::uint32_t(v->data[3]) << 24;
    }
    Rect rectOf(int monitor) { return sim.displays.monitors()[static_cast<std::size_t>(monitor - 1)].rect; }
    std::vector<const AskedQuestion*> asked(AskedQuestion::Kind kind) {
        std::vector<const AskedQuestion*> found;
        for (const auto& q : sim.dialogs.asked)
            if (q.kind == kind) found.push_back(&q);
        return found;
    }
    int indexOf(const std::string& label) {
        const auto items = sim.desktop.readAll();
        for (std::size_t i = 0; i < items.size(); ++i)
            if (items[i].label == label) return static_cast<int>(i);
        return -1;
    }
    IconPosition positionOf(const std::string& label) { return sim.desktop.position(indexOf(label)); }
    // An icon on the user's desktop, placed at `at`.
    void iconAt(const std::string& name, IconPosition at) {
        const auto path = std::filesystem::path(sim.files.nativePath(std::string(sim::SimPlatform::kUserDesktop) + "\\" + name));
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path) << "x";
        sim.desktop.refresh();
        sim.desktop.settle();
        ASSERT_GE(indexOf(name), 0);
        ASSERT_TRUE(sim.desktop.model().place(indexOf(name), at));
        ASSERT_EQ(positionOf(name), at);
    }
};

TEST_F(DesktopSettingsTest, FillsOnePairPerMonitorWithItsModesAndTheCurrentOneSelected) {
    monitors(2);
    DesktopSettingsDialog form(sim.platform(), errors);
    EXPECT_EQ(form.resultCode(), 7);
    ASSERT_TRUE(form.initialize(5));
    ASSERT_EQ(form.monitorColumns().size(), 2u);
    const MonitorColumn& first = form.monitorColumns()[0];
    const MonitorColumn& second = form.monitorColumns()[1];
    EXPECT_EQ(first.caption, "Monitor 1");
    EXPECT_FALSE(first.added) << "the first pair is on the form already";
    EXPECT_EQ(first.modes,
              (std::vector<std::string>{"1024 x 768, 32 Bit, 60 Hz", "1280 x 1024, 32 Bit, 60 Hz", "800 x 600, 32 Bit, 60 Hz"}));
    EXPECT_EQ(first.selected, 1);
    EXPECT_EQ(second.lblMonName + " " + second.lstMonName + " " + second.caption, "lblMon2 lstMon2 Monitor 2");
    EXPECT_TRUE(second.added);
    EXPECT_EQ(second.modes, (std::vector<std::string>{"1024 x 768, 16 Bit, 75 Hz", "640 x 480, 16 Bit, 75 Hz"}));
    EXPECT_EQ(second.selected, 0);
    EXPECT_EQ(form.monitorRecords().at(2).Left, 1280);
    EXPECT_TRUE(form.chkIconsSnapToGrid()) << "from the arrange code";
    form.initialize(0);
    EXPECT_FALSE(form.chkIconsSnapToGrid());
    EXPECT_TRUE(errors.reports.empty());
}

TEST_F(DesktopSettingsTest, OpensWithTheViewOfTheStyleWordAndSetsOnlyTypeAndAutoArrange) {
    monitors(1);
    struct Case {
        int entry;
        bool autoArrange;
        std::int32_t from, expected;
    };
    const std::int32_t base = sim::kSimDesktopStyle & ~0x103;
    // The first case: a list view with auto-arrange opens as "Liste", checked, and an apply without
    // changes writes the same style again.
    for (const Case& c :
         {Case{2, true, base | 3 | 0x100, base | 3 | 0x100}, Case{0, false, base | 3 | 0x100, base}, Case{1, true, base, base | 2 | 0x100},
          Case{2, false, base | 1, base | 3}, Case{3, true, base | 2, base | 1 | 0x100}}) {
        SCOPED_TRACE(c.entry);
        sim.desktop.setStyleWord(c.from);
        DesktopSettingsDialog form(sim.platform(), errors);
        form.initialize(0);
        EXPECT_EQ(viewTypeOfIconViewEntry(form.lstIconView()), c.from & 3);
        EXPECT_EQ(form.chkIconsArrangeAutomatic(), (c.from & 0x100) != 0);
        form.iconViewListClicked(c.entry);
        form.arrangeAutomaticClicked(c.autoArrange);
        const int refreshes = sim.desktop.refreshCount();
        form.saveClicked();  // an unscripted countdown box would throw
        EXPECT_EQ(sim.desktop.styleWord(), c.expected);
        EXPECT_EQ(sim.desktop.refreshCount(), refreshes + 1);
    }
    EXPECT_TRUE(sim.displays.changes.empty());
}

TEST_F(DesktopSettingsTest, AnExpiredCountdownRestoresTheModesAndChangesNothingElse) {
    monitors(2);
    bothHiddenIconKeys();
    iconAt("a", {57, 43});
    DesktopSettingsDialog form(sim.platform(), errors);
    form.initialize(0);
    const std::int32_t style = sim.desktop.styleWord();
    const int refreshes = sim.desktop.refreshCount();
    form.monitorListClicked(1, 2);  // 800 x 600
    form.monitorListClicked(2, 1);  // 640 x 480
    form.iconViewListClicked(3);
    form.snapToGridClicked(true);
    form.systemIconClicked(4, false);
    sim.dialogs.answerCountdown(2);

    form.saveClicked();

    const auto boxes = asked(AskedQuestion::Kind::CountdownBox);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0]->text, "Bitte bestätigen Sie die neue(n) Auflösung(en), ob Sie alles korrekt erkennen?");
    EXPECT_EQ(boxes[0]->title, "Auflösung geändert...");
    EXPECT_EQ(boxes[0]->seconds, 10);
    ASSERT_EQ(sim.displays.changes.size(), 4u) << "two changes, two returns";
    EXPECT_EQ(sim.displays.changes[0].mode.width, 800);
    EXPECT_EQ(sim.displays.changes[1].mode.width, 640);
    EXPECT_EQ(rectOf(1), (Rect{0, 0, 1280, 1024}));
    EXPECT_EQ(rectOf(2), (Rect{1280, 0, 2304, 768}));
    EXPECT_EQ(sim.displays.monitors()[1].current.bitsPerPixel, 16);
    // Nothing else happened.
    EXPECT_EQ(sim.desktop.styleWord(), style);
    EXPECT_EQ(positionOf("a"), (IconPosition{57, 43})) << "not snapped";
    EXPECT_FALSE(hidden(kClassic, kBasket));
    EXPECT_EQ(sim.desktop.refreshCount(), refreshes);
    // The lists show the modes the monitors run in again.
    EXPECT_EQ(form.monitorColumns()[0].selected, 1);
    EXPECT_EQ(form.monitorColumns()[1].selected, 0);
    EXPECT_EQ(form.lblInfo(), desktop_text::kModesRestored);
    EXPECT_TRUE(sim.dialogs.allAnswersUsed());
}

TEST_F(DesktopSettingsTest, AConfirmedChangeKeepsTheModesAppliesTheRestAndBecomesTheModeToReturnTo) {
    monitors(2);
    bothHiddenIconKeys();
    iconAt("a", {57, 43});
    DesktopSettingsDialog form(sim.platform(), errors);
    form.initialize(0);
    form.monitorListClicked(2, 1);
    form.iconViewListClicked(2);
    form.snapToGridClicked(true);
    form.systemIconClicked(4, false);
    sim.dialogs.answerCountdown(5);
    form.saveClicked();

    ASSERT_EQ(sim.displays.changes.size(), 1u) << "only the monitor whose entry differs is switched";
    EXPECT_EQ(rectOf(2), (Rect{1280, 0, 1920, 480}));
    EXPECT_EQ(sim.desktop.styleWord() & 0x103, 3);
    EXPECT_NE(positionOf("a"), (IconPosition{57, 43})) << "snapped to the grid";
    EXPECT_EQ(hidden(kClassic, kBasket), 1u);
    EXPECT_EQ(hidden(kNewPanel, kBasket), 1u);
    EXPECT_EQ(form.systemIconBox("chkDisplayBasket")->tag, false);

    // Nothing changed since: no mode is switched and no question asked (it would be unscripted).
    form.saveClicked();
    EXPECT_EQ(sim.displays.changes.size(), 1u);

    // A later change that is not confirmed returns to the confirmed mode, not to the first one.
    form.monitorListClicked(1, 0);
    sim.dialogs.answerCountdown(2);
    form.saveClicked();
    EXPECT_EQ(rectOf(1), (Rect{0, 0, 1280, 1024}));
    EXPECT_EQ(rectOf(2), (Rect{1280, 0, 1920, 480}));
    EXPECT_EQ(form.monitorColumns()[1].selected, 1);
}

TEST_F(DesktopSettingsTest, AModeThePlatformRefusesIsNoChangeToConfirm) {
    monitors(1);
    DesktopSettingsDialog form(sim.platform(), errors);
    form.initialize(0);
    form.monitorListClicked(1, 0);
    sim.displays.scriptedResults.push_back(kDispChangeBadMode);
    sim.dialogs.answerMessage(MsgAnswer::Ok);
    form.saveClicked();
    ASSERT_EQ(sim.dialogs.asked.size(), 1u);
    EXPECT_EQ(sim.dialogs.asked[0].text, "Grafikmodus wird nicht unterstützt.");
    EXPECT_EQ(sim.displays.changes.size(), 1u) << "no countdown, so no return either";
}

TEST_F(DesktopSettingsTest, LeavingTheApplyBetweenTwoModeChangesTakesTheFirstBack) {
    monitors(2);
    DesktopSettingsDialog form(sim.platform(), errors);
    form.initialize(0);
    form.monitorListClicked(1, 2);
    form.monitorListClicked(2, 1);
    int changes = 0;
    sim.displays.beforeCall = [&](const std::string& op) {
        if (op == "changeMode" && ++changes == 2) throw std::runtime_error("Grafiktreiber antwortet nicht");
    };
    errors.answers = {kActionLeave};
    form.saveClicked();
    ASSERT_EQ(errors.reports.size(), 1u);
    EXPECT_EQ(errors.reports[0].procedure, "Plenvik.frmDesktop.lblCmdSettingsSave_Click");
    EXPECT_TRUE(asked(AskedQuestion::Kind::CountdownBox).empty());
    EXPECT_EQ(rectOf(1), (Rect{0, 0, 1280, 1024})) << "no monitor stays in a mode nobody confirmed";
    EXPECT_EQ(form.lblInfo(), desktop_text::kModesRestored);
}

TEST_F(DesktopSettingsTest, AReturnThatFailsIsReported) {
    monitors(1);
    DesktopSettingsDialog form(sim.platform(), errors);
    form.initialize(0);
    form.monitorListClicked(1, 2);
    sim.displays.scriptedResults = {kDispChangeSuccessful, kDispChangeFailed};
    sim.dialogs.answerCountdown(2);
    sim.dialogs.answerAllMessages(MsgAnswer::Ok);
    form.saveClicked();
    const auto messages = asked(AskedQuestion::Kind::MessageBox);
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0]->text, "Die Auflösung konnte nicht geändert werden.");
    EXPECT_EQ(messages[1]->text, "Die vorherige Auflösung konnte nicht wiederhergestellt werden für Monitor 1.");
    EXPECT_EQ(messages[1]->icon, MsgIcon::Exclamation);
    EXPECT_EQ(form.lblInfo(), messages[1]->text);
    EXPECT_EQ(rectOf(1), (Rect{0, 0, 800, 600}));
    EXPECT_EQ(form.monitorColumns()[0].selected, 2) << "the list shows the mode the monitor is left in";
}

TEST_F(DesktopSettingsTest, OnlyACheckedSnapBoxArrangesTheIcons) {
    monitors(1);
    for (const bool snap : {false, true}) {
        SCOPED_TRACE(snap);
        iconAt(snap ? "b" : "a", {57, 43});
        DesktopSettingsDialog form(sim.platform(), errors);
        form.initialize(5);
        form.snapToGridClicked(snap);
        form.saveClicked();
        EXPECT_EQ(positionOf(snap ? "b" : "a") == (IconPosition{57, 43}), !snap);
    }
}

TEST_F(DesktopSettingsTest, TheBoxesFollowTheKeyInForceAndASecondApplyWritesNothing) {
    monitors(1);
    bothHiddenIconKeys();
    std::vector<std::uint8_t> shellState(36, 0);
    shellState[32] = 2;
    sim.registry.setRawValue(std::string(kExplorerKey), "ShellState", kRegBinary, shellState);
    sim.registry.setRawValue(kNewPanel, kNetwork, kRegDword, dword(1));
    sim.registry.setRawValue(kNewPanel, kBasket, kRegDword, dword(2));
    sim.registry.setRawValue(kClassic, kBasket, kRegDword, dword(1));
    DesktopSettingsDialog form(sim.platform(), errors);
    form.initialize(0);
    EXPECT_EQ(form.hiddenIconsKey(), "NewStartPanel");
    EXPECT_FALSE(form.systemIconBox("chkDisplayNetwork")->value) << "exactly 1 hides";
    EXPECT_TRUE(form.systemIconBox("chkDisplayBasket")->value) << "2 is not 1";
    EXPECT_TRUE(form.systemIconBox("chkDisplayMyComputer")->value) << "a missing value counts as 0";
    for (const auto& box : form.systemIconBoxes()) EXPECT_EQ(box.tag, box.value);

    form.systemIconClicked(0, true);  // network shown
    form.saveClicked();
    EXPECT_EQ(hidden(kClassic, kNetwork), 0u);
    EXPECT_EQ(hidden(kNewPanel, kNetwork), 0u);
    EXPECT_EQ(hidden(kNewPanel, kBasket), 2u) << "an untouched box is not written";
    // Someone else changes the value; an apply without touching the boxes leaves it alone.
    sim.registry.setRawValue(kNewPanel, kNetwork, kRegDword, dword(7));
    form.saveClicked();
    EXPECT_EQ(hidden(kNewPanel, kNetwork), 7u);
}

TEST_F(DesktopSettingsTest, AMissingHiddenIconsKeyIsNotCreatedAndTheBoxShowsTheTruth) {
    monitors(1);
    sim.registry.createKey(kNewPanel);  // no ShellState: ClassicStartMenu is in force, and missing
    DesktopSettingsDialog form(sim.platform(), errors);
    form.initialize(0);
    EXPECT_EQ(form.hiddenIconsKey(), "ClassicStartMenu");
    form.systemIconClicked(4, false);
    form.saveClicked();
    EXPECT_FALSE(sim.registry.keyExists(kClassic));
    EXPECT_EQ(hidden(kNewPanel, kBasket), 1u) << "the key that exists is still written";
    EXPECT_TRUE(form.systemIconBox("chkDisplayBasket")->value);
    EXPECT_EQ(form.lblInfo(), std::string(desktop_text::kIconNotWritten) + "Papierkorb einblenden");
    EXPECT_EQ(hiddenIconsKeyName({}), "ClassicStartMenu");
}

TEST_F(DesktopSettingsTest, TheCommandMeasuresSnappingDrawsTheMonitorsShowsAndUnloads) {
    monitors(1);
    iconAt("a", {20, 10});
    sim.desktop.model().setSnapToGrid(true);
    UnavailableActions actions;
    MainController main(sim.platform(), errors, actions);
    int shown = 0;
    showDesktopSettings(main.platform(), main.errors(), [&](DesktopSettingsDialog& form) {
        ++shown;
        EXPECT_TRUE(form.chkIconsSnapToGrid()) << "measured on the first icon";
        EXPECT_EQ(form.monitorColumns().size(), 1u);
        const IndexedSurface* surface = form.ctlPictureView().surface();
        ASSERT_NE(surface, nullptr);
        // The monitor's outline starts at (1, 1) in the pen's black; inside stays white.
        EXPECT_EQ(surface->color(1, 1).r, 0);
        EXPECT_EQ(surface->color(100, 100).r, 255);
        form.Show();
        form.closeClicked();
        EXPECT_EQ(form.resultCode(), 2);
        EXPECT_FALSE(form.visible());
    });
    EXPECT_EQ(shown, 1);
    EXPECT_TRUE(errors.reports.empty());
}

}  // namespace
}  // namespace plenvik
