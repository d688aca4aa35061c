#include "host_messages.h"

#include <windows.h>

#include "clipboard_viewer.h"
#include "host_bridge.h"
#include "plugin_state.h"
#include "tray_icon.h"

namespace kv {

uint8_t QueryWindowsMajorVersion() {
    OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = sizeof info;
    static_assert(sizeof(OSVERSIONINFOA) == 148);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    if (!::GetVersionExA(&info)) return 0;
#pragma GCC diagnostic pop
    return static_cast<uint8_t>(info.dwMajorVersion & 0xFF);
}

void HandleHostMessage(int32_t message) {
    PluginState& state = State();
    switch (message) {
    case 1:
        state.WindowsMajorVersion = QueryWindowsMajorVersion();
        break;
    case 2:
        // The author's run is over: drop the run's event sources. The mouse
        // monitor and the timers stay until their own actions stop them.
        state.MoveSizeActive = false;
        EndRunTrayIcon();
        EndRunClipboardMonitor();
        break;
    case 5:
        if (state.MoveSizeActive && !state.MoveSizeScript.empty())
            RunHostScript(state.MoveSizeScript);
        break;
    default:
        break;
    }
}

}  // namespace kv
