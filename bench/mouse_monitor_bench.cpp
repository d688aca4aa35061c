// Cost of a mouse event through the monitor, against a bare hook of the
// same kind, and a check that a burst of input loses nothing.
//   mouse_monitor_bench [EVENTS]
// Each event is one synthesized move over a window of this thread, handled
// to the end (hook, notice, handler) before the next one; one run of EVENTS
// moves is timed; the kinds take turns for 5 rounds and the median of
// each is printed in µs per event, for local mode against a bare WH_MOUSE
// hook and global mode against a bare WH_MOUSE_LL hook, on this thread and
// on a thread of its own (where global mode keeps its hook).
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "bench_util.h"
#include "input.h"
#include "test_host.h"

namespace {

using kvbench::ExeFolder;
using kvbench::Now;

using kvhost::SendMouseMove;

void PumpUntilIdle() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

HWND CreateTarget() {
    WNDCLASSA wc{};
    wc.lpfnWndProc = &DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = "KvBenchTarget";
    RegisterClassA(&wc);
    HWND window = CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, wc.lpszClassName, "bench",
                                  WS_POPUP | WS_VISIBLE, 100, 100, 400, 300, nullptr, nullptr,
                                  wc.hInstance, nullptr);
    kvhost::PumpMessages(100);
    return window;
}

// µs per move of one run.
double RunMicroseconds(int events) {
    const double start = Now();
    for (int i = 0; i < events; ++i) {
        SendMouseMove(150 + (i % 200), 150 + (i % 7));
        PumpUntilIdle();
    }
    return (Now() - start) * 1e6 / events;
}

double Median(std::vector<double> runs) {
    std::sort(runs.begin(), runs.end());
    return runs[runs.size() / 2];
}

double Best(const std::vector<double>& runs) { return *std::min_element(runs.begin(), runs.end()); }

// The best run is printed too: on a shared machine it shows the cost with
// the least interference.
void Print(const char* kind, int events, const std::vector<double>& bare,
           const std::vector<double>& off, const std::vector<double>& on,
           const std::vector<double>& bareThread) {
    const double b = Median(bare), f = Median(off), n = Median(on);
    std::printf("%s, %d moves a run, median of 5 runs (best run):\n", kind, events);
    std::printf("  bare hook                 %8.1f us/event          (%.1f)\n", b, Best(bare));
    if (!bareThread.empty()) {
        const double t = Median(bareThread);
        std::printf("  bare hook, own thread     %8.1f us/event (%.2fx)  (%.1f, %.2fx)\n", t, t / b,
                    Best(bareThread), Best(bareThread) / Best(bare));
    }
    std::printf("  monitor, position off     %8.1f us/event (%.2fx)  (%.1f, %.2fx)\n", f, f / b,
                Best(off), Best(off) / Best(bare));
    std::printf("  monitor, position on      %8.1f us/event (%.2fx)  (%.1f, %.2fx)\n", n, n / b,
                Best(on), Best(on) / Best(bare));
}

HWND g_sink = nullptr;
LRESULT CALLBACK BareHook(int code, WPARAM wparam, LPARAM lparam) {
    const LRESULT next = CallNextHookEx(nullptr, code, wparam, lparam);
    if (code == HC_ACTION) PostMessageA(g_sink, WM_APP, wparam, 0);
    return next;
}

// A bare low-level hook on a thread of its own, as global mode keeps its
// hook: the system's call crosses to that thread for every event.
class BareHookThread {
public:
    BareHookThread() {
        ready_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);
        thread_ = CreateThread(nullptr, 0, &Run, this, 0, &id_);
        WaitForSingleObject(ready_, INFINITE);
    }
    ~BareHookThread() {
        PostThreadMessageA(id_, WM_QUIT, 0, 0);
        WaitForSingleObject(thread_, INFINITE);
        CloseHandle(thread_);
        CloseHandle(ready_);
    }
    BareHookThread(const BareHookThread&) = delete;
    BareHookThread& operator=(const BareHookThread&) = delete;

