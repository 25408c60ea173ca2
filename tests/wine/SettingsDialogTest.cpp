// The settings dialog as a real window: a driver thread finds it, reads its controls, types and
// presses the command labels the way the mouse does, while the test thread sits in the modal call.
#include "settings/win32/SettingsWindow.h"

#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <map>
#include <thread>

#include "platform/Clock.h"
#include "platform/win32/Wide.h"
#include "ui/win32/LabelButton.h"

namespace plenvik::win32 {
namespace {

class GermanSeparator : public Locale {
public:
    std::string formatGeneralDate(const LocalTime&) override { return {}; }
    std::optional<LocalTime> parseGeneralDate(const std::string&) override { return std::nullopt; }
    char decimalSeparator() override { return ','; }
    char thousandsSeparator() override { return '.'; }
};

bool waitFor(const std::function<bool()>& condition, int milliseconds = 10000) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    while (std::chrono::steady_clock::now() < end) {
        if (condition()) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return condition();
}

std::string textOf(HWND window) {
    wchar_t buffer[512] = {};
    SendMessageW(window, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(buffer));
    return narrow(buffer);
}

struct ToolTipSearch {
    HWND dialog;
    HWND found;
};

BOOL CALLBACK matchToolTip(HWND w, LPARAM p) {
    auto* search = reinterpret_cast<ToolTipSearch*>(p);
    wchar_t cls[64] = {};
    GetClassNameW(w, cls, 64);
    if (lstrcmpiW(cls, TOOLTIPS_CLASSW) == 0 && GetWindow(w, GW_OWNER) == search->dialog) {
        search->found = w;
        return FALSE;
    }
    return TRUE;
}

HWND findToolTip(HWND dialog) {
    ToolTipSearch search{dialog, nullptr};
    EnumThreadWindows(GetWindowThreadProcessId(dialog, nullptr), matchToolTip, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::string toolText(HWND toolTip, HWND dialog, HWND control) {
    wchar_t buffer[512] = {};
    TOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = dialog;
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    tool.lpszText = buffer;
    SendMessageW(toolTip, TTM_GETTEXTW, 512, reinterpret_cast<LPARAM>(&tool));
    return narrow(buffer);
}

void typeInto(HWND edit, const std::wstring& text) {
    SendMessageW(edit, EM_SETSEL, 0, -1);
    for (wchar_t c : text) SendMessageW(edit, WM_CHAR, c, 1);
}

// Presses and releases the left button over a command label; true when it showed the pressed look
// while held and lost it after the release.
bool press(HWND label) {
    SendMessageW(label, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    const bool pressedWhileHeld = SendMessageW(label, kLabelButtonIsPressed, 0, 0) != 0;
    SendMessageW(label, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    return pressedWhileHeld && (!IsWindow(label) || SendMessageW(label, kLabelButtonIsPressed, 0, 0) == 0);
}

bool dialogShown() {
    HWND dialog = FindWindowW(kSettingsWindowClass, L"Einstellungen");
    return dialog && IsWindowVisible(dialog);
}

class SettingsDialogWindow : public ::testing::Test {
protected:
    void SetUp() override {
        owner_ = CreateWindowExW(0, L"STATIC", L"Plenvik", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 800, 600, nullptr, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
        ASSERT_NE(owner_, nullptr);
    }
    void TearDown() override { DestroyWindow(owner_); }

    // Runs the modal dialog on this thread while driver works on it from another; the driver closes
    // the dialog itself if it fails half-way, so the test never hangs.
    SettingsDialogOutcome runWith(const Settings& current, std::function<void(HWND dialog)> driver) {
        std::thread thread([&] {
            if (!waitFor(dialogShown)) {
                ADD_FAILURE() << "the settings dialog did not appear within 10 s";
                return;
            }
            HWND dialog = FindWindowW(kSettingsWindowClass, L"Einstellungen");
            driver(dialog);
            if (!waitFor([&] { return !dialogShown(); }, 5000)) {
                ADD_FAILURE() << "the settings dialog was still open after the driver finished";
                PostMessageW(dialog, WM_CLOSE, 0, 0);
            }
        });
        GermanSeparator locale;
        const SettingsDialogOutcome outcome = showSettingsDialog(owner_, locale, current);
        thread.join();
        return outcome;
    }

    HWND owner_ = nullptr;
};

TEST_F(SettingsDialogWindow, ShowsItsControlsRefusesAnOutOfRangeSizeAndSavesAValidOne) {
    const SettingsDialogOutcome outcome = runWith({500, true, false, false}, [this](HWND dialog) {
        auto item = [dialog](int id) { return GetDlgItem(dialog, id); };
        EXPECT_EQ(textOf(dialog), "Einstellungen");
        EXPECT_EQ(GetWindow(dialog, GW_OWNER), owner_);
        EXPECT_FALSE(IsWindowEnabled(owner_)) << "the owner must be disabled while the dialog is open";

        const std::map<int, std::string> captions = {
            {kIdFraMain, "Projektdateierstellung:"},
            {kIdLblSettingsFileSave, "Dateien in Projektdatei sichern:"},
            {kIdLblMaxFileSize,
             "Maximale Gr\xC3\xB6\xC3\x9F"
             "e einer Datei (in KB):"},
            {kIdLblSettingsFolderSave, "Ordner sichern:"},
            {kIdLabel2, "Dateiname automatisch ohne Abfrage:"},
            {kIdLblCmdSettingsSave, "Sichern"},
            {kIdLblCmdSettingsClose,
             "&Schlie\xC3\x9F"
             "en"},
            {kIdTxtMaxFileSize, "500"},
            {kIdLblInfo, ""},
        };
        for (const auto& [id, caption] : captions) {
            ASSERT_NE(item(id), nullptr) << "control " << id;
            EXPECT_EQ(textOf(item(id)), caption) << "control " << id;
        }
        const std::string fileTip = "Dateien, die auf dem Desktop liegen werden mit in der Projektdatei gesichert.";
        const std::string sizeTip =
            "Dateien, die diese Gr\xC3\xB6\xC3\x9F"
            "e \xC3\xBC"
            "berschreiten, werden nicht in der Projektdatei gesichert.";
        const std::string nameTip =
            "Dateiname automatisch ohne Abfrage zusammenbauen \"Plenvik [Computer] [Benutzer] [Datum/Uhrzeit].Plenvk\".";
        HWND toolTip = findToolTip(dialog);
        ASSERT_NE(toolTip, nullptr) << "no tool-tip window owned by the dialog";
        const std::map<int, std::string> tips = {
            {kIdLblSettingsFileSave, fileTip}, {kIdChkFileSave, fileTip}, {kIdLblMaxFileSize, sizeTip},
            {kIdTxtMaxFileSize, sizeTip},      {kIdLabel2, nameTip},      {kIdChkFileNameAuto, nameTip}};
        for (const auto& [id, tipText] : tips) EXPECT_EQ(toolText(toolTip, dialog, item(id)), tipText) << "control " << id;

        EXPECT_EQ(SendMessageW(item(kIdChkFileSave), BM_GETCHECK, 0, 0), BST_CHECKED);
        EXPECT_EQ(SendMessageW(item(kIdChkFileNameAuto), BM_GETCHECK, 0, 0), BST_UNCHECKED);
        EXPECT_EQ(SendMessageW(item(kIdChkFolderSave), BM_GETCHECK, 0, 0), BST_UNCHECKED);
        EXPECT_TRUE(IsWindowEnabled(item(kIdTxtMaxFileSize)));
        EXPECT_FALSE(IsWindowEnabled(item(kIdLblCmdSettingsSave))) << "\"Sichern\" waits for a change";

        SendMessageW(item(kIdChkFileNameAuto), BM_CLICK, 0, 0);
        EXPECT_TRUE(IsWindowEnabled(item(kIdLblCmdSettingsSave)));

        typeInto(item(kIdTxtMaxFileSize), L"1000001");
        EXPECT_EQ(textOf(item(kIdTxtMaxFileSize)), "1000001");
        EXPECT_TRUE(press(item(kIdLblCmdSettingsSave)));
        EXPECT_EQ(textOf(item(kIdLblInfo)),
                  "Gr\xC3\xB6\xC3\x9F"
                  "e darf nur zwischen 0 und 1 GB sein.");
        EXPECT_TRUE(IsWindowVisible(dialog)) << "an out-of-range size must keep the dialog open";

        typeInto(item(kIdTxtMaxFileSize), L"2048");
        press(item(kIdLblCmdSettingsSave));
    });
    EXPECT_EQ(outcome.resultCode, SettingsDialog::kResultSaved);
    EXPECT_EQ(outcome.settings, (Settings{2048, true, true, false}));
    EXPECT_TRUE(IsWindowEnabled(owner_)) << "the owner must be enabled again";
    EXPECT_EQ(FindWindowW(kSettingsWindowClass, nullptr), nullptr) << "the dialog must be gone";
}

TEST_F(SettingsDialogWindow, CloseKeepsTheValuesAndTheSizeBoxFollowsTheFileSwitch) {
    const Settings current{700, true, false, true};
    const SettingsDialogOutcome outcome = runWith(current, [](HWND dialog) {
        auto item = [dialog](int id) { return GetDlgItem(dialog, id); };
        EXPECT_EQ(SendMessageW(item(kIdChkFolderSave), BM_GETCHECK, 0, 0), BST_CHECKED);
        SendMessageW(item(kIdChkFileSave), BM_CLICK, 0, 0);
        EXPECT_EQ(SendMessageW(item(kIdChkFileSave), BM_GETCHECK, 0, 0), BST_UNCHECKED);
        EXPECT_FALSE(IsWindowEnabled(item(kIdTxtMaxFileSize)));
        EXPECT_TRUE(IsWindowEnabled(item(kIdLblCmdSettingsSave)));
        SendMessageW(item(kIdChkFileSave), BM_CLICK, 0, 0);
        EXPECT_TRUE(IsWindowEnabled(item(kIdTxtMaxFileSize)));
        typeInto(item(kIdTxtMaxFileSize), L"kaputt");
        EXPECT_TRUE(press(item(kIdLblCmdSettingsClose)));
    });
    EXPECT_EQ(outcome.resultCode, SettingsDialog::kResultClosed);
    EXPECT_EQ(outcome.settings, current);
}

TEST_F(SettingsDialogWindow, AKeyOnACheckBoxEnablesSaveAndTheCloseBoxCloses) {
    const Settings current{500, true, false, false};
    const SettingsDialogOutcome outcome = runWith(current, [](HWND dialog) {
        HWND save = GetDlgItem(dialog, kIdLblCmdSettingsSave);
        EXPECT_FALSE(IsWindowEnabled(save));
        SendMessageW(GetDlgItem(dialog, kIdChkFolderSave), WM_CHAR, L'x', 1);
        EXPECT_TRUE(IsWindowEnabled(save));
        SendMessageW(dialog, WM_CLOSE, 0, 0);
    });
    EXPECT_EQ(outcome.resultCode, SettingsDialog::kResultClosed);
    EXPECT_EQ(outcome.settings, current);
}

}  // namespace
}  // namespace plenvik::win32
