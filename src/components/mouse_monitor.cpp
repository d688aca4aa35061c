#include "mouse_monitor.h"

#include <cstdint>
#include <string_view>
#include <utility>

#include "host_bridge.h"
#include "message_window.h"
#include "param_text.h"
#include "plugin_state.h"
#include "simple_timer.h"

extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace kv {
namespace {

constexpr const char* kCodeVariable = "[qvMouseCode]";
constexpr const char* kIdVariable = "[qvMouseMonitorID]";
constexpr const char* kXVariable = "[qvMouseX]";
constexpr const char* kYVariable = "[qvMouseY]";
constexpr const char* kHandleVariable = "[qvMouseWindowHandle]";
constexpr const char* kTitleVariable = "[qvMouseWindowTitle]";
constexpr const char* kWheelVariable = "[qvMWHDelta]";
constexpr UINT kRearmDelay = 1000;

// Module state. The hook procedures read only the two window handles.
bool g_active = false;
bool g_global = false;
HHOOK g_hook = nullptr;
HHOOK g_cancelHook = nullptr;  // global mode: watches for WM_CANCELJOURNAL
HWND g_notifyWindow = nullptr;
HWND g_rearmWindow = nullptr;
// Changes whenever a monitor stops: a handler that called the host checks
// it before touching its monitor again, which the call may have freed.
uint32_t g_generation = 0;

// The event codes the author's script sees. The second press of a
// double-click reaches a window that asks for double-clicks as a
// DBLCLK message; it is still a press.
const char* EventCode(WPARAM message) {
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        return "qvLBD";
    case WM_LBUTTONUP:
        return "qvLBU";
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
        return "qvRBD";
    case WM_RBUTTONUP:
        return "qvRBU";
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
        return "qvMBD";
    case WM_MBUTTONUP:
        return "qvMBU";
    case WM_MOUSEWHEEL:
        return "qvMWH";
    default:
        return nullptr;
    }
}

// Hook procedures: pass the event on, then one compare and one post.
LRESULT CALLBACK LocalMouseProc(int code, WPARAM wparam, LPARAM lparam) {
    const LRESULT next = CallNextHookEx(nullptr, code, wparam, lparam);
    // HC_NOREMOVE repeats an event a peeking host will see again.
    if (code == HC_ACTION) {
        LPARAM notches = 0;
        if (wparam == WM_MOUSEWHEEL) {
            const auto* info = reinterpret_cast<const MOUSEHOOKSTRUCTEX*>(lparam);
            notches = static_cast<short>(HIWORD(info->mouseData)) / WHEEL_DELTA;
        }
        PostMessageA(g_notifyWindow, MouseNotifyMessage, wparam & 0xFFFF, notches);
    }
    return next;
}

LRESULT CALLBACK GlobalMouseProc(int code, WPARAM wparam, LPARAM lparam) {
    const LRESULT next = CallNextHookEx(nullptr, code, wparam, lparam);
    if (code == HC_ACTION) PostMessageA(g_notifyWindow, MouseNotifyMessage, wparam, 0);
    return next;
}

// The system posts WM_CANCELJOURNAL to the thread, not to a window; it is
// forwarded to the re-arm window when the host takes it from its queue.
LRESULT CALLBACK CancelJournalProc(int code, WPARAM wparam, LPARAM lparam) {
    const LRESULT next = CallNextHookEx(nullptr, code, wparam, lparam);
    const auto* msg = reinterpret_cast<const MSG*>(lparam);
    if (code == HC_ACTION && wparam == PM_REMOVE && msg->message == WM_CANCELJOURNAL &&
        msg->hwnd == nullptr)
        PostMessageA(g_rearmWindow, WM_CANCELJOURNAL, 0, 0);
    return next;
}

HHOOK InstallGlobalHook() {
    return SetWindowsHookExA(WH_MOUSE_LL, &GlobalMouseProc,
                             reinterpret_cast<HINSTANCE>(&__ImageBase), 0);
}

std::string WindowTitle(HWND window) {
    const int length = GetWindowTextLengthA(window);
    if (length <= 0) return {};
    std::string title(static_cast<size_t>(length) + 1, '\0');
    const int copied = GetWindowTextA(window, title.data(), length + 1);
    title.resize(static_cast<size_t>(copied > 0 ? copied : 0));
    return title;
}

class TMouseMonitor final : public MessageHandler {
public:
    TMouseMonitor(std::string goSubText, bool runSubroutine)
        : RunSubroutine(runSubroutine), goSubText_(std::move(goSubText)) {
        rearmTimer_.SetInterval(kRearmDelay);
        rearmTimer_.SetOnTimer([](TSimpleTimer& timer) {
            timer.SetEnabled(false);
            if (g_active && g_global) g_hook = InstallGlobalHook();
        });
    }
    ~TMouseMonitor() {
        DeallocateMessageWindow(g_notifyWindow);
        DeallocateMessageWindow(g_rearmWindow);
        g_notifyWindow = nullptr;
        g_rearmWindow = nullptr;
    }
    TMouseMonitor(const TMouseMonitor&) = delete;
    TMouseMonitor& operator=(const TMouseMonitor&) = delete;

    bool RunSubroutine;
    bool ReportPosition = false;

    void Install(bool global) {
        g_notifyWindow = AllocateMessageWindow(*this);
        if (g_notifyWindow == nullptr) return;
        HHOOK hook = nullptr;
        if (global) {
            g_rearmWindow = AllocateMessageWindow(rearm_);
            if (g_rearmWindow == nullptr) return;
            g_cancelHook =
                SetWindowsHookExA(WH_GETMESSAGE, &CancelJournalProc, nullptr, GetCurrentThreadId());
            hook = InstallGlobalHook();
        } else {
            const DWORD thread = GetWindowThreadProcessId(State().HostWindow, nullptr);
            if (thread != 0) hook = SetWindowsHookExA(WH_MOUSE, &LocalMouseProc, nullptr, thread);
        }
        if (hook == nullptr) return;
        g_hook = hook;
        g_global = global;
        g_active = true;
        SetVar(kIdVariable,
               FormatUnsigned(static_cast<uint32_t>(reinterpret_cast<uintptr_t>(hook))));
    }

    void HandleMessage(HWND window, MessageRecord& message) override {
        if (message.Msg != MouseNotifyMessage) return DefaultMessage(window, message);
        const WPARAM event = message.WParam;
        if (event == WM_MOUSEMOVE) {
            if (ReportPosition) ReportCursor();
            return;
        }
        if (const char* code = EventCode(event)) Report(code, message.LParam);
    }

    // What is left of the monitor in the author's script, as variables.
    static void EmptyPositionVariables() {
        for (const char* name : {kHandleVariable, kXVariable, kYVariable, kTitleVariable})
            SetVar(name, "");
    }

private:
    // Each host call may run script that stops or restarts the monitor;
    // nothing of this object is touched once it has.
    void ReportCursor() {
        const uint32_t generation = g_generation;
        POINT point{};
        if (!GetCursorPos(&point)) return;
        SetVar(kXVariable, FormatSigned(point.x));
        if (generation != g_generation) return;
        SetVar(kYVariable, FormatSigned(point.y));
        if (generation != g_generation) return;
        const HWND under = WindowFromPoint(point);
        SetVarHandle(kHandleVariable, under);
        if (generation != g_generation) return;
        SetVar(kTitleVariable, WindowTitle(under));
    }

    void Report(const char* code, LPARAM notches) {
        const uint32_t generation = g_generation;
        if (std::string_view(code) == "qvMWH" && !g_global) {
            SetVar(kWheelVariable, FormatSigned(static_cast<int32_t>(notches)));
            if (generation != g_generation) return;
        }
        RunHostScript(std::string("SetVar \"") + kCodeVariable + "\" \"" + code + "\"");
        if (generation != g_generation) return;
        if (goSubText_.empty() || !RunSubroutine) return;
        const std::string line = goSubText_;
        RunHostScript(line);
    }

    // The re-arm window's handler: the system dropped the hook; hook again
    // a second later.
    class RearmTrigger final : public MessageHandler {
    public:
        explicit RearmTrigger(TMouseMonitor& owner) : owner_(owner) {}
        void HandleMessage(HWND window, MessageRecord& message) override {
            if (message.Msg != WM_CANCELJOURNAL) return DefaultMessage(window, message);
            if (!g_active || !g_global) return;
            if (g_hook != nullptr) UnhookWindowsHookEx(g_hook);
            g_hook = nullptr;
            owner_.rearmTimer_.SetEnabled(true);
        }

    private:
        TMouseMonitor& owner_;
    };

    std::string goSubText_;
    TSimpleTimer rearmTimer_;
    RearmTrigger rearm_{*this};
};

// Owned here and released by Stop or at unload, never by a static
// destructor: at process exit the windows and hooks go with the process.
TMouseMonitor* g_monitor = nullptr;

void Teardown() {
    ++g_generation;
    g_active = false;
    if (g_hook != nullptr) UnhookWindowsHookEx(g_hook);
    if (g_cancelHook != nullptr) UnhookWindowsHookEx(g_cancelHook);
    g_hook = nullptr;
    g_cancelHook = nullptr;
    g_global = false;
    delete std::exchange(g_monitor, nullptr);
}

}  // namespace

bool StartMouseMonitor(bool global, std::string goSubText, bool runSubroutine) {
    if (g_monitor != nullptr) StopMouseMonitor();
    g_monitor = new TMouseMonitor(std::move(goSubText), runSubroutine);
    g_monitor->Install(global);
    return g_active;
}

bool ConfigureMouseMonitor(MonitorSetting setting, bool value) {
    if (g_monitor == nullptr) return false;
    if (setting == MonitorSetting::PlayAction) g_monitor->RunSubroutine = value;
    if (setting == MonitorSetting::GetInfo) {
        g_monitor->ReportPosition = value;
        if (!value) TMouseMonitor::EmptyPositionVariables();
    }
    return true;
}

void StopMouseMonitor() {
    Teardown();
    for (const char* name : {kCodeVariable, kIdVariable, kXVariable, kYVariable, kHandleVariable,
                             kTitleVariable, kWheelVariable})
        SetVar(name, "");
}

void ReleaseMouseMonitor() { Teardown(); }

}  // namespace kv
