// Ending the Windows session, or opening the shell's shut-down dialog.
#pragma once

#include <windows.h>

#include <string>

namespace kv::actions {

// LogOff, Reboot, ShutDown, PowerOff, Force, ForceIfhung (always forced)
// or ExitDialog, in any case; other words do nothing.
bool qvExitWindows(std::string word);

// The one call that ends the session. Tests replace it: under Wine it would
// end every program of the prefix.
using ExitWindowsExFn = BOOL(WINAPI*)(UINT flags, DWORD reason);
extern ExitWindowsExFn g_exitWindowsEx;

}  // namespace kv::actions
