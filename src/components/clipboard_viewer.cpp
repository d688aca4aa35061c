#include "clipboard_viewer.h"

#include <cstdint>
#include <utility>

#include "host_bridge.h"
#include "message_window.h"
#include "param_text.h"

namespace kv {
namespace {

constexpr const char* kIdVariable = "[qvClipboardMonitorID]";

// The listener functions, looked up at run time: systems before Vista
// lack them. A test build switches the lookup off to exercise the chain.
using ListenerFn = BOOL(WINAPI*)(HWND);
struct Listener {
    ListenerFn add = nullptr;
    ListenerFn remove = nullptr;
};

Listener LookUpListener() {
#ifdef KV_CLIPBOARD_CHAIN_ONLY
    return {};
#else
    const HMODULE user32 = GetModuleHandleA("user32.dll");
    if (user32 == nullptr) return {};
    Listener found;
    found.add = reinterpret_cast<ListenerFn>(
        reinterpret_cast<void*>(GetProcAddress(user32, "AddClipboardFormatListener")));
    found.remove = reinterpret_cast<ListenerFn>(
        reinterpret_cast<void*>(GetProcAddress(user32, "RemoveClipboardFormatListener")));
    if (found.add == nullptr || found.remove == nullptr) return {};
    return found;
#endif
}

class TClipboardViewer;

// Module state.
TClipboardViewer* g_viewer = nullptr;
HWND g_window = nullptr;  // ClipboardWindow
bool g_skipNextDraw = false;
// Changes whenever a monitor stops: a handler that ran the script checks
// it before touching its monitor again, which the script may have freed.
uint32_t g_generation = 0;
// Where a notice goes on down the chain when the script stopped the
// monitor while it was handling it.
HWND g_nextAfterStop = nullptr;
// A run of the script is in progress: notices start no nested run, but
// another program's change during it is remembered.
bool g_running = false;
bool g_changedDuringRun = false;
// Changes the script made call it back afterwards neither: their late
// notices find the clipboard as the run left it.
bool g_afterRunArmed = false;
DWORD g_afterRunSequence = 0;

// Whether the clipboard's contents came from this process: the script
// copied them. Another program's change made while the script ran still
// runs it.
bool OwnedHere() {
    const HWND owner = GetClipboardOwner();
    if (owner == nullptr) return false;
    DWORD process = 0;
    GetWindowThreadProcessId(owner, &process);
    return process == GetCurrentProcessId();
}

class TClipboardViewer final : public MessageHandler {
public:
    HWND NextViewer = nullptr;
    std::string ClipboardScript;
    ListenerFn RemoveListener = nullptr;  // set when listening, not in the chain

    void HandleMessage(HWND window, MessageRecord& message) override {
        switch (message.Msg) {
        case WM_CLIPBOARDUPDATE:
            Change();
            return;
        case WM_DRAWCLIPBOARD: {
            const uint32_t generation = g_generation;
            if (g_skipNextDraw)
                g_skipNextDraw = false;  // the notice that joining the chain sends
            else
                Change();
            // This object may be gone: only module state from here on.
            const HWND next = generation == g_generation ? g_viewer->NextViewer : g_nextAfterStop;
            if (next != nullptr && IsWindow(next)) SendMessageA(next, WM_DRAWCLIPBOARD, 0, 0);
            return;
        }
        case WM_CHANGECBCHAIN: {
            const auto leaving = reinterpret_cast<HWND>(message.WParam);
            if (leaving == NextViewer)
                NextViewer = reinterpret_cast<HWND>(message.LParam);
            else if (NextViewer != nullptr)
                SendMessageA(NextViewer, WM_CHANGECBCHAIN, message.WParam, message.LParam);
            return;
        }
        default:
            DefaultMessage(window, message);
        }
    }

private:
    // Runs the script for one change, unless the change was made during
    // the last run. A notice that comes while the script runs (it pumps
    // messages: a wait, a dialog) starts no nested run; another program's
    // change among them runs it once more afterwards. Never throws.
    void Change() {
        if (g_running) {
            if (!OwnedHere()) g_changedDuringRun = true;
            return;
        }
        const DWORD sequence = GetClipboardSequenceNumber();
        if (g_afterRunArmed && sequence == g_afterRunSequence) return;
        g_afterRunArmed = false;
        RunScript(sequence);
    }

    // Module state only: a run may stop the monitor and free this object.
    static void RunScript(DWORD sequence) {
        const uint32_t generation = g_generation;
        for (;;) {
            if (g_viewer == nullptr || generation != g_generation) return;
            if (g_viewer->ClipboardScript.empty()) return;
            const std::string script = g_viewer->ClipboardScript;
            g_running = true;
            g_changedDuringRun = false;
            try {
                RunHostScript(script);
            } catch (...) {
                // The notice still goes on down the chain.
            }
            g_running = false;
            const DWORD after = GetClipboardSequenceNumber();
            if (after != sequence && OwnedHere()) {
                g_afterRunArmed = true;
                g_afterRunSequence = after;
            }
            if (!std::exchange(g_changedDuringRun, false)) return;
            sequence = after;
        }
    }
};

// Leaves the listeners or the chain, then destroys the window.
void Teardown() {
    ++g_generation;
    TClipboardViewer* viewer = std::exchange(g_viewer, nullptr);
    const HWND window = std::exchange(g_window, nullptr);
    if (viewer->RemoveListener != nullptr)
        viewer->RemoveListener(window);
    else
        ChangeClipboardChain(window, viewer->NextViewer);
    g_nextAfterStop = viewer->NextViewer;
    viewer->NextViewer = nullptr;
    DeallocateMessageWindow(window);
    delete viewer;
    g_skipNextDraw = false;
}

}  // namespace

void StartClipboardMonitor(std::string script) {
    if (g_viewer != nullptr) return;
    auto* viewer = new TClipboardViewer();
    const HWND window = AllocateMessageWindow(*viewer);
    if (window == nullptr) {
        delete viewer;
        return;
    }
    g_viewer = viewer;
    g_window = window;
    g_afterRunArmed = false;
    const Listener listener = LookUpListener();
    if (listener.add != nullptr && listener.add(window)) {
        viewer->RemoveListener = listener.remove;
    } else {
        g_skipNextDraw = true;
        viewer->NextViewer = SetClipboardViewer(window);
    }
    SetVar(kIdVariable, FormatUnsigned(static_cast<uint32_t>(reinterpret_cast<uintptr_t>(window))));
    // The variable's new value may have run script that stopped the monitor.
    if (g_viewer == viewer && !script.empty()) viewer->ClipboardScript = std::move(script);
}

void StopClipboardMonitor() {
    if (g_viewer == nullptr) return;
    Teardown();
    SetVar(kIdVariable, "");
}

void EndRunClipboardMonitor() { StopClipboardMonitor(); }

void ReleaseClipboardMonitor() {
    if (g_viewer != nullptr) Teardown();
}

HWND ClipboardWindowHandle() { return g_window; }

bool ClipboardMonitorInChain() {
    return g_viewer != nullptr && g_viewer->RemoveListener == nullptr;
}

}  // namespace kv
