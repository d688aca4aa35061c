#include "animate_effects.h"

#include "param_text.h"

namespace kv {

uint32_t AnimationFlags(std::string_view effect, bool show) {
    static constexpr std::array<uint32_t, 6> kFlags = {
        kAwSlide | kAwHorNegative,
        kAwSlide | kAwHorPositive,
        kAwSlide | kAwVerNegative,
        kAwSlide | kAwVerPositive,
        kAwCenter,
        kAwBlend,
    };
    uint32_t flags = 0;
    for (size_t i = 0; i < kEffectWords.size(); ++i) {
        if (EqualsNoCase(effect, kEffectWords[i])) flags = kFlags[i];
    }
    if (!show) flags |= kAwHide;
    return flags;
}

int32_t ClampAnimationMs(int32_t ms) {
    if (ms < 0) return 0;
    return ms > kLongestAnimationMs ? kLongestAnimationMs : ms;
}

}  // namespace kv
