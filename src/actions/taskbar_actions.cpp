#include "taskbar_actions.h"

#include <windows.h>

#include "host_bridge.h"
#include "params.h"

namespace kv::actions {
namespace {

void ShowOrHide(HWND window, const std::string& flag) {
    bool show = false;
    if (window == nullptr || !ParseBoolParam(flag, show)) return;
    ShowWindow(window, show ? SW_SHOW : SW_HIDE);
}

}  // namespace

bool qvShowIcon(std::string show) {
    const std::string title = GetVar("[AppTitle]");
    ShowOrHide(FindWindowA("TApplication", title.c_str()), show);
    return true;
}

bool qvShowTaskBar(std::string show) {
    ShowOrHide(FindWindowA("Shell_TrayWnd", nullptr), show);
    return true;
}

}  // namespace kv::actions
