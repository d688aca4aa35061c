// The taskbar and the publication's taskbar button.
#pragma once

#include <string>

namespace kv::actions {

// Shows or hides the host's application window (class "TApplication",
// titled as [AppTitle]), which owns the publication's taskbar button.
bool qvShowIcon(std::string show);

// Shows or hides the taskbar ("Shell_TrayWnd").
bool qvShowTaskBar(std::string show);

}  // namespace kv::actions
