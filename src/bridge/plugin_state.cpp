#include "plugin_state.h"

namespace kv {

PluginState& State() {
    static PluginState state;
    return state;
}

void ResetState() { State() = PluginState{}; }

}  // namespace kv
