// The font texts: style words joined by "+" and character sets by their
// Windows constant names.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace kv {

struct FontStyle {
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeout = false;
    friend bool operator==(const FontStyle&, const FontStyle&) = default;
};

// "Bold+Italic+Underline+Strikeout" in this order, only those that apply,
// or "Normal".
std::string FontStyleText(const FontStyle& style);
// Blanks are dropped, pieces cut at "+" are matched in any case; pieces that
// match nothing ("Normal" among them) are ignored.
FontStyle ParseFontStyleText(std::string_view text);

struct CharsetName {
    const char* name;
    uint8_t value;
};
inline constexpr size_t kCharsetNameCount = 19;
const CharsetName* CharsetNames();

// Any case; a name not in the table gives DEFAULT_CHARSET (1).
uint8_t CharsetOfName(std::string_view name);
// The first name with this value, or "" when none has it.
std::string CharsetNameOf(uint8_t value);

}  // namespace kv
