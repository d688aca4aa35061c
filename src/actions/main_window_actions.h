// Actions on the host's main window.
#pragma once

#include <string>

namespace kv::actions {

// Runs the author's subroutine whenever the host reports that its main
// window moved or was resized; an empty or unknown name switches it off.
bool qvSetOnMoveSize(std::string subroutine);

}  // namespace kv::actions
