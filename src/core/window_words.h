// The window words that the window actions, the host-window actions, the
// shortcut action and the window-position dialog accept.
#pragma once

#include <array>
#include <optional>
#include <string_view>

namespace kv {

// Numbered as the scripts and the property pages know them.
enum class TStyles {
    Hide = 0,
    Show = 1,
    ShowNoActive = 2,
    Restore = 3,
    RestoreNoActive = 4,
    Maximized = 5,
    Minimized = 6,
    Normal = 7,
    Close = 8,
    Present = 9,
    Visible = 10,
    Enabled = 11,
    ClientSize = 12,
    AlwaysOnTop = 13,
};

inline constexpr std::array<std::string_view, 14> kWindowWords = {
    "Hide",   "Show",  "ShowNoActive", "Restore", "RestoreNoActive", "Maximized",  "Minimized",
    "Normal", "Close", "Present",      "Visible", "Enabled",         "ClientSize", "AlwaysOnTop",
};

// The word `text` names, ASCII letters compared without regard to case. The
// text must be the whole word: blanks are not trimmed; an empty or unknown
// text names nothing.
std::optional<TStyles> ParseWindowWord(std::string_view text);

// True when `text` names exactly `word`.
bool IsWindowWord(std::string_view text, TStyles word);

std::string_view WindowWordText(TStyles word);

}  // namespace kv
