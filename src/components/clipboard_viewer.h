// The clipboard monitor: a hidden window (ClipboardWindow, owned by
// TClipboardViewer) on the host's thread that runs the author's script
// once per change of the clipboard made by any program. It listens with
// AddClipboardFormatListener where user32 has it, and otherwise joins the
// classic viewer chain, passing every notice on.
#pragma once

#include <windows.h>

#include <string>

namespace kv {

// Switches the monitor on; "[qvClipboardMonitorID]" then holds its window's
// handle. A running monitor keeps its script and the variable. An empty
// script runs nothing on a change.
void StartClipboardMonitor(std::string script);

// Switches it off and empties "[qvClipboardMonitorID]"; when off, nothing
// happens.
void StopClipboardMonitor();

// Host message 2: as Stop.
void EndRunClipboardMonitor();

// At unload: leaves the clipboard's lists, without calling the host.
void ReleaseClipboardMonitor();

// For tests: the monitor's window (null when off) and whether it joined
// the viewer chain instead of listening.
HWND ClipboardWindowHandle();
bool ClipboardMonitorInChain();

}  // namespace kv
