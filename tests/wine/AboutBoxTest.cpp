// The about box as a real modal window: its texts, the system-information button (the tool is missing
// under Wine, so the user is told), and OK.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "app/AboutInfo.h"
#include "app/win32/AboutBox.h"
#include "app/win32/MainWindowIds.h"
#include "driver/WineDriver.h"
#include "platform/Dialogs.h"
#include "platform/Processes.h"
#include "platform/win32/Win32Platform.h"
#include "platform/win32/Wide.h"

namespace plenvik::test {
namespace {

struct RecordingProcesses : Processes {
    std::vector<std::string> started;
    bool shellOpen(const std::string& target) override {
        started.push_back("open " + target);
        return true;
    }
    bool start(const std::string& program, const std::string&) override {
        started.push_back("start " + program);
        return false;  // as where the tool does not exist
    }
};

struct RecordingDialogs : Dialogs {
    std::vector<std::string> messages;
    MsgAnswer messageBox(const MessageBoxRequest& r) override {
        messages.push_back(r.text);
        return MsgAnswer::Ok;
    }
    std::optional<std::string> inputBox(const std::string&, const std::string&, const std::string&) override { return std::nullopt; }
    std::optional<std::string> browseForFolder(const std::string&, const std::string&) override { return std::nullopt; }
};

TEST(AboutBoxTest, ShowsNameVersionAndAddressAndStartsTheSystemInformation) {
    win32::Win32Platform real;
    RecordingProcesses processes;
    RecordingDialogs dialogs;
    Platform& r = real.platform();
    Platform platform{r.system, r.clock, r.locale, dialogs, r.events, processes, r.files, r.registry, r.shell, r.displays, r.desktop};
    const AboutInfo info = makeAboutInfo("https://www.orvel.example/plenvik?SOFTWARE=Plenvik");

    std::vector<std::wstring> texts;
    std::atomic<bool> found{false};
    std::thread user([&] {
        HWND box = nullptr;
        // Visible means complete: the box is shown after its controls are made.
        found = pollUntil([&] { return (box = FindWindowW(win32::kAboutWindowClass, nullptr)) != nullptr && IsWindowVisible(box); });
        if (!found) return;
        for (HWND c : childWindows(box)) texts.push_back(windowText(c));
        SendMessageW(box, WM_COMMAND, MAKEWPARAM(win32::kAboutSystemInfoId, BN_CLICKED), 0);
        SendMessageW(box, WM_COMMAND, MAKEWPARAM(win32::kAboutWebId, STN_CLICKED), 0);
        PostMessageW(box, WM_COMMAND, IDOK, 0);
    });
    win32::runAboutBox(nullptr, info, platform);
    user.join();

    ASSERT_TRUE(found) << "the about box did not appear";
    const auto has = [&](const std::wstring& t) { return std::find(texts.begin(), texts.end(), t) != texts.end(); };
    EXPECT_TRUE(has(L"Plenvik"));
    EXPECT_TRUE(has(L"Version 03.01.0001"));
    EXPECT_TRUE(has(L"Sichert die Anordnung der Desktopsymbole und stellt sie wieder her."));
    EXPECT_TRUE(has(L"https://www.orvel.example/plenvik?SOFTWARE=Plenvik"));
    const std::vector<std::string> expected = {"start msinfo32.exe", "open https://www.orvel.example/plenvik?SOFTWARE=Plenvik"};
    EXPECT_EQ(processes.started, expected);
    EXPECT_EQ(dialogs.messages, std::vector<std::string>{"Das Systeminformationsprogramm konnte nicht gestartet werden."});
    EXPECT_EQ(FindWindowW(win32::kAboutWindowClass, nullptr), nullptr) << "OK closes the box";
}

}  // namespace
}  // namespace plenvik::test