private:
    static DWORD WINAPI Run(void* param) {
        auto* self = static_cast<BareHookThread*>(param);
        MSG msg;
        PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);
        SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_HIGHEST);
        HHOOK hook = SetWindowsHookExA(WH_MOUSE_LL, &BareHook, GetModuleHandleA(nullptr), 0);
        SetEvent(self->ready_);
        while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
        UnhookWindowsHookEx(hook);
        return 0;
    }
    HANDLE ready_ = nullptr;
    HANDLE thread_ = nullptr;
    DWORD id_ = 0;
};

// 1,000 moves with clicks and wheel turns among them, sent at once: every
// click and wheel line arrives once, in order, and the last position.
bool NothingLost(kvhost::TestHost& host) {
    host.calls().clear();
    std::vector<std::string> expected;
    int x = 0, y = 0;
    for (int i = 0; i < 1000; ++i) {
        x = 120 + (i * 7) % 300;
        y = 120 + (i * 3) % 200;
        SendMouseMove(x, y);
        if (i % 50 == 25) {
            kvhost::SendMouseButton(kvhost::MouseButton::Left, true);
            kvhost::SendMouseButton(kvhost::MouseButton::Left, false);
            expected.push_back("SetVar \"[qvMouseCode]\" \"qvLBD\"");
            expected.push_back("SetVar \"[qvMouseCode]\" \"qvLBU\"");
        }
        if (i % 80 == 40) {
            kvhost::SendMouseWheel(i % 160 == 40 ? 1 : -1);
            expected.push_back("SetVar \"[qvMouseCode]\" \"qvMWH\"");
        }
    }
    kvhost::PumpMessages(500);
    const auto lines = host.CallsOf("ScriptProcessor");
    POINT cursor{};
    GetCursorPos(&cursor);
    const bool positionOk = cursor.x == x && cursor.y == y &&
                            host.Vars().Get("[qvMouseX]") == std::to_string(x) &&
                            host.Vars().Get("[qvMouseY]") == std::to_string(y);
    std::printf("burst: %zu of %zu event lines in order: %s; final position (%d,%d) %s\n",
                lines.size(), expected.size(), lines == expected ? "yes" : "NO", x, y,
                positionOk ? "reported" : "NOT reported");
    return lines == expected && positionOk;
}

}  // namespace

int main(int argc, char** argv) {
    const int events = argc > 1 ? std::max(1, std::atoi(argv[1])) : 500;
    const HWND target = CreateTarget();
    (void)target;

    kvhost::TestHost host;
    std::string error;
    if (!host.Load(ExeFolder() + "\\Kelvane.dll", error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    host.LoadScript("Exit\n:OnMouse\nReturn\n", error);
    host.StartUp();

    // Each mode against a bare hook of its kind (one post per event to a
    // window of the host); the kinds take turns, so a busy machine slows
    // each alike.
    g_sink = host.MainWindow();
    for (const bool global : {false, true}) {
        std::vector<double> bare, off, on, bareThread;
        for (int round = 0; round < 5; ++round) {
            HHOOK hook =
                global ? SetWindowsHookExA(WH_MOUSE_LL, &BareHook, GetModuleHandleA(nullptr), 0)
                       : SetWindowsHookExA(WH_MOUSE, &BareHook, nullptr, GetCurrentThreadId());
            bare.push_back(RunMicroseconds(events));
            UnhookWindowsHookEx(hook);
            if (global) {
                const BareHookThread thread;
                bareThread.push_back(RunMicroseconds(events));
            }
            host.ExecAction(2, {global ? "Global" : "Local", "OnMouse", "False"});
            off.push_back(RunMicroseconds(events));
            host.ExecAction(3, {"GetInfo", "True"});
            on.push_back(RunMicroseconds(events));
            host.ExecAction(4, {});
        }
        Print(global ? "WH_MOUSE_LL" : "WH_MOUSE", events, bare, off, on, bareThread);
    }

    host.ExecAction(2, {"Local", "OnMouse", "False"});
    host.ExecAction(3, {"GetInfo", "True"});
    const bool ok = NothingLost(host);
    host.ExecAction(4, {});
    return ok ? 0 : 1;
}
