// The real error window under Wine: a procedure's error shows it, a second thread plays the user
// (reads the controls through window messages, saves the protocol, prints, presses "Fortsetzen mit
// &nächsten Befehl"), and the log lands in the program's folder.
#include <windows.h>
#include <commdlg.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "errors/ErrorTexts.h"
#include "errors/Procedure.h"
#include "errors/ErrorWindow.h"
#include "errors/win32/Win32ProtocolPrinter.h"
#include "errors/win32/ErrorWindowControls.h"
#include "errors/win32/Win32ErrorWindow.h"
#include "platform/win32/Win32Basics.h"
#include "platform/win32/Win32Dialogs.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Wide.h"

namespace plenvik::win32 {
namespace {

using namespace ErrorWindowIds;

struct Rig {
    Win32SystemInfo system;
    Win32Clock clock;
    Win32Dialogs dialogs;
    Win32Processes processes;
    Win32FileSystem files;
    ErrorWindowView32 view;
    Win32ProtocolPrinter printer;
    ErrorWindow handler{ErrorReportServices{system, clock, dialogs, processes, files}, view, printer};

    std::string logPath() { return system.programFolder() + "\\Plenvik.log"; }
    std::string errPath() { return system.programFolder() + "\\" + system.programFileName() + ".ERR"; }
    void removeFiles() {
        DeleteFileW(widen(logPath()).c_str());
        DeleteFileW(widen(errPath()).c_str());
    }
};

std::string readFile(const std::string& path) {
    std::ifstream in(std::filesystem::path(widen(path)), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string textOf(HWND w) {
    wchar_t buffer[1024] = {};
    GetWindowTextW(w, buffer, 1024);
    return narrow(buffer);
}

std::string listItem(HWND list, int index) {
    const auto length = SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length < 0) return "<kein Eintrag>";
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(length));
    return narrow(text);
}

// The user at the keyboard, on a thread of its own: waits for windows with a bounded poll and
// collects what it finds wrong (assertions are made on the test's thread).
class User {
public:
    void check(bool ok, const std::string& what) {
        if (!ok) {
            std::lock_guard<std::mutex> lock(mutex_);
            problems_.push_back(what);
        }
    }
    void expectText(HWND w, const std::string& expected, const std::string& what) {
        const std::string actual = textOf(w);
        check(actual == expected, what + ": '" + actual + "' statt '" + expected + "'");
    }
    HWND waitFor(const std::function<HWND()>& find, const std::string& what) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(15);
        while (std::chrono::steady_clock::now() < deadline) {
            if (HWND w = find()) return w;
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        check(false, "waited 15 s in vain for " + what);
        return nullptr;
    }
    HWND waitForErrorWindow() {
        return waitFor(
            [] {
                HWND w = FindWindowW(nullptr, widen(errtext::kWindowCaption).c_str());
                return w && IsWindowVisible(w) ? w : nullptr;
            },
            "the visible error window");
    }
    // What went wrong since the last call.
    std::vector<std::string> problems() {
        std::lock_guard<std::mutex> lock(mutex_);
        return std::exchange(problems_, {});
    }

private:
    std::mutex mutex_;
    std::vector<std::string> problems_;
};

void click(HWND window, int id) { PostMessageW(GetDlgItem(window, id), BM_CLICK, 0, 0); }

// Reads every caption and label of the shown window.
void checkControls(User& user, HWND w, const std::string& procedure) {
    user.check(GetWindowLongPtrW(w, GWL_STYLE) & WS_CAPTION, "the window has a caption");
    const std::pair<int, const char*> frames[] = {{kFraErrMsg, errtext::kFraErrMsg},         {kFramProgInfo, errtext::kFramProgInfo},
                                                  {kFramCallStack, errtext::kFramCallStack}, {kFramContinue, errtext::kFramContinue},
                                                  {kFramProtocol, errtext::kFramProtocol},   {kFramComment, errtext::kFramComment}};
    for (const auto& [id, caption] : frames) user.expectText(GetDlgItem(w, id), caption, "frame");
    const char* titles[] = {"Fehler-Nr:", "Prozedur:", "Zeilen-Nr.:", "Computer:", "Benutzer:"};
    for (int i = 0; i < 5; ++i) user.expectText(GetDlgItem(w, kLblErrTitle + i), titles[i], "lblErrTitle");
    user.expectText(GetDlgItem(w, kLblErrText + 0), "53 - 0", "lblErrText(0)");
    user.expectText(GetDlgItem(w, kLblErrText + 1), procedure, "lblErrText(1)");
    user.expectText(GetDlgItem(w, kLblErrText + 2), "12", "lblErrText(2)");
    user.check(!textOf(GetDlgItem(w, kLblErrText + 3)).empty(), "the computer name is shown");
    user.expectText(GetDlgItem(w, kLblProgInfo), "Plenvik", "lblProgInfo");

    const char* continueCaptions[] = {"Befehl wieder&holen",
                                      "Fortsetzen mit &n\xC3\xA4"
                                      "chsten Befehl",
                                      "&Prozedur verlassen", "Programm &beenden", "&Debuggen"};
    for (int i = 0; i < 5; ++i) user.expectText(GetDlgItem(w, kCmdContinue + i), continueCaptions[i], "cmdContinue");
    for (int i = 0; i < 4; ++i) user.check(IsWindowVisible(GetDlgItem(w, kCmdContinue + i)) != FALSE, "continue button visible");
    user.check(!IsWindowVisible(GetDlgItem(w, kCmdContinue + 4)), "&Debuggen is hidden");
    const char* protocolCaptions[] = {"&Drucken", "&Speichern", "&EMail", "&WWW"};
    for (int i = 0; i < 4; ++i) user.expectText(GetDlgItem(w, kCmdProtocol + i), protocolCaptions[i], "cmdProtocol");

    HWND errMsg = GetDlgItem(w, kLstErrMsg);
    user.check(SendMessageW(errMsg, LB_GETCOUNT, 0, 0) == 3, "lstErrMsg holds three lines");
    user.check(listItem(errMsg, 0).rfind("---------------------------------- ", 0) == 0, "separator line first");
    user.check(listItem(errMsg, 1) == "  Fehler:  Datei nicht gefunden", "error line: " + listItem(errMsg, 1));
    user.check(listItem(errMsg, 2) == "  Aktion:  ...", "info line: " + listItem(errMsg, 2));
    user.check(SendMessageW(errMsg, LB_GETHORIZONTALEXTENT, 0, 0) >= kErrMsgHorizontalExtent, "horizontal extent");
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(errMsg, WM_GETFONT, 0, 0)), sizeof font, &font);
    user.check((font.lfPitchAndFamily & 3) == FIXED_PITCH, "lstErrMsg has a fixed-pitch font");

