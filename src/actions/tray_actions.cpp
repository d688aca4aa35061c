#include "tray_actions.h"

#include "host_bridge.h"
#include "tray_icon.h"
#include "tray_words.h"

namespace kv::actions {

bool qvTrayIcon(std::string iconFile, std::string tip, std::string leftClick,
                std::string rightClick) {
    std::string left = MakeGoSubText(leftClick);
    std::string right = MakeGoSubText(rightClick);
    ShowTrayIcon(iconFile, tip, std::move(left), std::move(right));
    return true;
}

bool qvTrayBalloon(std::string title, std::string text, std::string icon, std::string click,
                   std::string close) {
    std::string clickScript = MakeGoSubText(click);
    std::string closeScript = MakeGoSubText(close);
    return ShowTrayBalloon(title, BalloonLines(text), static_cast<uint32_t>(ParseIconWord(icon)),
                           std::move(clickScript), std::move(closeScript));
}

bool qvDeleteTrayIcon() {
    DeleteTrayIcon();
    return true;
}

}  // namespace kv::actions
