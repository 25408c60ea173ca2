// The monitor classes over the real displays under Wine: the one monitor of the Xvfb screen and its
// modes, compared with what Windows' own calls report; and, inside a Wine virtual desktop (whose
// resolution can change), a mode change through setResolution and the return to the saved mode.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "display/DesktopMonitors.h"
#include "display/DisplayModeText.h"
#include "display/MonitorScreens.h"
#include "driver/WineDriver.h"
#include "platform/win32/Wide.h"
#include "platform/win32/Win32Displays.h"
#include "support/ScriptedErrorHandler.h"

namespace plenvik::test {
namespace {

using win32::Win32Displays;

// Any information box here is a failure of the test: it records the text and answers OK.
struct RecordingDialogs : Dialogs {
    std::vector<std::string> messages;
    MsgAnswer messageBox(const MessageBoxRequest& r) override {
        messages.push_back(r.text);
        return MsgAnswer::Ok;
    }
    std::optional<std::string> inputBox(const std::string&, const std::string&, const std::string&) override { return {}; }
    std::optional<std::string> browseForFolder(const std::string&, const std::string&) override { return {}; }
};

struct OsMonitor {
    HMONITOR handle;
    RECT rect;
    std::string device;
};

BOOL CALLBACK collectMonitor(HMONITOR m, HDC, LPRECT, LPARAM list) {
    MONITORINFOEXW mi{};
    mi.cbSize = sizeof mi;
    GetMonitorInfoW(m, &mi);
    reinterpret_cast<std::vector<OsMonitor>*>(list)->push_back({m, mi.rcMonitor, win32::narrow(mi.szDevice)});
    return TRUE;
}

// Windows' own list of monitors, the oracle for the scan.
std::vector<OsMonitor> osMonitors() {
    std::vector<OsMonitor> list;
    EnumDisplayMonitors(nullptr, nullptr, collectMonitor, reinterpret_cast<LPARAM>(&list));
    return list;
}

// Windows' own list of the device's mode texts.
std::vector<std::string> osModeTexts(const std::string& device) {
    std::vector<std::string> texts;
    const std::wstring name = win32::widen(device);
    for (DWORD i = 0;; ++i) {
        DEVMODEW dm{};
        dm.dmSize = sizeof dm;
        if (!EnumDisplaySettingsExW(name.c_str(), i, &dm, 0)) break;
        texts.push_back(displayModeText(static_cast<int>(dm.dmPelsWidth), static_cast<int>(dm.dmPelsHeight),
                                        static_cast<int>(dm.dmBitsPerPel), static_cast<int>(dm.dmDisplayFrequency)));
    }
    return texts;
}

std::vector<std::string> modeTexts(DisplayMonitor& m) {
    std::vector<std::string> texts;
    std::string text;
    for (std::int32_t n = 0; m.enumDisplaySettings(text, n); ++n) texts.push_back(text);
    return texts;
}

TEST(MonitorWineTest, TheScanFindsTheMonitorWindowsReports) {
    Win32Displays displays;
    MonitorScreens screens(displays);
    const auto os = osMonitors();
    ASSERT_EQ(os.size(), 1u) << "plain Xvfb has one monitor";
    ASSERT_EQ(screens.Count(), 1);
    const DisplayMonitor& m = screens.Monitor(1);
    EXPECT_EQ(m.handle, reinterpret_cast<std::intptr_t>(os[0].handle));
    EXPECT_EQ(m.DeviceName, os[0].device);
    EXPECT_EQ(m.DeviceName.rfind("\\\\.\\DISPLAY", 0), 0u) << m.DeviceName;
    EXPECT_EQ((Rect{m.Left, m.Top, m.Right, m.Bottom}), (Rect{os[0].rect.left, os[0].rect.top, os[0].rect.right, os[0].rect.bottom}));
    EXPECT_EQ(m.Width, GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(m.Height, GetSystemMetrics(SM_CYSCREEN));
    EXPECT_LE(m.WorkBottom, m.Bottom);
    EXPECT_GT(m.DisplayColorDepth, 0);

    EXPECT_EQ(screens.DesktopLeft(), GetSystemMetrics(SM_XVIRTUALSCREEN));
    EXPECT_EQ(screens.DesktopWidth(), GetSystemMetrics(SM_CXVIRTUALSCREEN));
    EXPECT_EQ(screens.GetMonitorFromXYPoint(-10, -10, 0), 0);
    EXPECT_EQ(screens.GetMonitorFromXYPoint(-10, -10, 1), m.handle);
    EXPECT_EQ(screens.monitorIdOfDevice(m.DeviceName), 1);
    EXPECT_EQ(screens.monitorIdOfDevice("\\\\.\\DISPLAY9"), -1);
}

TEST(MonitorWineTest, ListsTheModesOfTheXvfbMonitor) {
    Win32Displays displays;
    MonitorScreens screens(displays);
    ASSERT_EQ(screens.Count(), 1);
    DisplayMonitor& m = screens.Monitor(1);
    const auto texts = modeTexts(m);
    EXPECT_EQ(texts, osModeTexts(m.DeviceName));
    ASSERT_FALSE(texts.empty());
    // The current mode is one of the listed ones.
    EXPECT_NE(std::find(texts.begin(), texts.end(), m.currentModeText()), texts.end())
        << m.currentModeText() << " is not listed in " << ::testing::PrintToString(texts);

    std::string text = "x";
    std::int32_t past = static_cast<std::int32_t>(texts.size());
    EXPECT_FALSE(m.enumDisplaySettings(text, past));
    EXPECT_EQ(past, -1);
    EXPECT_EQ(text, "");
}

TEST(MonitorWineTest, TheMainWindowTableHoldsTheMonitor) {
    Win32Displays displays;
    ScriptedErrorHandler handler;
    std::vector<MonitorRecord> monitors;
    readMonitors(monitors, displays, handler);
    EXPECT_TRUE(handler.reports.empty());
    ASSERT_EQ(monitors.size(), 2u);
    EXPECT_EQ(monitors[1].Nr, 1);
    EXPECT_EQ(monitors[1].Width, GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(monitors[1].DeviceName, osMonitors().at(0).device);
}

TEST(MonitorWineTest, AModeTheDeviceDoesNotListIsNotApplied) {
    Win32Displays displays;
    MonitorScreens screens(displays);
    ASSERT_EQ(screens.Count(), 1);
    RecordingDialogs dialogs;
    const int width = GetSystemMetrics(SM_CXSCREEN);
    EXPECT_FALSE(screens.Monitor(1).setResolution(dialogs, {.width = 1234, .height = 567, .frequency = 60, .colorDepth = 32}));
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), width);
}

// ---- inside a virtual desktop ----

constexpr int kDesktopWidth = 1024, kDesktopHeight = 768;

// Reads the monitors afresh and returns monitor 1's mode text and rectangle.
std::string currentState(Displays& displays) {
    MonitorScreens screens(displays);
    if (screens.Count() != 1) return "monitors: " + std::to_string(screens.Count());
    const DisplayMonitor& m = screens.Monitor(1);
    return m.currentModeText() + " at " + std::to_string(m.Left) + "," + std::to_string(m.Top) + " screen " +
           std::to_string(GetSystemMetrics(SM_CXSCREEN)) + "x" + std::to_string(GetSystemMetrics(SM_CYSCREEN));
}

// Runs inside `explorer /desktop=...,1024x768` (started by the test below, never on its own): switches
// the desktop's monitor to 800 x 600 by search and by index, and back from the saved values each time.
TEST(MonitorVirtualDesktop, DISABLED_ChangesTheModeAndReturnsToTheSavedOne) {
    ASSERT_EQ(GetSystemMetrics(SM_CXSCREEN), kDesktopWidth) << "not inside the virtual desktop";
    ASSERT_EQ(GetSystemMetrics(SM_CYSCREEN), kDesktopHeight) << "not inside the virtual desktop";
    Win32Displays displays;
    RecordingDialogs dialogs;
    MonitorScreens screens(displays);
    ASSERT_EQ(screens.Count(), 1);
    const DisplayMonitor saved = screens.Monitor(1);
    const std::string savedState = currentState(displays);
    ASSERT_EQ(saved.Width, kDesktopWidth);

    DisplayMonitor& m = screens.Monitor(1);
    const auto texts = modeTexts(m);
    const std::string wanted = displayModeText(800, 600, saved.DisplayColorDepth, saved.DisplayFrequency);
    const auto found = std::find(texts.begin(), texts.end(), wanted);
    ASSERT_NE(found, texts.end()) << wanted << " is not among the " << texts.size() << " modes";
    const auto index = static_cast<std::int16_t>(found - texts.begin());

    const ResolutionRequest back{.width = saved.Width,
                                 .height = saved.Height,
                                 .frequency = saved.DisplayFrequency,
                                 .colorDepth = saved.DisplayColorDepth,
                                 .positionX = saved.Left,
                                 .positionY = saved.Top};
    const ResolutionRequest changes[] = {
        {.width = 800, .height = 600, .frequency = saved.DisplayFrequency, .colorDepth = saved.DisplayColorDepth},
        {.index = index},
    };
    for (const auto& change : changes) {
        SCOPED_TRACE(change.index < 0 ? "by search" : "by index");
        EXPECT_TRUE(m.setResolution(dialogs, change));
        EXPECT_EQ(m.modeRecord().width, 800);
        EXPECT_EQ(currentState(displays), wanted + " at 0,0 screen 800x600");

        EXPECT_TRUE(m.setResolution(dialogs, back));
        EXPECT_EQ(currentState(displays), savedState);
    }
    // The mode it runs in already is applied again (the reset flag), and stays.
    EXPECT_TRUE(m.setResolution(dialogs, back));
    EXPECT_EQ(currentState(displays), savedState);
    EXPECT_TRUE(dialogs.messages.empty()) << dialogs.messages.front();
}

TEST(MonitorWineTest, ModeChangeAndReturnInsideAVirtualDesktop) {
    const std::string xml = runSuiteInVirtualDesktop(L"MonitorVirtualDesktop", kDesktopWidth, kDesktopHeight, 60000);
    ASSERT_FALSE(xml.empty()) << "no report from the run inside the virtual desktop within 60 s";
    EXPECT_NE(xml.find("tests=\"1\""), std::string::npos) << xml;
    EXPECT_NE(xml.find("failures=\"0\""), std::string::npos) << xml;
    EXPECT_EQ(xml.find("<failure"), std::string::npos) << xml;
}

}  // namespace
}  // namespace plenvik::test
