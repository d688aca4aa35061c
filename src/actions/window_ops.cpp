#include "window_ops.h"

#include "handle_text.h"
#include "host_bridge.h"
#include "param_text.h"
#include "unique_resource.h"
#include "window_words.h"

namespace kv::actions {

bool ReadWindowHandle(std::string_view text, HWND& window) {
    uint32_t handle = 0;
    if (!ParseHandleText(text, handle)) return false;
    window = WindowOf(handle);
    return true;
}

int ShowCommandOfWord(std::string_view word) {
    const auto style = ParseWindowWord(word);
    if (!style) return SW_HIDE;
    switch (*style) {
    case TStyles::Show:
        return SW_SHOW;
    case TStyles::ShowNoActive:
        return SW_SHOWNA;
    case TStyles::Restore:
        return SW_RESTORE;
    case TStyles::RestoreNoActive:
        return SW_SHOWNOACTIVATE;
    case TStyles::Maximized:
        return SW_SHOWMAXIMIZED;
    case TStyles::Minimized:
        return SW_SHOWMINIMIZED;
    case TStyles::Normal:
        return SW_SHOWNORMAL;
    default:
        return SW_HIDE;
    }
}

void SendCloseCommand(HWND window) {
    // Only to a real window: 0xFFFF would broadcast the close command to
    // every top-level window on the desktop.
    if (!::IsWindow(window)) return;
    // A window of another program may answer the close command with a
    // question to its user; the host does not wait for that answer.
    DWORD_PTR ignored = 0;
    ::SendMessageTimeoutA(window, WM_SYSCOMMAND, SC_CLOSE, 0, SMTO_ABORTIFHUNG, 5000, &ignored);
}

void ShowWindowByWord(HWND window, std::string_view word) {
    if (word.empty()) return;
    if (IsWindowWord(word, TStyles::Close)) {
        SendCloseCommand(window);
        return;
    }
    ::ShowWindow(window, ShowCommandOfWord(word));
}

bool SetWindowOpacity(HWND window, std::string_view opacityText) {
    if (opacityText.empty()) {
        const LONG style = ::GetWindowLongA(window, GWL_EXSTYLE);
        ::SetWindowLongA(window, GWL_EXSTYLE, style & ~WS_EX_LAYERED);
        RepaintAllWindows();
        return true;
    }
    int32_t opacity = 0;
    if (!ParseIntParam(opacityText, opacity)) return false;
    if (opacity > 100) opacity = 100;
    if (opacity < 0 || window == nullptr) return true;

    using SetLayeredProc = BOOL(WINAPI*)(HWND, COLORREF, BYTE, DWORD);
    const win::UniqueModule user32(::LoadLibraryA("user32.dll"));
    if (!user32) return true;
    const auto setLayered = reinterpret_cast<SetLayeredProc>(
        reinterpret_cast<void*>(::GetProcAddress(user32.get(), "SetLayeredWindowAttributes")));
    if (setLayered == nullptr) return true;
    const LONG style = ::GetWindowLongA(window, GWL_EXSTYLE);
    ::SetWindowLongA(window, GWL_EXSTYLE, style | WS_EX_LAYERED);
    setLayered(window, 0, static_cast<BYTE>(opacity * 255 / 100), LWA_ALPHA);
    return true;
}

void TestWindowState(HWND window, std::string_view word, const std::string& variable) {
    bool holds = false;
    if (const auto style = ParseWindowWord(word)) {
        switch (*style) {
        case TStyles::Maximized:
            holds = ::IsZoomed(window) != 0;
            break;
        case TStyles::Minimized:
            holds = ::IsIconic(window) != 0;
            break;
        case TStyles::Present:
            holds = ::IsWindow(window) != 0;
            break;
        case TStyles::Visible:
            holds = ::IsWindowVisible(window) != 0;
            break;
        case TStyles::Enabled:
            holds = ::IsWindowEnabled(window) != 0;
            break;
        default:
            break;
        }
    }
    SetVarBool(variable, holds);
}

void RepaintAllWindows() { ::InvalidateRect(nullptr, nullptr, TRUE); }

SIZE FrameSize(HWND window) {
    RECT outer{};
    RECT client{};
    ::GetWindowRect(window, &outer);
    ::GetClientRect(window, &client);
    return {(outer.right - outer.left) - (client.right - client.left),
            (outer.bottom - outer.top) - (client.bottom - client.top)};
}

}  // namespace kv::actions
