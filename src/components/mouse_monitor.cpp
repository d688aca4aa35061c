#include "mouse_monitor.h"

#include <cstdint>
#include <memory>
#include <string_view>
#include <utility>

#include "host_bridge.h"
#include "message_window.h"
#include "param_text.h"
#include "plugin_state.h"
#include "thread_end.h"
#include "unique_resource.h"

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

// Module state. The hook procedures read only the notice window, which is
// made before a hook is set and destroyed after it is gone.
bool g_active = false;
bool g_global = false;
HHOOK g_hook = nullptr;  // local mode's hook, or global mode's (owned by its thread)
HWND g_notifyWindow = nullptr;
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

// Global mode's hook on a thread of its own, which does nothing but pump
// messages: the system calls a low-level hook on the thread that set it,
// and every mouse event of the session waits for the call. On the host's
// thread a busy host would stall the pointer, and Windows removes a hook
// that misses its time-out without a word. The hook only posts; the
// variables and the author's subroutine stay on the host's thread.
class THookThread {
public:
    THookThread()
        : ready_(::CreateEventA(nullptr, TRUE, FALSE, nullptr)),
          done_(::CreateEventA(nullptr, TRUE, FALSE, nullptr)) {
        if (!ready_ || !done_) return;
        PrepareShutdownProbe();
        thread_.reset(::CreateThread(nullptr, 0, &Run, this, 0, &threadId_));
        if (!thread_) return;
        // Once it runs, an unload can wait for it: a thread that has not yet
        // started needs the loader lock that the unload holds.
        const HANDLE waits[] = {ready_.get(), thread_.get()};
        ::WaitForMultipleObjects(2, waits, FALSE, INFINITE);
    }
    // Ends the thread, which removes its hook first.
    ~THookThread() {
        if (!thread_) return;
        ::PostThreadMessageA(threadId_, WM_QUIT, 0, 0);
        WaitForThreadEnd(done_.get(), thread_.get());
    }
    THookThread(const THookThread&) = delete;
    THookThread& operator=(const THookThread&) = delete;

    HHOOK hook() const { return hook_; }

private:
    static DWORD WINAPI Run(void* param) {
        auto* self = static_cast<THookThread*>(param);
        const HANDLE done = self->done_.get();  // taken before the owner may free us
        // A hook sees the events of its thread's desktop: the host's. A new
        // thread starts on the program's first desktop.
        ::SetThreadDesktop(self->desktop_);
        MSG msg;
        ::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);  // the queue the quit goes to
        // A busy machine still gets its answers promptly.
        ::SetThreadPriority(::GetCurrentThread(), THREAD_PRIORITY_HIGHEST);
        const HHOOK hook = ::SetWindowsHookExA(WH_MOUSE_LL, &GlobalMouseProc,
                                               reinterpret_cast<HINSTANCE>(&__ImageBase), 0);
        self->hook_ = hook;
        ::SetEvent(self->ready_.get());
        if (hook != nullptr) {
            while (::GetMessageA(&msg, nullptr, 0, 0) > 0) ::DispatchMessageA(&msg);
            ::UnhookWindowsHookEx(hook);
        }
        SignalAndExitThread(done);
    }

    win::UniqueHandle ready_;
    win::UniqueHandle done_;
    win::UniqueHandle thread_;
    DWORD threadId_ = 0;
    HDESK desktop_ = ::GetThreadDesktop(::GetCurrentThreadId());
    HHOOK hook_ = nullptr;
};

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
        : RunSubroutine(runSubroutine), goSubText_(std::move(goSubText)) {}
    ~TMouseMonitor() {
        hookThread_.reset();  // no hook posts to the window after this
        DeallocateMessageWindow(g_notifyWindow);
        g_notifyWindow = nullptr;
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
            hookThread_ = std::make_unique<THookThread>();
            hook = hookThread_->hook();
            if (hook == nullptr) hookThread_.reset();
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

    std::string goSubText_;
    std::unique_ptr<THookThread> hookThread_;
};

// Owned here and released by Stop or at unload, never by a static
// destructor: at process exit the windows and hooks go with the process.
TMouseMonitor* g_monitor = nullptr;

void Teardown() {
    ++g_generation;
    g_active = false;
    // Global mode's hook goes with its thread, when the monitor is freed.
    if (g_hook != nullptr && !g_global) UnhookWindowsHookEx(g_hook);
    g_hook = nullptr;
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
