// Pointer, taskbar, taskbar button and screen saver actions through the
// DLL's exports, checked against what the system shows.
#include <windows.h>

#include <cstdio>
#include <fstream>
#include <sstream>

#include "desktop_fixture.h"

namespace kvtest {
namespace {

// The pointer's display count on this thread, left as it was.
int CursorCount() {
    const int count = ShowCursor(TRUE) - 1;
    ShowCursor(FALSE);
    return count;
}

void SetCursorCount(int count) {
    int now = CursorCount();
    while (now < count) now = ShowCursor(TRUE);
    while (now > count) now = ShowCursor(FALSE);
}

TEST_F(DesktopTest, PointerIsShownOrHiddenWhateverTheCountWas) {
    Start();
    const int original = CursorCount();
    for (int i = 0; i < 3; ++i) ShowCursor(FALSE);
    const int hidden = CursorCount();
    ASSERT_LT(hidden, 0);

    EXPECT_FALSE(host_->ExecAction(1, {"1"}));  // an integer is not a flag
    EXPECT_FALSE(host_->ExecAction(1, {"yes"}));
    EXPECT_EQ(CursorCount(), hidden);

    EXPECT_TRUE(host_->ExecAction(1, {"true"}));
    EXPECT_EQ(CursorCount(), 0);
    EXPECT_TRUE(host_->ExecAction(1, {"True"}));
    EXPECT_EQ(CursorCount(), 1);  // shown stays shown: one call, no loop
    EXPECT_TRUE(host_->ExecAction(1, {"FALSE"}));
    EXPECT_EQ(CursorCount(), -1);
    for (int i = 0; i < 5; ++i) ShowCursor(TRUE);
    EXPECT_TRUE(host_->ExecAction(1, {"False"}));
    EXPECT_EQ(CursorCount(), -1);
    SetCursorCount(original);
}

TEST_F(DesktopTest, TaskbarIsHiddenAndShown) {
    Start();
    // Wine's desktop may keep a hidden tray window; a topmost one is found first.
    WNDCLASSA wc{};
    wc.lpfnWndProc = &DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "Shell_TrayWnd";
    RegisterClassA(&wc);
    const HWND taskbar = CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, "Shell_TrayWnd", "",
                                         WS_POPUP | WS_VISIBLE, 0, 560, 300, 30, nullptr, nullptr,
                                         wc.hInstance, nullptr);
    ASSERT_NE(taskbar, nullptr);
    ASSERT_EQ(FindWindowA("Shell_TrayWnd", nullptr), taskbar);

