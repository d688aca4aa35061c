#include "screen_saver_actions.h"

#include <windows.h>

#include "host_bridge.h"
#include "params.h"

namespace kv::actions {
namespace {

bool ScreenSaverActive(bool& active) {
    BOOL value = FALSE;
    if (!SystemParametersInfoA(SPI_GETSCREENSAVEACTIVE, 0, &value, 0)) return false;
    active = value != FALSE;
    return true;
}

}  // namespace

bool qvScreenSaverStatus(std::string variable) {
    bool active = false;
    ScreenSaverActive(active);
    SetVarBool(variable, active);
    return true;
}

bool qvScreenSaverOn(std::string enable) {
    bool on = false;
    if (!ParseBoolParam(enable, on)) return true;
    SystemParametersInfoA(SPI_SETSCREENSAVEACTIVE, on ? 1 : 0, nullptr, 0);
    return true;
}

bool qvScreenSaverRun() {
    bool active = false;
    if (!ScreenSaverActive(active) || !active) return false;
    PostMessageA(GetDesktopWindow(), WM_SYSCOMMAND, SC_SCREENSAVE, 0);
    return true;
}

}  // namespace kv::actions
