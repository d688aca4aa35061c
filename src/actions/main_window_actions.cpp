#include "main_window_actions.h"

#include "host_bridge.h"
#include "plugin_state.h"

namespace kv::actions {

bool qvSetOnMoveSize(std::string subroutine) {
    PluginState& state = State();
    state.MoveSizeScript = MakeGoSubText(subroutine);
    state.MoveSizeActive = !state.MoveSizeScript.empty();
    return true;
}

}  // namespace kv::actions
