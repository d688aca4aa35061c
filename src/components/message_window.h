// Hidden windows that hand every message they receive to one handler
// object. The event sources (mouse monitor, timers, tray icon, clipboard
// monitor) each own one, created on the host's thread, so their events
// arrive inside the host's message loop.
#pragma once

#include <windows.h>

#include <cstdint>

namespace kv {

// One message as the handler sees it. Result starts at 0 and is what the
// window procedure returns.
struct MessageRecord {
    UINT Msg = 0;
    WPARAM WParam = 0;
    LPARAM LParam = 0;
    LRESULT Result = 0;
};

// Receives every message of its window. A handler that does not handle a
// message calls DefaultMessage (DefWindowProcA) itself. Whatever a handler
// throws is caught by the window procedure and never reaches the system.
class MessageHandler {
public:
    virtual void HandleMessage(HWND window, MessageRecord& message) = 0;

protected:
    ~MessageHandler() = default;
};

// The window class every message window belongs to.
inline constexpr const char* kMessageWindowClass = "TPUtilWindow";

// Creates a hidden tool window (never shown, no parent) bound to `handler`;
// null when the system refuses. The handler must outlive the window.
HWND AllocateMessageWindow(MessageHandler& handler);

// Unbinds and destroys a window made by AllocateMessageWindow. Messages
// still queued for it are dropped. A null handle is ignored.
void DeallocateMessageWindow(HWND window);

// Default processing of a message of a message window.
void DefaultMessage(HWND window, MessageRecord& message);

// How many message windows exist (for leak checks).
int LiveMessageWindows();

// At unload: destroys windows still alive and unregisters the class.
void ReleaseMessageWindows();

}  // namespace kv
