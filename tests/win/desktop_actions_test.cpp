// Keyboard-layout and session actions, linked directly and run under Wine
// on an English and a Russian system. Ending the session goes through the
// one replaceable call; everything else is real.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "ansi_text.h"
#include "keyboard_actions.h"
#include "plugin_state.h"
#include "session_actions.h"

namespace kv {
namespace {

std::vector<std::pair<std::string, std::string>> g_vars;
std::vector<std::pair<UINT, DWORD>> g_exits;

void KV_BORLAND RecordSetVar(const char* name, const char* value) {
    g_vars.emplace_back(name, value);
}

BOOL WINAPI FakeExitWindowsEx(UINT flags, DWORD reason) {
    g_exits.emplace_back(flags, reason);
    return TRUE;
}

class DesktopActionsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetState();
        g_vars.clear();
        g_exits.clear();
        State().HostSetVar = &RecordSetVar;
        actions::g_exitWindowsEx = &FakeExitWindowsEx;
    }
    void TearDown() override {
        actions::g_exitWindowsEx = nullptr;  // nothing may end the session later
        ResetState();
    }
};

using Vars = std::vector<std::pair<std::string, std::string>>;

bool ShutdownPrivilegeEnabled() {
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return false;
    LUID luid{};
    LookupPrivilegeValueA(nullptr, "SeShutdownPrivilege", &luid);
    DWORD size = 0;
    GetTokenInformation(token, TokenPrivileges, nullptr, 0, &size);
    std::vector<char> buffer(size);
    bool enabled = false;
    if (GetTokenInformation(token, TokenPrivileges, buffer.data(), size, &size)) {
        const auto* privileges = reinterpret_cast<const TOKEN_PRIVILEGES*>(buffer.data());
        for (DWORD i = 0; i < privileges->PrivilegeCount; ++i) {
            const LUID_AND_ATTRIBUTES& p = privileges->Privileges[i];
            if (p.Luid.LowPart == luid.LowPart && p.Luid.HighPart == luid.HighPart)
                enabled = (p.Attributes & SE_PRIVILEGE_ENABLED) != 0;
        }
    }
    CloseHandle(token);
    return enabled;
}

void SetShutdownPrivilege(bool enabled) {
    HANDLE token = nullptr;
    ASSERT_TRUE(OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES, &token));
    TOKEN_PRIVILEGES privileges{};
    privileges.PrivilegeCount = 1;
    ASSERT_TRUE(
        LookupPrivilegeValueA(nullptr, "SeShutdownPrivilege", &privileges.Privileges[0].Luid));
    privileges.Privileges[0].Attributes = enabled ? SE_PRIVILEGE_ENABLED : 0;
    EXPECT_TRUE(AdjustTokenPrivileges(token, FALSE, &privileges, 0, nullptr, nullptr));
    CloseHandle(token);
}

TEST_F(DesktopActionsTest, SessionWordsEndTheSessionForcedWithThePrivilegeEnabled) {
    SetShutdownPrivilege(false);
    ASSERT_FALSE(ShutdownPrivilegeEnabled());
    EXPECT_TRUE(actions::qvExitWindows("ExitDialog"));  // needs no privilege
    EXPECT_FALSE(ShutdownPrivilegeEnabled());
    const std::pair<const char*, UINT> words[] = {
        {"LogOff", EWX_LOGOFF | EWX_FORCE},
        {"reboot", EWX_REBOOT | EWX_FORCE},
        {"SHUTDOWN", EWX_SHUTDOWN | EWX_FORCE},
        {"PowerOff", EWX_POWEROFF | EWX_FORCE},
        {"Force", EWX_FORCE},
        {"ForceIfHung", EWX_FORCEIFHUNG | EWX_FORCE},
    };
    for (const auto& [word, flags] : words) {
        g_exits.clear();
        EXPECT_TRUE(actions::qvExitWindows(word));
        ASSERT_EQ(g_exits.size(), 1u) << word;
        EXPECT_EQ(g_exits[0].first, flags) << word;
        EXPECT_EQ(g_exits[0].second, 0u) << word;
    }
    EXPECT_TRUE(ShutdownPrivilegeEnabled());

    g_exits.clear();
    for (const char* word : {"", "Logoff ", "Shut Down", "Restart", "1"})
        EXPECT_TRUE(actions::qvExitWindows(word)) << word;
    EXPECT_TRUE(g_exits.empty());
    EXPECT_TRUE(g_vars.empty());
}

int g_closes = 0;
LRESULT CALLBACK ShellProc(HWND window, UINT msg, WPARAM wparam, LPARAM lparam) {
    if (msg == WM_CLOSE) {
        ++g_closes;
        return 0;  // the shell opens its dialog; the window stays
    }
    return DefWindowProcA(window, msg, wparam, lparam);
}

TEST_F(DesktopActionsTest, ExitDialogClosesTheShellsProgramManagerWindowOnly) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = &ShellProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "Progman";
    RegisterClassA(&wc);
    // Topmost, so it is found before any shell window Wine keeps.
    const HWND shell = CreateWindowExA(WS_EX_TOPMOST, "Progman", "Program Manager", WS_POPUP, 0, 0,
                                       10, 10, nullptr, nullptr, wc.hInstance, nullptr);
    ASSERT_NE(shell, nullptr);
    g_closes = 0;
    EXPECT_TRUE(actions::qvExitWindows("exitdialog"));
    EXPECT_EQ(g_closes, 1);
    EXPECT_TRUE(g_exits.empty());
    SetWindowTextA(shell, "Something else");
    EXPECT_TRUE(actions::qvExitWindows("ExitDialog"));
    EXPECT_EQ(g_closes, 1);
    DestroyWindow(shell);
}

