#include "dispatch.h"

#include "hash_actions.h"
#include "keyboard_actions.h"
#include "main_window_actions.h"
#include "mouse_actions.h"
#include "screen_saver_actions.h"
#include "session_actions.h"
#include "string_actions.h"
#include "taskbar_actions.h"

namespace kv {
namespace {

// Actions are bound here as their themes are built; an unbound number
// returns false to the host.
constexpr ActionTable MakePluginActions() {
    ActionTable table{};
    table[1] = Bind<&actions::qvShowMousePointer>();
    table[2] = Bind<&actions::qvSetMouseMonitor>();
    table[3] = Bind<&actions::qvConfigMouseMonitor>();
    table[4] = Bind<&actions::qvDelMouseMonitor>();
    table[5] = Bind<&actions::qvKBChangeLayout>();
    table[6] = Bind<&actions::qvKBGetLayout>();
    table[7] = Bind<&actions::qvShowIcon>();
    table[8] = Bind<&actions::qvShowTaskBar>();
    table[9] = Bind<&actions::qvScreenSaverStatus>();
    table[10] = Bind<&actions::qvScreenSaverOn>();
    table[11] = Bind<&actions::qvScreenSaverRun>();
    table[17] = Bind<&actions::qvExitWindows>();
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
