// The clipboard monitor's action.
#pragma once

#include <string>

namespace kv::actions {

// "True" (a Boolean, any case) switches the monitor on with the subroutine;
// anything else, "1" included, switches it off.
bool qvClipboardMonitor(std::string onOff, std::string subroutine);

}  // namespace kv::actions
