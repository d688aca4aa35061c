#include "mouse_actions.h"

#include <windows.h>

#include "desktop_words.h"
#include "host_bridge.h"
#include "mouse_monitor.h"
#include "params.h"

namespace kv::actions {
namespace {

// Far beyond any count a program builds up; stops a loop on a system that
// never moves the count.
constexpr int kMaxCursorCalls = 10000;

}  // namespace

bool qvShowMousePointer(std::string show) {
    bool visible = false;
    if (!ParseBoolParam(show, visible)) return false;
    int count = ShowCursor(TRUE);
    if (visible) {
        for (int i = 0; count < 0 && i < kMaxCursorCalls; ++i) count = ShowCursor(TRUE);
    } else {
        for (int i = 0; count >= 0 && i < kMaxCursorCalls; ++i) count = ShowCursor(FALSE);
    }
    return true;
}

bool qvSetMouseMonitor(std::string mode, std::string subroutine, std::string runSubroutine) {
    if (mode.empty()) return true;
    const bool global = ParsePropsWord(mode) == TProps::Global;
    StartMouseMonitor(global, MakeGoSubText(subroutine), ParseBoolOrFalse(runSubroutine));
    return true;
}

bool qvConfigMouseMonitor(std::string setting, std::string value) {
    bool flag = false;
    if (setting.empty() || !ParseBoolParam(value, flag)) return false;
    const auto word = ParsePropsWord(setting);
    if (word == TProps::PlayAction) ConfigureMouseMonitor(MonitorSetting::PlayAction, flag);
    if (word == TProps::GetInfo) ConfigureMouseMonitor(MonitorSetting::GetInfo, flag);
    return true;
}

bool qvDelMouseMonitor() {
    StopMouseMonitor();
    return true;
}

}  // namespace kv::actions
