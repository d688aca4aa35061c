// The effect words of the animated show/hide action and the system's
// animation flags they select.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace kv {

enum class TEffects { SlideLeft = 0, SlideRight, SlideTop, SlideDown, Center, Fade };

inline constexpr std::array<std::string_view, 6> kEffectWords = {
    "SlideLeft", "SlideRight", "SlideTop", "SlideDown", "Center", "Fade",
};

// AnimateWindow flags, by value, so this code needs no Windows header.
inline constexpr uint32_t kAwHorPositive = 0x1;
inline constexpr uint32_t kAwHorNegative = 0x2;
inline constexpr uint32_t kAwVerPositive = 0x4;
inline constexpr uint32_t kAwVerNegative = 0x8;
inline constexpr uint32_t kAwCenter = 0x10;
inline constexpr uint32_t kAwHide = 0x10000;
inline constexpr uint32_t kAwSlide = 0x40000;
inline constexpr uint32_t kAwBlend = 0x80000;
inline constexpr int32_t kLongestAnimationMs = 10000;

// The flags of an effect word (any letter case; 0 for other words), with
// the hide flag added when the window is to be hidden.
uint32_t AnimationFlags(std::string_view effect, bool show);

// Durations outside 0 .. 10000 ms are brought to the nearest end.
int32_t ClampAnimationMs(int32_t ms);

}  // namespace kv
