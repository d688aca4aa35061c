#include "desktop_words.h"

#include <array>

#include "param_text.h"

namespace kv {
namespace {

// ExitWindowsEx flags.
constexpr uint32_t kLogOff = 0x00;
constexpr uint32_t kShutDown = 0x01;
constexpr uint32_t kReboot = 0x02;
constexpr uint32_t kForce = 0x04;
constexpr uint32_t kPowerOff = 0x08;
constexpr uint32_t kForceIfHung = 0x10;

constexpr std::array<std::string_view, 7> kExitWords = {
    "LogOff", "Reboot", "ShutDown", "PowerOff", "Force", "ForceIfhung", "ExitDialog",
};
constexpr std::array<std::string_view, 4> kPropsWords = {"Local", "Global", "PlayAction",
                                                         "GetInfo"};

template <typename E, size_t N>
std::optional<E> Lookup(const std::array<std::string_view, N>& words, std::string_view text) {
    for (size_t i = 0; i < N; ++i)
        if (EqualsNoCase(words[i], text)) return static_cast<E>(i);
    return std::nullopt;
}

}  // namespace

std::optional<TExitStyles> ParseExitWord(std::string_view text) {
    if (text.empty()) return std::nullopt;
    return Lookup<TExitStyles>(kExitWords, text);
}

std::optional<TProps> ParsePropsWord(std::string_view text) {
    if (text.empty()) return std::nullopt;
    return Lookup<TProps>(kPropsWords, text);
}

uint32_t ExitFlagsOf(TExitStyles style) {
    switch (style) {
    case TExitStyles::LogOff:
        return kLogOff | kForce;
    case TExitStyles::Reboot:
        return kReboot | kForce;
    case TExitStyles::ShutDown:
        return kShutDown | kForce;
    case TExitStyles::PowerOff:
        return kPowerOff | kForce;
    case TExitStyles::Force:
        return kForce;
    case TExitStyles::ForceIfhung:
        return kForceIfHung | kForce;
    case TExitStyles::ExitDialog:
        break;
    }
    return kForce;
}

std::optional<uint32_t> LayoutOfNumber(int32_t number) {
    if (number == 1) return kRussianLayout;
    if (number == 2) return kEnglishLayout;
    return std::nullopt;
}

std::optional<int32_t> NumberOfLayout(uint32_t layout) {
    if (layout == kRussianLayout) return 1;
    if (layout == kEnglishLayout) return 2;
    return std::nullopt;
}

}  // namespace kv
