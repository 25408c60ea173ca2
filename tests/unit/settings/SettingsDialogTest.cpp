#include "settings/SettingsDialog.h"

#include <gtest/gtest.h>

#include <functional>

#include "SettingsFakes.h"

namespace plenvik {
namespace {

TEST(SettingsDialogTest, InitShowsTheValuesWithSaveDisabled) {
    test::SeparatorLocale german(',');
    SettingsDialog form(german);
    EXPECT_EQ(form.resultCode(), SettingsDialog::kResultLoaded);
    EXPECT_TRUE(form.initialize(750, false, true, true));
    EXPECT_FALSE(form.chkFileSave());
    EXPECT_EQ(form.txtMaxFileSize(), "750");
    EXPECT_FALSE(form.txtMaxFileSizeEnabled());
    EXPECT_TRUE(form.chkFileNameAuto());
    EXPECT_TRUE(form.chkFolderSave());
    EXPECT_FALSE(form.lblCmdSettingsSaveEnabled());
    EXPECT_EQ(form.lblInfo(), "");
    // A disabled "Sichern" does nothing.
    form.show();
    form.saveClicked();
    EXPECT_TRUE(form.visible());
    EXPECT_EQ(form.resultCode(), SettingsDialog::kResultLoaded);
}

TEST(SettingsDialogTest, EveryChangeWhileVisibleEnablesSave) {
    const std::pair<const char*, std::function<void(SettingsDialog&)>> changes[] = {
        {"file switch click", [](SettingsDialog& f) { f.fileSaveClicked(false); }},
        {"automatic name click", [](SettingsDialog& f) { f.fileNameAutoClicked(true); }},
        {"folder switch click", [](SettingsDialog& f) { f.folderSaveClicked(true); }},
        {"key on file switch", [](SettingsDialog& f) { f.fileSaveKeyPressed(); }},
        {"key on folder switch", [](SettingsDialog& f) { f.folderSaveKeyPressed(); }},
        {"size edited", [](SettingsDialog& f) { f.maxFileSizeChanged("50"); }},
    };
    test::SeparatorLocale german(',');
    for (const auto& [name, change] : changes) {
        SCOPED_TRACE(name);
        SettingsDialog form(german);
        form.initialize(500, true, false, false);
        change(form);  // not yet shown: filling the controls is no change
        EXPECT_FALSE(form.lblCmdSettingsSaveEnabled());
        form.show();
        change(form);
        EXPECT_TRUE(form.lblCmdSettingsSaveEnabled());
    }
}

TEST(SettingsDialogTest, TheSizeBoxFollowsTheFileSwitch) {
    test::SeparatorLocale german(',');
    SettingsDialog form(german);
    form.initialize(500, true, false, false);
    form.show();
    EXPECT_TRUE(form.txtMaxFileSizeEnabled());
    form.fileSaveClicked(false);
    EXPECT_FALSE(form.txtMaxFileSizeEnabled());
    form.fileSaveClicked(true);
    EXPECT_TRUE(form.txtMaxFileSizeEnabled());
}

struct SaveCase {
    const char* text;
    bool acceptedGerman;
    bool acceptedEnglish;
};

TEST(SettingsDialogTest, SaveAcceptsOnlyASizeFromZeroTo1000000InTheRegionalFormat) {
    const SaveCase cases[] = {
        {"0", true, true},           {"1000000", true, true}, {"1000001", false, false},
        {"-1", false, false},        {" 42 ", true, true},    {"1,5", true, false},
        {"1.5", false, true},        {"1.000", false, true},  {"1000000,0", true, false},
        {"1000000,1", false, false}, {"", false, false},      {"abc", false, false},
        {"12abc", false, false},     {"1e3", false, false},   {"99999999999999999999999", false, false},
        {",5", true, false},         {"-0", true, true},      {"+7", true, true},
    };
    for (const auto& c : cases) {
        for (const char separator : {',', '.'}) {
            SCOPED_TRACE(std::string("'") + c.text + "' with decimal separator " + separator);
            const bool accepted = separator == ',' ? c.acceptedGerman : c.acceptedEnglish;
            test::SeparatorLocale locale(separator);
            SettingsDialog form(locale);
            form.initialize(500, true, false, false);
            form.show();
            form.maxFileSizeChanged(c.text);
            form.saveClicked();
            if (accepted) {
                EXPECT_EQ(form.resultCode(), SettingsDialog::kResultSaved);
                EXPECT_FALSE(form.visible());
                EXPECT_EQ(form.lblInfo(), "");
            } else {
                EXPECT_EQ(form.resultCode(), SettingsDialog::kResultLoaded);
                EXPECT_TRUE(form.visible());
                EXPECT_EQ(form.lblInfo(),
                          "Gr\xC3\xB6\xC3\x9F"
                          "e darf nur zwischen 0 und 1 GB sein.");
            }
        }
    }
}

TEST(SettingsDialogTest, CloseGivesResult2) {
    test::SeparatorLocale german(',');
    SettingsDialog form(german);
    form.initialize(500, true, false, false);
    form.show();
    form.maxFileSizeChanged("kaputt");
    form.closeClicked();
    EXPECT_EQ(form.resultCode(), SettingsDialog::kResultClosed);
    EXPECT_FALSE(form.visible());
}

TEST(SettingsDialogTest, TakeOverReadsTheLeadingNumberTheSameEverywhere) {
    const std::pair<const char*, std::int32_t> cases[] = {
        {"1", 1},         {"1000000", 1000000}, {"0", 500},    {"0.4", 500},  {"-5", 500},
        {"", 500},        {"abc", 500},         {"1,5", 1},    {"1.5", 2},    {"2.5", 2},
        {"3.5", 4},       {" 1 2 3", 123},      {"1e3", 1000}, {"2D3", 2000}, {"999999.5", 1000000},
        {"1000001", 500}, {"99999999999", 500}, {"12abc", 12}, {".75", 1},    {"\t64\n", 64},
    };
    for (const auto& [text, limit] : cases) {
        SCOPED_TRACE(text);
        EXPECT_EQ(fileSizeLimitFromText(text), limit);
    }
}

// Plays the user: makes the changes, then presses one of the two command labels.
class ScriptedView : public SettingsDialogView {
public:
    std::function<void(SettingsDialog&)> user;
    bool wasVisible = false;
    void showModal(SettingsDialog& form) override {
        form.show();
        wasVisible = form.visible();
        user(form);
    }
};

TEST(SettingsDialogTest, TheSettingsCommandTakesTheValuesOverOnlyAfterSave) {
    test::SeparatorLocale german(',');
    const Settings current{300, true, false, false};
    ScriptedView view;
    view.user = [](SettingsDialog& f) {
        f.maxFileSizeChanged("1,5");
        f.fileNameAutoClicked(true);
        f.folderSaveClicked(true);
        f.fileSaveClicked(false);
        f.saveClicked();
    };
    SettingsDialogOutcome saved = runSettingsDialog(view, german, current);
    EXPECT_TRUE(view.wasVisible);
    EXPECT_EQ(saved.resultCode, SettingsDialog::kResultSaved);
    EXPECT_EQ(saved.settings, (Settings{1, false, true, true}));

    view.user = [](SettingsDialog& f) {
        f.maxFileSizeChanged("0");
        f.saveClicked();
    };
    saved = runSettingsDialog(view, german, current);
    EXPECT_EQ(saved.resultCode, SettingsDialog::kResultSaved);
    EXPECT_EQ(saved.settings.fileSizeMax, 500);  // accepted by the dialog, stored as 500

    view.user = [](SettingsDialog& f) {
        f.maxFileSizeChanged("20");
        f.fileNameAutoClicked(true);
        f.closeClicked();
    };
    const SettingsDialogOutcome closed = runSettingsDialog(view, german, current);
    EXPECT_EQ(closed.resultCode, SettingsDialog::kResultClosed);
    EXPECT_EQ(closed.settings, current);
}

}  // namespace
}  // namespace plenvik
