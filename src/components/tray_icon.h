// The publication's one icon in the notification area, with its balloon.
// The icon's hidden window (TrayIconWindow, owned by TBalloonMessage) lives
// on the host's thread; clicks and balloon events arrive there as callback
// messages and run the author's scripts. The window is top-level, so it
// hears "TaskbarCreated" and adds the icon again after a shell restart.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

namespace kv {

inline constexpr UINT kTrayIconId = 10;
inline constexpr UINT kTrayCallbackMessage = 10;
inline constexpr UINT kBalloonTimeout = 30000;

// Replaces any icon by a new one: from `iconFile` when it names an icon
// file that loads, else the host's "MAINICON", the host window's icon or
// the system's application icon. Scripts are GoSub lines (empty: nothing
// runs).
void ShowTrayIcon(const std::string& iconFile, const std::string& tip, std::string leftScript,
                  std::string rightScript);

// Shows a balloon at the icon (a silent icon first if there is none);
// true when the shell accepted the version request that follows.
bool ShowTrayBalloon(const std::string& title, const std::string& text, uint32_t iconKind,
                     std::string clickScript, std::string closeScript);

// Removes the icon from the shell, then its window. Without an icon it
// does nothing.
void DeleteTrayIcon();

// Host message 2: removes the icon if one is shown.
void EndRunTrayIcon();

// At unload: as DeleteTrayIcon, without calling the host.
void ReleaseTrayIcon();

// For tests: the icon's hidden window, null when there is none.
HWND TrayIconWindowHandle();

}  // namespace kv
