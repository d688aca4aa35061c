// Fuzzes the colour and font text readers: no crash, no undefined
// behaviour, and what they write reads back to the same value.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "color_text.h"
#include "font_text.h"

namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

uint32_t FixedSystemColor(int index) { return static_cast<uint32_t>(index) * 0x030201u; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    if (const auto color = kv::ParseColorText(text)) {
        const uint32_t rgb = static_cast<uint32_t>(*color) & 0xFFFFFF;
        Check(kv::ParseColorText(kv::FormatColorRGB(*color)) == static_cast<kv::ColorValue>(rgb));
        Check(kv::ParseColorText(kv::FormatColorNeo(*color)).has_value());
        const std::string html = kv::FormatColorHTML(*color, FixedSystemColor);
        Check(html.size() == 7 && kv::ParseColorText(html).has_value());
        Check(kv::ParseColorTextOrDefault(text, 7) == *color);
    }
    (void)kv::ParseColorTextOrDefault(text, 0);

    const kv::FontStyle style = kv::ParseFontStyleText(text);
    Check(kv::ParseFontStyleText(kv::FontStyleText(style)) == style);
    const uint8_t charset = kv::CharsetOfName(text);
    Check(!kv::CharsetNameOf(charset).empty());
    return 0;
}
