// The mouse monitor: a hook that turns mouse events into host variables
// and calls of one of the author's subroutines. Local mode watches the
// host's own windows (a WH_MOUSE hook on the host's thread); global mode
// every mouse event of the desktop (a low-level hook on a thread of its
// own, so a busy host never stalls the pointer). The hooks only post
// MouseNotifyMessage to a hidden window of the host's thread; every host
// call is made later, from that window's handler, inside the host's loop.
#pragma once

#include <windows.h>

#include <string>

namespace kv {

inline constexpr UINT MouseNotifyMessage = WM_USER + 100;

// Stops a running monitor, then starts a new one; true when its hook was
// installed ("[qvMouseMonitorID]" then holds the hook handle). A monitor
// whose hook failed stays, inactive, until the next Stop.
bool StartMouseMonitor(bool global, std::string goSubText, bool runSubroutine);

// Without a monitor: false. PlayAction switches running the subroutine
// after each button or wheel event; GetInfo switches position reports
// (switching them off empties the four position variables).
enum class MonitorSetting { PlayAction = 1, GetInfo = 2 };
bool ConfigureMouseMonitor(MonitorSetting setting, bool value);

// Removes the hook, frees the monitor and its windows, and empties the
// monitor's seven host variables. Notices already posted are dropped.
void StopMouseMonitor();

// At unload: as Stop, without calling the host.
void ReleaseMouseMonitor();

}  // namespace kv
