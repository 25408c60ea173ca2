#include "settings/frmSettings.h"

#include <gtest/gtest.h>

#include <functional>

#include "SettingsFakes.h"

namespace plenvik {
namespace {

TEST(frmSettingsTest, InitShowsTheValuesWithSaveDisabled) {
    test::SeparatorLocale german(',');
    frmSettings form(german);
    EXPECT_EQ(form.resultCode(), frmSettings::kResultLoaded);
    EXPECT_TRUE(form.fc_Init(750, false, true, true));
    EXPECT_FALSE(form.chkFileSave());
    EXPECT_EQ(form.txtMaxFileSize(), "750");
    EXPECT_FALSE(form.txtMaxFileSizeEnabled());
    EXPECT_TRUE(form.chkFileNameAuto());
    EXPECT_TRUE(form.chkFolderSave());
    EXPECT_FALSE(form.lblCmdSettingsSaveEnabled());
    EXPECT_EQ(form.lblInfo(), "");
    // A disabled "Sichern" does nothing.
    form.show();
    form.lblCmdSettingsSave_Click();
    EXPECT_TRUE(form.visible());
    EXPECT_EQ(form.resultCode(), frmSettings::kResultLoaded);
}

TEST(frmSettingsTest, EveryChangeWhileVisibleEnablesSave) {
    const std::pair<const char*, std::function<void(frmSettings&)>> changes[] = {
        {"file switch click", [](frmSettings& f) { f.chkFileSave_Click(false); }},
        {"automatic name click", [](frmSettings& f) { f.chkFileNameAuto_Click(true); }},
        {"folder switch click", [](frmSettings& f) { f.chkFolderSave_Click(true); }},
        {"key on file switch", [](frmSettings& f) { f.chkFileSave_KeyPress(); }},
        {"key on folder switch", [](frmSettings& f) { f.chkFolderSave_KeyPress(); }},
        {"size edited", [](frmSettings& f) { f.txtMaxFileSize_Change("50"); }},
    };
    test::SeparatorLocale german(',');
    for (const auto& [name, change] : changes) {
        SCOPED_TRACE(name);
        frmSettings form(german);
        form.fc_Init(500, true, false, false);
        change(form);  // not yet shown: filling the controls is no change
        EXPECT_FALSE(form.lblCmdSettingsSaveEnabled());
        form.show();
        change(form);
        EXPECT_TRUE(form.lblCmdSettingsSaveEnabled());
    }
}

TEST(frmSettingsTest, TheSizeBoxFollowsTheFileSwitch) {
    test::SeparatorLocale german(',');
    frmSettings form(german);
    form.fc_Init(500, true, false, false);
    form.show();
    EXPECT_TRUE(form.txtMaxFileSizeEnabled());
    form.chkFileSave_Click(false);
    EXPECT_FALSE(form.txtMaxFileSizeEnabled());
    form.chkFileSave_Click(true);
    EXPECT_TRUE(form.txtMaxFileSizeEnabled());
}

struct SaveCase {
    const char* text;
    bool acceptedGerman;
    bool acceptedEnglish;
};

TEST(frmSettingsTest, SaveAcceptsOnlyASizeFromZeroTo1000000InTheRegionalFormat) {
    const SaveCase cases[] = {
        {"0", true, true},           {"1000000", true, true},       {"1000001", false, false},
        {"-1", false, false},        {" 42 ", true, true},          {"1,5", true, false},
        {"1.5", false, true},        {"1.000", false, true},        {"1000000,0", true, false},
        {"1000000,1", false, false}, {"", false, false},            {"abc", false, false},
        {"12abc", false, false},     {"1e3", false, false},         {"99999999999999999999999", false, false},
        {",5", true, false},         {"-0", true, true},            {"+7", true, true},
    };
    for (const auto& c : cases) {
        for (const char separator : {',', '.'}) {
            SCOPED_TRACE(std::string("'") + c.text + "' with decimal separator " + separator);
            const bool accepted = separator == ',' ? c.acceptedGerman : c.acceptedEnglish;
            test::SeparatorLocale locale(separator);
            frmSettings form(locale);
            form.fc_Init(500, true, false, false);
            form.show();
            form.txtMaxFileSize_Change(c.text);
            form.lblCmdSettingsSave_Click();
            if (accepted) {
                EXPECT_EQ(form.resultCode(), frmSettings::kResultSaved);
                EXPECT_FALSE(form.visible());
                EXPECT_EQ(form.lblInfo(), "");
            } else {
                EXPECT_EQ(form.resultCode(), frmSettings::kResultLoaded);
                EXPECT_TRUE(form.visible());
                EXPECT_EQ(form.lblInfo(), "Gr\xC3\xB6\xC3\x9F" "e darf nur zwischen 0 und 1 GB sein.");
            }
        }
    }
}

TEST(frmSettingsTest, CloseGivesResult2) {
    test::SeparatorLocale german(',');
    frmSettings form(german);
    form.fc_Init(500, true, false, false);
    form.show();
    form.txtMaxFileSize_Change("kaputt");
    form.lblCmdSettingsClose_Click();
    EXPECT_EQ(form.resultCode(), frmSettings::kResultClosed);
    EXPECT_FALSE(form.visible());
}

TEST(frmSettingsTest, TakeOverReadsTheLeadingNumberTheSameEverywhere) {
    const std::pair<const char*, std::int32_t> cases[] = {
        {"1", 1},        {"1000000", 1000000}, {"0", 500},      {"0.4", 500},  {"-5", 500},
        {"", 500},       {"abc", 500},         {"1,5", 1},      {"1.5", 2},    {"2.5", 2},
        {"3.5", 4},      {" 1 2 3", 123},      {"1e3", 1000},   {"2D3", 2000}, {"999999.5", 1000000},
        {"1000001", 500}, {"99999999999", 500}, {"12abc", 12},  {".75", 1},    {"\t64\n", 64},
    };
    for (const auto& [text, limit] : cases) {
        SCOPED_TRACE(text);
        EXPECT_EQ(fileSizeLimitFromText(text), limit);
    }
}

// Plays the user: makes the changes, then presses one of the two command labels.
class ScriptedView : public SettingsDialogView {
public:
    std::function<void(frmSettings&)> user;
    bool wasVisible = false;
    void showModal(frmSettings& form) override {
        form.show();
        wasVisible = form.visible();
        user(form);
    }
};

TEST(frmSettingsTest, TheSettingsCommandTakesTheValuesOverOnlyAfterSave) {
    test::SeparatorLocale german(',');
    const Settings current{300, true, false, false};
    ScriptedView view;
    view.user = [](frmSettings& f) {
        f.txtMaxFileSize_Change("1,5");
        f.chkFileNameAuto_Click(true);
        f.chkFolderSave_Click(true);
        f.chkFileSave_Click(false);
        f.lblCmdSettingsSave_Click();
    };
    SettingsDialogOutcome saved = runSettingsDialog(view, german, current);
    EXPECT_TRUE(view.wasVisible);
    EXPECT_EQ(saved.resultCode, frmSettings::kResultSaved);
    EXPECT_EQ(saved.settings, (Settings{1, false, true, true}));

    view.user = [](frmSettings& f) {
        f.txtMaxFileSize_Change("0");
        f.lblCmdSettingsSave_Click();
    };
    saved = runSettingsDialog(view, german, current);
    EXPECT_EQ(saved.resultCode, frmSettings::kResultSaved);
    EXPECT_EQ(saved.settings.fileSizeMax, 500);  // accepted by the dialog, stored as 500

    view.user = [](frmSettings& f) {
        f.txtMaxFileSize_Change("20");
        f.chkFileNameAuto_Click(true);
        f.lblCmdSettingsClose_Click();
    };
    const SettingsDialogOutcome closed = runSettingsDialog(view, german, current);
    EXPECT_EQ(closed.resultCode, frmSettings::kResultClosed);
    EXPECT_EQ(closed.settings, current);
}

}  // namespace
}  // namespace plenvik
