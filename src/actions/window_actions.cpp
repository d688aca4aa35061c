#include "window_actions.h"

#include "host_bridge.h"
#include "param_text.h"
#include "plugin_state.h"
#include "unique_resource.h"
#include "window_ops.h"
#include "window_words.h"

namespace kv::actions {
namespace {

// Titles and class names are read with a buffer of this size.
constexpr int kNameBuffer = 255;

std::string WindowTitle(HWND window) {
    char buffer[kNameBuffer] = {};
    const int length = ::GetWindowTextA(window, buffer, kNameBuffer);
    return std::string(buffer, length > 0 && length < kNameBuffer ? size_t(length) : 0);
}

std::string WindowClass(HWND window) {
    char buffer[kNameBuffer] = {};
    const int length = ::GetClassNameA(window, buffer, kNameBuffer);
    return std::string(buffer, length > 0 && length < kNameBuffer ? size_t(length) : 0);
}

// The number in `text`, or `fallback` when the text is empty or unreadable.
int32_t NumberOr(const std::string& text, int32_t fallback) {
    int32_t value = 0;
    return ParseIntParam(text, value) ? value : fallback;
}

}  // namespace

bool qvFindWindow(std::string title, std::string className, std::string variable) {
    HWND found = nullptr;
    if (!title.empty())
        found = ::FindWindowA(className.empty() ? nullptr : className.c_str(), title.c_str());
    SetVarHandle(variable, found);
    return true;
}

bool qvGetWindowHandle(std::string titlePart, std::string variable) {
    HWND found = nullptr;
    if (!titlePart.empty()) {
        // The windows on the host window's level of the z-order (the
        // top-level windows), from the top down.
        const HWND host = State().HostWindow;
        HWND window = host != nullptr ? ::GetWindow(host, GW_HWNDFIRST) : ::GetTopWindow(nullptr);
        // A bound on the walk: windows may be re-ordered while we walk.
        for (int guard = 0; window != nullptr && guard < 100000; ++guard) {
            if (WindowTitle(window).find(titlePart) != std::string::npos) {
                found = window;
                break;
            }
            window = ::GetWindow(window, GW_HWNDNEXT);
        }
    }
    SetVarHandle(variable, found);
    return true;
}

bool qvGetWindowTitle(std::string handle, std::string classVariable, std::string titleVariable) {
    HWND window = nullptr;
    if (!ReadWindowHandle(handle, window)) return false;
    if (window == nullptr) return true;
    SetVar(classVariable, WindowClass(window));
    SetVar(titleVariable, WindowTitle(window));
    return true;
}

bool qvSetWindowTitle(std::string handle, std::string title) {
    HWND window = nullptr;
    if (!ReadWindowHandle(handle, window)) return false;
    if (!title.empty()) ::SetWindowTextA(window, title.c_str());
    return true;
}

bool qvShowWindow(std::string handle, std::string word) {
    HWND window = nullptr;
    if (!ReadWindowHandle(handle, window)) return false;
    ShowWindowByWord(window, word);
    return true;
}

bool qvSetWindowPos(std::string handle, std::string left, std::string top, std::string width,
                    std::string height, std::string zOrder, std::string sizeMode) {
    if (handle.empty()) return true;
    HWND window = nullptr;
    if (!ReadWindowHandle(handle, window) || window == nullptr) return false;
    RECT current{};
    ::GetWindowRect(window, &current);

    UINT flags = 0;
    int x = 0, y = 0, cx = 0, cy = 0;
    if (left.empty() && top.empty()) {
        flags |= SWP_NOMOVE;
    } else {
        x = NumberOr(left, current.left);
        y = NumberOr(top, current.top);
    }
    int32_t w = 0, h = 0;
    if (ParseIntParam(width, w) && ParseIntParam(height, h)) {
        cx = w;
        cy = h;
        if (IsWindowWord(sizeMode, TStyles::ClientSize)) {
            const SIZE frame = FrameSize(window);
            cx = WrappingSum(cx, frame.cx);
            cy = WrappingSum(cy, frame.cy);
        }
    } else {
        flags |= SWP_NOSIZE;
    }
    const HWND after = IsWindowWord(zOrder, TStyles::AlwaysOnTop) ? HWND_TOPMOST : HWND_NOTOPMOST;
    ::SetWindowPos(window, after, x, y, cx, cy, flags);
    return true;
}

bool qvSetWindowTransparent(std::string handle, std::string opacity) {
    HWND window = nullptr;
    if (!ReadWindowHandle(handle, window)) return false;
    return SetWindowOpacity(window, opacity);
}

bool qvIsWindow(std::string handle, std::string word, std::string variable) {
    HWND window = nullptr;
    if (!ReadWindowHandle(handle, window)) {
        SetVarBool(variable, false);
        return false;
    }
    if (!::IsWindow(window)) return false;
    TestWindowState(window, word, variable);
    return true;
}

bool qvEnableWindow(std::string handle) {
    HWND window = nullptr;
    if (!ReadWindowHandle(handle, window)) return false;
    if (window != nullptr) ::EnableWindow(window, TRUE);
    return true;
}

bool qvDisableWindow(std::string handle) {
    HWND window = nullptr;
    if (!ReadWindowHandle(handle, window)) return false;
    if (window != nullptr) ::EnableWindow(window, FALSE);
    return true;
}

bool qvGetWindowRectangle(std::string handle, std::string leftVariable, std::string topVariable,
                          std::string widthVariable, std::string heightVariable,
                          std::string sizeMode) {
    if (handle.empty()) return true;
    HWND window = nullptr;
    if (!ReadWindowHandle(handle, window) || window == nullptr || !::IsWindow(window)) return false;
    RECT outer{};
    ::GetWindowRect(window, &outer);
    RECT size = outer;
    if (IsWindowWord(sizeMode, TStyles::ClientSize)) ::GetClientRect(window, &size);
    SetVar(leftVariable, FormatSigned(outer.left));
    SetVar(topVariable, FormatSigned(outer.top));
    SetVar(widthVariable, FormatSigned(size.right - size.left));
    SetVar(heightVariable, FormatSigned(size.bottom - size.top));
    return true;
}

bool qvGetForegroundWindow(std::string variable) {
    if (!variable.empty()) SetVarHandle(variable, ::GetForegroundWindow());
    return true;
}

bool qvSetForegroundWindow(std::string handle) {
    HWND window = nullptr;
    if (!ReadWindowHandle(handle, window) || window == nullptr) return false;
    ::SetLastError(0);
    if (::SetForegroundWindow(window)) return true;
    ReportError(FormatUnsigned(::GetLastError()));
    return false;
}

RECT FreeDesktopArea(HWND taskbar) {
    RECT desktop{};
    ::GetWindowRect(::GetDesktopWindow(), &desktop);
    if (taskbar == nullptr) return desktop;
    RECT bar{};
    ::GetWindowRect(taskbar, &bar);
    const win::UniqueRegion area(::CreateRectRgnIndirect(&desktop));
    const win::UniqueRegion barArea(::CreateRectRgnIndirect(&bar));
    RECT free = desktop;
    if (area && barArea) {
        ::CombineRgn(area.get(), area.get(), barArea.get(), RGN_DIFF);
        ::GetRgnBox(area.get(), &free);
    }
    return free;
}

bool qvGetDesktopRectangle(std::string leftVariable, std::string topVariable,
                           std::string widthVariable, std::string heightVariable) {
    const RECT free = FreeDesktopArea(::FindWindowA("Shell_TrayWnd", ""));
    SetVar(leftVariable, FormatSigned(free.left));
    SetVar(topVariable, FormatSigned(free.top));
    SetVar(widthVariable, FormatSigned(free.right - free.left));
    SetVar(heightVariable, FormatSigned(free.bottom - free.top));
    return true;
}

}  // namespace kv::actions
