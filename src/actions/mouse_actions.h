// The mouse pointer and the mouse monitor's actions.
#pragma once

#include <string>

namespace kv::actions {

// Shows or hides the pointer whatever earlier calls did to the display
// count; false when the flag is not a Boolean.
bool qvShowMousePointer(std::string show);

// Starts the monitor: Global (any case) for every mouse event of the
// desktop, any other word for the host's own windows; an empty word does
// nothing.
bool qvSetMouseMonitor(std::string mode, std::string subroutine, std::string runSubroutine);

// PlayAction or GetInfo with a Boolean; false for an empty word or a flag
// that is not a Boolean.
bool qvConfigMouseMonitor(std::string setting, std::string value);

bool qvDelMouseMonitor();

}  // namespace kv::actions
