#include "clipboard_actions.h"

#include "clipboard_viewer.h"
#include "host_bridge.h"
#include "params.h"

namespace kv::actions {

bool qvClipboardMonitor(std::string onOff, std::string subroutine) {
    if (ParseBoolOrFalse(onOff))
        StartClipboardMonitor(MakeGoSubText(subroutine));
    else
        StopClipboardMonitor();
    return true;
}

}  // namespace kv::actions
