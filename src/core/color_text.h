// Colour values and the three texts they are written in: a name from the
// colour table, "R,G,B", or "#RRGGBB". Shared by the dialogs, the property
// pages, the mask action and the string conversions.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kv {

// 0x00BBGGRR for an RGB colour; 0xFF000000 + index for a system colour
// (negative, resolved against the system's current scheme only on output);
// and two special values that are carried through unchanged.
using ColorValue = int32_t;
inline constexpr ColorValue kColorDefault = 0x20000000;
inline constexpr ColorValue kColorNone = 0x1FFFFFFF;
inline constexpr uint32_t kSystemColorFlag = 0xFF000000u;

constexpr ColorValue MakeRgb(uint8_t red, uint8_t green, uint8_t blue) {
    return static_cast<ColorValue>(uint32_t{red} | uint32_t{green} << 8 | uint32_t{blue} << 16);
}
constexpr ColorValue MakeSystemColor(uint8_t index) {
    return static_cast<ColorValue>(kSystemColorFlag | index);
}

struct NamedColor {
    const char* name;
    ColorValue value;
};
inline constexpr size_t kColorNameCount = 52;
// The table in search order: 20 RGB colours, then the system colours with
// the two special values where they stand.
const NamedColor* ColorNames();

// The system's current RGB colour for a system colour index (GetSysColor on
// Windows); passed in so this code stays free of the platform.
using SystemColorSource = uint32_t (*)(int index);

// A system colour becomes the system's current colour for its index;
// every other value (the special ones included) is returned unchanged.
ColorValue ResolveSystemColor(ColorValue value, SystemColorSource systemColor);

// Name (any case), then "R,G,B" (blanks ignored, fields clamped to 0..255,
// extra fields ignored; blanks alone give black), then "#RRGGBB".
std::optional<ColorValue> ParseColorText(std::string_view text);

// The property pages' reader: name, "R,G,B", a plain integer, "#RRGGBB",
// else `fallback`.
ColorValue ParseColorTextOrDefault(std::string_view text, ColorValue fallback);

// "R,G,B" from the low three bytes, unsigned decimal, no blanks.
std::string FormatColorRGB(ColorValue value);
// "#RRGGBB" after resolving a system colour. The special values keep their
// top byte, which lands among the green digits: "Default" is "#002000".
std::string FormatColorHTML(ColorValue value, SystemColorSource systemColor);
// The first table name with this value, else FormatColorRGB.
std::string FormatColorNeo(ColorValue value);

}  // namespace kv
