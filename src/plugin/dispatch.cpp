#include "dispatch.h"

#include "clipboard_actions.h"
#include "dialog_actions.h"
#include "file_attribute_actions.h"
#include "find_files_actions.h"
#include "folder_operations.h"
#include "folder_size.h"
#include "hash_actions.h"
#include "host_window_actions.h"
#include "keyboard_actions.h"
#include "main_window_actions.h"
#include "mask_actions.h"
#include "mouse_actions.h"
#include "process_names.h"
#include "screen_saver_actions.h"
#include "session_actions.h"
#include "shell_actions.h"
#include "string_actions.h"
#include "taskbar_actions.h"
#include "tray_actions.h"
#include "url_cache_actions.h"
#include "window_actions.h"

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
    table[12] = Bind<&actions::qvColorBox>();
    table[13] = Bind<&actions::qvFontBox>();
    table[14] = Bind<&actions::qvTrayIcon>();
    table[15] = Bind<&actions::qvTrayBalloon>();
    table[16] = Bind<&actions::qvDeleteTrayIcon>();
    table[17] = Bind<&actions::qvExitWindows>();
    table[18] = Bind<&actions::qvFindWindow>();
    table[19] = Bind<&actions::qvGetWindowHandle>();
    table[20] = Bind<&actions::qvGetWindowTitle>();
    table[21] = Bind<&actions::qvSetWindowTitle>();
    table[22] = Bind<&actions::qvShowWindow>();
    table[23] = Bind<&actions::qvSetWindowPos>();
    table[24] = Bind<&actions::qvSetWindowTransparent>();
    table[25] = Bind<&actions::qvIsWindow>();
    table[26] = Bind<&actions::qvEnableWindow>();
    table[27] = Bind<&actions::qvDisableWindow>();
    table[28] = Bind<&actions::qvGetWindowRectangle>();
    table[29] = Bind<&actions::qvGetForegroundWindow>();
    table[30] = Bind<&actions::qvSetForegroundWindow>();
    table[31] = Bind<&actions::qvGetExeNameByHandle>();
    table[32] = Bind<&actions::qvGetDesktopRectangle>();
    table[33] = Bind<&actions::qvSetCustomWindowPos>();
    table[34] = Bind<&actions::qvShowCustomWindow>();
    table[35] = Bind<&actions::qvIsCustomWindow>();
    table[36] = Bind<&actions::qvEnableCustomWindow>();
    table[37] = Bind<&actions::qvDisableCustomWindow>();
    table[38] = Bind<&actions::qvSetCustomWindowTransparent>();
    table[39] = Bind<&actions::qvAnimateCustomWindow>();
    table[40] = Bind<&actions::qvSetCustomWindowMask>();
    table[41] = Bind<&actions::qvRefreshWindows>();
    table[42] = Bind<&actions::qvSetOnMoveSize>();
    table[43] = Bind<&actions::qvFolderSize>();
    table[44] = Bind<&actions::qvDeleteFolder>();
    table[45] = Bind<&actions::qvOpenWithDefault>();
    table[46] = Bind<&actions::qvCreateLink>();
    table[47] = Bind<&actions::qvFileGetAtrribute>();
    table[48] = Bind<&actions::qvFileSetAtrribute>();
    table[49] = Bind<&actions::qvClearIECache>();
    table[50] = Bind<&actions::qvConvertString>();
    table[51] = Bind<&actions::qvClipboardMonitor>();
    table[52] = Bind<&actions::qvGetFileHash>();
    table[53] = Bind<&actions::qvGetStringHash>();
    table[54] = Bind<&actions::qvFindFiles>();
    table[55] = Bind<&actions::qvShowInRectangle>();
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