    EXPECT_TRUE(host_->ExecAction(8, {"False"}));
    EXPECT_FALSE(IsWindowVisible(taskbar));
    EXPECT_TRUE(host_->ExecAction(8, {"1"}));  // not a flag: nothing happens
    EXPECT_FALSE(IsWindowVisible(taskbar));
    EXPECT_TRUE(host_->ExecAction(8, {"true"}));
    EXPECT_TRUE(IsWindowVisible(taskbar));
    DestroyWindow(taskbar);
}

TEST_F(DesktopTest, TaskbarButtonFollowsTheApplicationWindowTitledAsThePublication) {
    Start();
    WNDCLASSA wc{};
    wc.lpfnWndProc = &DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "TApplication";
    RegisterClassA(&wc);
    const HWND app = CreateWindowExA(0, "TApplication", "Kelvane Pub", WS_POPUP | WS_VISIBLE, 0, 0,
                                     1, 1, nullptr, nullptr, wc.hInstance, nullptr);
    ASSERT_NE(app, nullptr);

    host_->Vars().Set("[AppTitle]", "Another Pub");
    EXPECT_TRUE(host_->ExecAction(7, {"False"}));
    EXPECT_TRUE(IsWindowVisible(app));
    EXPECT_EQ(host_->CallsOf("GetVar"), Lines{"[AppTitle]"});

    host_->Vars().Set("[AppTitle]", "Kelvane Pub");
    EXPECT_TRUE(host_->ExecAction(7, {"false"}));
    EXPECT_FALSE(IsWindowVisible(app));
    EXPECT_TRUE(host_->ExecAction(7, {"0"}));  // not a flag
    EXPECT_FALSE(IsWindowVisible(app));
    EXPECT_TRUE(host_->ExecAction(7, {"TRUE"}));
    EXPECT_TRUE(IsWindowVisible(app));
    DestroyWindow(app);
}

// The screen saver setting as a new process sees it: Wine caches it in
// each process that read it. Wine (8 and 10) also hands other processes the
// value a session-only change replaced rather than the new one, so the
// tests make each change twice before they look from outside.
std::string ScreenSaverSeenByANewProcess() {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    const std::string script = std::string(temp) + "kv_screensaver.nbs";
    const std::string output = std::string(temp) + "kv_screensaver.txt";
    std::ofstream(script) << "qvScreenSaverStatus \"[s]\"\nPrint \"state=[s]\"\n";

    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE out = CreateFileA(output.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit,
                             CREATE_ALWAYS, 0, nullptr);
    if (out == INVALID_HANDLE_VALUE) return "no output file";
    std::string dir = PluginPath();
    dir.erase(dir.find_last_of("\\/") + 1);
    std::string command = "\"" + dir + "kelvane-host.exe\" \"" + script + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = out;
    startup.hStdError = out;
    PROCESS_INFORMATION process{};
    const bool started = CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                        nullptr, &startup, &process);
    CloseHandle(out);
    if (!started) return "not started";
    WaitForSingleObject(process.hProcess, 60000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    std::ifstream in(output);
    std::stringstream text;
    text << in.rdbuf();
    const std::string all = text.str();
    const size_t at = all.find("state=");
    if (at == std::string::npos) return "no answer: " + all;
    return all.substr(at + 6, all.find_first_of("\r\n", at) - at - 6);
}

bool ScreenSaverActive() {
    BOOL active = FALSE;
    SystemParametersInfoA(SPI_GETSCREENSAVEACTIVE, 0, &active, 0);
    return active != FALSE;
}

class ScreenSaverTest : public DesktopTest {
protected:
    void SetUp() override {
        DesktopTest::SetUp();
        original_ = ScreenSaverActive();
    }
    void TearDown() override {
        for (int i = 0; i < 2; ++i)
            SystemParametersInfoA(SPI_SETSCREENSAVEACTIVE, original_ ? 1 : 0, nullptr, 0);
        DesktopTest::TearDown();
    }
    bool original_ = false;
};

TEST_F(ScreenSaverTest, SwitchedForTheSessionAndReadBack) {
    Start();
    for (const char* flag : {"False", "true", "FALSE", "True"}) {
        const std::string expected = kvhost::LowerAscii(flag) == "true" ? "True" : "False";
        EXPECT_TRUE(host_->ExecAction(10, {flag}));
        EXPECT_TRUE(host_->ExecAction(9, {"[state]"}));
        EXPECT_EQ(host_->Vars().Get("[state]"), expected);
        EXPECT_TRUE(host_->ExecAction(10, {flag}));
        EXPECT_EQ(ScreenSaverSeenByANewProcess(), expected) << flag;
    }
    for (const char* notFlag : {"1", "0", "off", ""}) {
        EXPECT_TRUE(host_->ExecAction(10, {notFlag}));
        EXPECT_TRUE(host_->ExecAction(9, {"[state]"}));
        EXPECT_EQ(host_->Vars().Get("[state]"), "True") << notFlag;
    }
    EXPECT_EQ(ScreenSaverSeenByANewProcess(), "True");
}

TEST_F(ScreenSaverTest, RunStartsOnlyAnEnabledScreenSaver) {
    Start();
    EXPECT_TRUE(host_->ExecAction(10, {"False"}));
    EXPECT_FALSE(host_->ExecAction(11, {}));
    EXPECT_TRUE(host_->ExecAction(10, {"True"}));
    EXPECT_TRUE(host_->ExecAction(11, {}));
    host_->Wait(100);
}

}  // namespace
}  // namespace kvtest
