// Texts of the tray icon and its balloon: the balloon icon words and the
// limits the notification area puts on tips, titles and texts.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace kv {

// Balloon icon words, any letter case; the value is the system's icon kind.
enum class TIcons : uint32_t { None = 0, Information = 1, Warning = 2, Error = 3, PubIcon = 4 };

// Any other word, empty included, gives None.
TIcons ParseIconWord(std::string_view word);

// Every "|" becomes a line break (CR LF).
std::string BalloonLines(std::string_view text);

// The first `limit` characters of `text`.
std::string CutText(std::string_view text, size_t limit);

inline constexpr size_t kTipLimit = 127;
inline constexpr size_t kBalloonTitleLimit = 63;
inline constexpr size_t kBalloonTextLimit = 255;

}  // namespace kv
