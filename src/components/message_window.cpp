#include "message_window.h"

#include <algorithm>
#include <vector>

#include "contain.h"

extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace kv {
namespace {

HINSTANCE ModuleInstance() { return reinterpret_cast<HINSTANCE>(&__ImageBase); }

std::vector<HWND>& LiveWindows() {
    static std::vector<HWND> windows;
    return windows;
}

// The handler is bound through GWLP_USERDATA: no executable thunks. Messages
// that arrive before the binding (creation) or after it (destruction) get
// default processing.
void Forget(HWND window) {
    auto& live = LiveWindows();
    live.erase(std::remove(live.begin(), live.end(), window), live.end());
    SetWindowLongPtrA(window, GWLP_USERDATA, 0);
}

LRESULT CALLBACK MessageWindowProc(HWND window, UINT msg, WPARAM wparam, LPARAM lparam) {
    auto* handler = reinterpret_cast<MessageHandler*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (handler == nullptr) return DefWindowProcA(window, msg, wparam, lparam);
    MessageRecord record{msg, wparam, lparam, 0};
    // The handler may destroy its own window and itself; only the record,
    // which lives on this frame, is read afterwards.
    ContainVoid("TPUtilWindow", [&] { handler->HandleMessage(window, record); });
    // Destroyed by someone else (or with its thread): the handle is dead.
    if (msg == WM_NCDESTROY) Forget(window);
    return record.Result;
}

bool EnsureClass() {
    const HINSTANCE instance = ModuleInstance();
    WNDCLASSA existing{};
    if (GetClassInfoA(instance, kMessageWindowClass, &existing)) {
        if (existing.lpfnWndProc == &MessageWindowProc) return true;
        // A class of that name with another procedure: take it over.
        UnregisterClassA(kMessageWindowClass, instance);
    }
    WNDCLASSA wc{};
    wc.lpfnWndProc = &MessageWindowProc;
    wc.hInstance = instance;
    wc.lpszClassName = kMessageWindowClass;
    return RegisterClassA(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

}  // namespace

HWND AllocateMessageWindow(MessageHandler& handler) {
    if (!EnsureClass()) return nullptr;
    HWND window = CreateWindowExA(WS_EX_TOOLWINDOW, kMessageWindowClass, "", WS_POPUP, 0, 0, 0, 0,
                                  nullptr, nullptr, ModuleInstance(), nullptr);
    if (window == nullptr) return nullptr;
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&handler));
    LiveWindows().push_back(window);
    return window;
}

void DeallocateMessageWindow(HWND window) {
    if (window == nullptr) return;
    auto& live = LiveWindows();
    if (std::find(live.begin(), live.end(), window) == live.end()) return;  // not ours, or gone
    Forget(window);
    DestroyWindow(window);
}

void DefaultMessage(HWND window, MessageRecord& message) {
    message.Result = DefWindowProcA(window, message.Msg, message.WParam, message.LParam);
}

int LiveMessageWindows() { return static_cast<int>(LiveWindows().size()); }

void ReleaseMessageWindows() {
    auto& live = LiveWindows();
    while (!live.empty()) DeallocateMessageWindow(live.back());
    UnregisterClassA(kMessageWindowClass, ModuleInstance());
}

}  // namespace kv
