#include "desktop_fixture.h"

namespace kvtest {
namespace {

constexpr const char* kTargetClass = "KvInputTarget";
constexpr const char* kDoubleClickClass = "KvInputTargetDbl";

LRESULT CALLBACK TargetProc(HWND window, UINT msg, WPARAM wparam, LPARAM lparam) {
    if (msg == WM_LBUTTONDOWN || msg == WM_LBUTTONDBLCLK) {
        const LONG_PTR presses = GetWindowLongPtrA(window, GWLP_USERDATA);
        SetWindowLongPtrA(window, GWLP_USERDATA, presses + 1);
    }
    if (msg == WM_MOUSEACTIVATE) return MA_NOACTIVATE;
    return DefWindowProcA(window, msg, wparam, lparam);
}

void RegisterTargetClass(const char* name, UINT style) {
    WNDCLASSA wc{};
    wc.style = style;
    wc.lpfnWndProc = &TargetProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = name;
    RegisterClassA(&wc);  // already registered is fine
}

}  // namespace

TargetWindow::TargetWindow(int x, int y, int width, int height, const char* title,
                           bool doubleClicks) {
    const char* cls = doubleClicks ? kDoubleClickClass : kTargetClass;
    RegisterTargetClass(cls, doubleClicks ? CS_DBLCLKS : 0);
    window_ =
        CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, cls, title, WS_POPUP | WS_VISIBLE, x, y,
                        width, height, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    SetWindowPos(window_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    UpdateWindow(window_);
    kvhost::PumpMessages(50);
}

TargetWindow::~TargetWindow() {
    if (window_ != nullptr) DestroyWindow(window_);
}

int TargetWindow::presses() const {
    return static_cast<int>(GetWindowLongPtrA(window_, GWLP_USERDATA));
}

Lines DesktopTest::PumpForLines(size_t count, int settleMs) {
    PumpUntil([&] { return ScriptLines().size() >= count; });
    host_->Wait(settleMs);
    return ScriptLines();
}

bool DesktopTest::PumpUntil(const std::function<bool()>& done, int timeoutMs) {
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > static_cast<DWORD>(timeoutMs)) return false;
        host_->Wait(10);
    }
    return true;
}

std::string CodeLine(const char* code) {
    return std::string("SetVar \"[qvMouseCode]\" \"") + code + "\"";
}

}  // namespace kvtest
