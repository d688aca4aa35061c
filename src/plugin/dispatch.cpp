#include "dispatch.h"

#include "main_window_actions.h"

namespace kv {
namespace {

// Actions are bound here as their themes are built; an unbound number
// returns false to the host.
constexpr ActionTable MakePluginActions() {
    ActionTable table{};
    table[42] = Bind<&actions::qvSetOnMoveSize>();
    return table;
}

constexpr ActionTable kPluginActions = MakePluginActions();

}  // namespace

const ActionTable& PluginActions() { return kPluginActions; }

bool ExecAction(int32_t number, const char* const* params) {
    return DispatchAction(kPluginActions, number, params);
}

}  // namespace kv
