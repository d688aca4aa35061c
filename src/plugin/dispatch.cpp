#include "dispatch.h"

#include "dialog_actions.h"
#include "hash_actions.h"
#include "main_window_actions.h"
#include "string_actions.h"

namespace kv {
namespace {

// Actions are bound here as their themes are built; an unbound number
// returns false to the host.
constexpr ActionTable MakePluginActions() {
    ActionTable table{};
    table[12] = Bind<&actions::qvColorBox>();
    table[13] = Bind<&actions::qvFontBox>();
    table[42] = Bind<&actions::qvSetOnMoveSize>();
    table[50] = Bind<&actions::qvConvertString>();
    table[52] = Bind<&actions::qvGetFileHash>();
    table[53] = Bind<&actions::qvGetStringHash>();
    return table;
}

constexpr ActionTable kPluginActions = MakePluginActions();

}  // namespace

const ActionTable& PluginActions() { return kPluginActions; }

bool ExecAction(int32_t number, const char* const* params) {
    return DispatchAction(kPluginActions, number, params);
}

}  // namespace kv
