#include "session_actions.h"

#include "desktop_words.h"
#include "unique_resource.h"

namespace kv::actions {

ExitWindowsExFn g_exitWindowsEx = &::ExitWindowsEx;

namespace {

// A hung shell must not freeze the host.
constexpr UINT kCloseTimeout = 5000;

bool IsNtPlatform() { return (GetVersion() & 0x80000000u) == 0; }

// Without the privilege Windows refuses to end the session.
void EnableShutdownPrivilege() {
    win::UniqueHandle token;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, token.put()))
        return;
    TOKEN_PRIVILEGES privileges{};
    if (!LookupPrivilegeValueA(nullptr, "SeShutdownPrivilege", &privileges.Privileges[0].Luid))
        return;
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    AdjustTokenPrivileges(token.get(), FALSE, &privileges, 0, nullptr, nullptr);
}

void OpenShutDownDialog() {
    const HWND shell = FindWindowA("Progman", "Program Manager");
    if (shell == nullptr) return;
    DWORD_PTR answer = 0;
    SendMessageTimeoutA(shell, WM_CLOSE, 0, 0, SMTO_ABORTIFHUNG, kCloseTimeout, &answer);
}

}  // namespace

bool qvExitWindows(std::string word) {
    const auto style = ParseExitWord(word);
    if (!style) return true;
    if (*style == TExitStyles::ExitDialog) {
        OpenShutDownDialog();
        return true;
    }
    if (IsNtPlatform()) EnableShutdownPrivilege();
    g_exitWindowsEx(ExitFlagsOf(*style), 0);
    return true;
}

}  // namespace kv::actions