    HWND stack = GetDlgItem(w, kLstCallStack);
    const std::string newest = listItem(stack, 0);
    user.check(newest.find(" - " + procedure + " (1)  -  Systemfehler") == 8, "call-stack entry: " + newest);
}

bool hasDefaultPrinter() {
    PRINTDLGW request{};
    request.lStructSize = sizeof request;
    request.Flags = PD_RETURNDEFAULT;
    const bool found = PrintDlgW(&request) != 0;
    if (request.hDevMode) GlobalFree(request.hDevMode);
    if (request.hDevNames) GlobalFree(request.hDevNames);
    return found;
}

TEST(ErrorWindowTest, ProcedureErrorShowsTheWindowAndGoesOnWithTheNextStatement) {
    Rig rig;
    rig.removeFiles();
    const std::string procedure = "Plenvik.frmErrTest.sb_DreiSchritte";
    const std::string errPath = rig.errPath();

    User user;
    HWND firstWindow = nullptr;
    std::thread userThread([&] {
        HWND w = user.waitForErrorWindow();
        if (!w) return;
        firstWindow = w;
        user.expectText(w, errtext::kWindowCaption, "window caption");
        checkControls(user, w, procedure);

        click(w, kCmdProtocol + 1);  // &Speichern, then the information box
        HWND box = user.waitFor([] { return FindWindowW(L"#32770", L"Fehlerprotokoll"); }, "the information box");
        if (box) {
            user.expectText(GetDlgItem(box, 0xFFFF), "Das Fehlerprotokoll wurde in die Datei '" + errPath + "' geschrieben !",
                            "information box");
            PostMessageW(box, WM_COMMAND, IDOK, 0);
            user.waitFor([] { return FindWindowW(L"#32770", L"Fehlerprotokoll") ? nullptr : HWND(1); }, "the information box to close");
        }
        click(w, kCmdProtocol + 0);  // &Drucken: without a printer nothing happens
        click(w, kCmdContinue + kActionNext);
    });

    std::vector<int> done;
    Procedure proc(rig.handler, "frmErrTest.sb_DreiSchritte");
    proc.run([&] {
        proc.step([&] { done.push_back(1); });
        proc.step([&] {
            throw RuntimeError(53, kAppTitle, "Datei nicht gefunden", 12);
            done.push_back(2);
        });
        proc.step([&] { done.push_back(3); });
    });
    userThread.join();

    for (const auto& p : user.problems()) ADD_FAILURE() << p;
    EXPECT_EQ(rig.handler.actionCode(), kActionNext);
    EXPECT_EQ(done, (std::vector<int>{1, 3}));
    ASSERT_NE(firstWindow, nullptr);
    EXPECT_EQ(rig.view.handle(), firstWindow);
    EXPECT_FALSE(IsWindowVisible(firstWindow)) << "hidden after the decision";

    const std::string log = readFile(rig.logPath());
    EXPECT_EQ(log.rfind("\r\n\r\n  -----", 0), 0u) << "the log begins with the system part";
    EXPECT_NE(log.find("      Prozedur:\t\t" + procedure + "\r\n"), std::string::npos);
    const std::string saved = readFile(errPath);
    EXPECT_NE(saved.find("F E H L E R P R O T O K O L L"), std::string::npos) << errPath;
    EXPECT_EQ(GetFileAttributesW(widen(errPath + ".~tmp").c_str()), INVALID_FILE_ATTRIBUTES);

    // A second error reuses the hidden window; the log gets the error part only.
    std::thread secondUser([&] {
        HWND w = user.waitForErrorWindow();
        if (!w) return;
        user.check(w == firstWindow, "the same window is shown again");
        user.expectText(GetDlgItem(w, kLblErrText + 1), "Plenvik.frmErrTest.sb_Zweiter", "second procedure");
        click(w, kCmdContinue + kActionNext);
    });
    std::string info = "...";
    const int code = rig.handler.onError("Plenvik.frmErrTest.sb_Zweiter", info, RuntimeError(70, kAppTitle, "Zugriff verweigert"));
    secondUser.join();
    for (const auto& p : user.problems()) ADD_FAILURE() << p;
    EXPECT_EQ(code, kActionNext);
    const std::string log2 = readFile(rig.logPath());
    EXPECT_EQ(log2.rfind(log, 0), 0u) << "appended";
    EXPECT_EQ(log2.find("SYSTEMINFO:", log.size()), std::string::npos) << "system part once per run";
    EXPECT_NE(log2.find("Plenvik.frmErrTest.sb_Zweiter", log.size()), std::string::npos);

    rig.removeFiles();
}

TEST(ErrorWindowTest, PrintingWithoutPrinterReturnsCleanly) {
    Win32ProtocolPrinter printer;
    const bool printed = printer.print({"  F E H L E R P R O T O K O L L", "      Prozedur:\t\tPlenvik"});
    EXPECT_EQ(printed, hasDefaultPrinter());
}

}  // namespace
}  // namespace plenvik::win32
