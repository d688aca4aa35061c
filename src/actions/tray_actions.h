// The tray icon and its balloon messages.
#pragma once

#include <string>

namespace kv::actions {

// Icon file (on disk), tip, left- and right-click subroutines.
bool qvTrayIcon(std::string iconFile, std::string tip, std::string leftClick,
                std::string rightClick);

// Title, text ("|" breaks lines), icon word, click and close subroutines;
// false when the shell refused the version request.
bool qvTrayBalloon(std::string title, std::string text, std::string icon, std::string click,
                   std::string close);

bool qvDeleteTrayIcon();

}  // namespace kv::actions