uint32_t ThreadLayout() {
    return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(GetKeyboardLayout(0)));
}

// What the system language's layout number is: 2 on English systems, 1 on
// Russian ones.
int SystemLayoutNumber() {
    const uint32_t layout = ThreadLayout();
    if (layout == 0x04090409) return 2;
    if (layout == 0x04190419) return 1;
    return 0;
}

TEST_F(DesktopActionsTest, LayoutIsReadIntoTheBracketedVariable) {
    const int number = SystemLayoutNumber();
    std::printf("keyboard layout %08X\n", ThreadLayout());
    ASSERT_NE(number, 0) << "the prefix runs neither an English nor a Russian system";
    EXPECT_TRUE(actions::qvKBGetLayout("layout"));
    EXPECT_EQ(g_vars, (Vars{{"[layout]", std::to_string(number)}}));

    g_vars.clear();
    EXPECT_TRUE(actions::qvKBGetLayout(std::string(300, 'v')));
    ASSERT_EQ(g_vars.size(), 1u);
    EXPECT_EQ(g_vars[0].first, "[" + std::string(255, 'v') + "]");
}

// The WM_INPUTLANGCHANGEREQUEST a window of the test received.
WPARAM g_requestW = 0;
LPARAM g_requestL = 0;
int g_requests = 0;
LRESULT CALLBACK LayoutProc(HWND window, UINT msg, WPARAM wparam, LPARAM lparam) {
    if (msg == WM_INPUTLANGCHANGEREQUEST) {
        ++g_requests;
        g_requestW = wparam;
        g_requestL = lparam;
    }
    return DefWindowProcA(window, msg, wparam, lparam);
}

TEST_F(DesktopActionsTest, ChangeLayoutAsksTheWindowAndDefaultProcessingSwitches) {
    const int number = SystemLayoutNumber();
    ASSERT_NE(number, 0);
    const uint32_t home = number == 2 ? 0x04090409u : 0x04190419u;
    WNDCLASSA wc{};
    wc.lpfnWndProc = &LayoutProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "KvLayoutWindow";
    RegisterClassA(&wc);
    const HWND window = CreateWindowExA(0, wc.lpszClassName, "layout", WS_POPUP, 0, 0, 10, 10,
                                        nullptr, nullptr, wc.hInstance, nullptr);
    ASSERT_NE(window, nullptr);
    const std::string handle = std::to_string(reinterpret_cast<uintptr_t>(window));

    g_requests = 0;
    EXPECT_TRUE(actions::qvKBChangeLayout(handle, "2"));
    EXPECT_EQ(g_requests, 1);
    EXPECT_EQ(g_requestW, 1u);
    EXPECT_EQ(static_cast<uint32_t>(g_requestL), 0x04090409u);
    EXPECT_TRUE(actions::qvKBChangeLayout(handle, "1"));
    EXPECT_EQ(static_cast<uint32_t>(g_requestL), 0x04190419u);

    // Unreadable or unknown numbers send nothing and say so.
    constexpr AnsiText kNone{"Mistake left."};
    for (const char* bad : {"x", "", "3", "0"}) {
        g_requests = 0;
        g_vars.clear();
        EXPECT_TRUE(actions::qvKBChangeLayout(handle, bad));
        EXPECT_EQ(g_requests, 0) << bad;
        EXPECT_EQ(g_vars, (Vars{{"[LastError]", kNone.c_str()}})) << bad;
    }

    // Another layout of the system's language on this thread: the reader
    // does not know it; the request on the active window switches back.
    const auto variant =
        reinterpret_cast<HKL>(static_cast<uintptr_t>(0xF0010000u | (home & 0xFFFF)));
    if (ActivateKeyboardLayout(variant, 0) == nullptr || ThreadLayout() == home) {
        std::printf("this Wine keeps no second layout of the language; switching not checked\n");
    } else {
        g_vars.clear();
        EXPECT_TRUE(actions::qvKBGetLayout("layout"));
        EXPECT_EQ(g_vars, (Vars{{"[LastError]", "\xCD\xE5\xE8\xE7\xE2\xE5\xF1\xF2\xED\xEE..."}}));
        SetActiveWindow(window);
        ASSERT_EQ(GetActiveWindow(), window);
        g_requests = 0;
        EXPECT_TRUE(actions::qvKBChangeLayout("x", std::to_string(number)));
        EXPECT_EQ(g_requests, 1);
        EXPECT_EQ(ThreadLayout(), home);
    }
    DestroyWindow(window);
}

TEST_F(DesktopActionsTest, HungWindowDoesNotHoldTheHost) {
    // A window whose thread stops taking messages.
    HANDLE ready = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    HANDLE release = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    HWND hung = nullptr;
    std::thread owner([&] {
        hung = CreateWindowExA(0, "STATIC", "hung", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                               nullptr, nullptr);
        SetEvent(ready);
        WaitForSingleObject(release, 30000);
        DestroyWindow(hung);
    });
    WaitForSingleObject(ready, 5000);
    Sleep(5200);  // long enough for the system to call it hung
    const DWORD start = GetTickCount();
    EXPECT_TRUE(actions::qvKBChangeLayout(std::to_string(reinterpret_cast<uintptr_t>(hung)), "2"));
    const DWORD took = GetTickCount() - start;
    std::printf("the request to a hung window returned after %lu ms\n", took);
    EXPECT_LE(took, 2500u);  // not the 5 s timeout: a hung window is not waited for
    SetEvent(release);
    owner.join();
    CloseHandle(ready);
    CloseHandle(release);
}

}  // namespace
}  // namespace kv
