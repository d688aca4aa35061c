#include "dispatch.h"

#include "file_attribute_actions.h"
#include "folder_operations.h"
#include "folder_size.h"
#include "hash_actions.h"
#include "main_window_actions.h"
#include "shell_actions.h"
#include "string_actions.h"
#include "url_cache_actions.h"

namespace kv {
namespace {

// Actions are bound here as their themes are built; an unbound number
// returns false to the host.
constexpr ActionTable MakePluginActions() {
    ActionTable table{};
    table[42] = Bind<&actions::qvSetOnMoveSize>();
    table[43] = Bind<&actions::qvFolderSize>();
    table[44] = Bind<&actions::qvDeleteFolder>();
    table[45] = Bind<&actions::qvOpenWithDefault>();
    table[46] = Bind<&actions::qvCreateLink>();
    table[47] = Bind<&actions::qvFileGetAtrribute>();
    table[48] = Bind<&actions::qvFileSetAtrribute>();
    table[49] = Bind<&actions::qvClearIECache>();
    table[50] = Bind<&actions::qvConvertString>();
    table[52] = Bind<&actions::qvGetFileHash>();
    table[53] = Bind<&actions::qvGetStringHash>();
    table[56] = Bind<&actions::qvGetFolderPath>();
    table[57] = Bind<&actions::qvFolderOperation>();
    return table;
}

constexpr ActionTable kPluginActions = MakePluginActions();

}  // namespace

const ActionTable& PluginActions() { return kPluginActions; }

bool ExecAction(int32_t number, const char* const* params) {
    return DispatchAction(kPluginActions, number, params);
}

}  // namespace kv
