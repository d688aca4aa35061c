#include "test_windows.h"

namespace kvtest {
namespace {

ATOM RegisterClassOnce(const char* className) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = className;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    return RegisterClassA(&wc);  // fails harmlessly when registered already
}

}  // namespace

kv::win::UniqueWindow MakeTestWindow(const std::string& title, int x, int y, int clientWidth,
                                     int clientHeight, const char* className, DWORD style) {
    RegisterClassOnce(className);
    RECT frame{0, 0, clientWidth, clientHeight};
    AdjustWindowRectEx(&frame, style, FALSE, 0);
    kv::win::UniqueWindow window(CreateWindowExA(
        0, className, title.c_str(), style, x, y, frame.right - frame.left,
        frame.bottom - frame.top, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr));
    if (window) ShowWindow(window.get(), SW_SHOWNOACTIVATE);
    PumpMessages();
    return window;
}

std::string HandleText(HWND window) {
    return std::to_string(static_cast<uint32_t>(reinterpret_cast<uintptr_t>(window)));
}

HWND DeadWindow() {
    HWND window = MakeTestWindow("dead", 0, 0, 10, 10).release();
    DestroyWindow(window);
    return window;
}

RECT WindowRect(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return r;
}

SIZE ClientSize(HWND window) {
    RECT r{};
    GetClientRect(window, &r);
    return {r.right, r.bottom};
}

void PumpMessages() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

}  // namespace kvtest
