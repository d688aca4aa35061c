#include "unload.h"

#include "clipboard_viewer.h"
#include "contain.h"
#include "find_files_actions.h"
#include "message_window.h"
#include "mouse_monitor.h"
#include "simple_timer.h"
#include "tray_icon.h"

namespace kv {

void ReleaseAtUnload() noexcept {
    // The host may be gone or half torn down: nothing may reach it.
    try {
        actions::ReleaseFindFiles();
        ReleaseMouseMonitor();
        ReleaseSimpleTimers();
        ReleaseTrayIcon();
        ReleaseClipboardMonitor();
        ReleaseMessageWindows();
    } catch (...) {
    }
}

void ReleaseAtProcessEnd() noexcept {
    try {
        ReleaseTrayIcon();
        ReleaseClipboardMonitor();
    } catch (...) {
    }
}

}  // namespace kv
