// The words of the session and mouse-monitor actions, and the keyboard
// layouts the keyboard actions know by number.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace kv {

// The words of qvExitWindows, numbered as the scripts know them.
enum class TExitStyles {
    LogOff = 0,
    Reboot = 1,
    ShutDown = 2,
    PowerOff = 3,
    Force = 4,
    ForceIfhung = 5,
    ExitDialog = 6,
};

// The words of the mouse-monitor actions.
enum class TProps { Local = 0, Global = 1, PlayAction = 2, GetInfo = 3 };

// Whole words only, ASCII letters compared without regard to case; an empty
// or unknown text names nothing.
std::optional<TExitStyles> ParseExitWord(std::string_view text);
std::optional<TProps> ParsePropsWord(std::string_view text);

// The ExitWindowsEx flags of a session word (all but ExitDialog), always
// with EWX_FORCE.
uint32_t ExitFlagsOf(TExitStyles style);

// Layout numbers 1 (Russian) and 2 (English, United States) and the layout
// handles they stand for; nothing for other numbers and layouts.
inline constexpr uint32_t kRussianLayout = 0x04190419;
inline constexpr uint32_t kEnglishLayout = 0x04090409;
std::optional<uint32_t> LayoutOfNumber(int32_t number);
std::optional<int32_t> NumberOfLayout(uint32_t layout);

}  // namespace kv
