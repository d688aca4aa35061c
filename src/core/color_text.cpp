#include "color_text.h"

#include <algorithm>
#include <array>

#include "param_text.h"

namespace kv {
namespace {

constexpr std::array<NamedColor, kColorNameCount> kColorNames{{
    {"Black", MakeRgb(0, 0, 0)},
    {"Maroon", MakeRgb(128, 0, 0)},
    {"Green", MakeRgb(0, 128, 0)},
    {"Olive", MakeRgb(128, 128, 0)},
    {"Navy", MakeRgb(0, 0, 128)},
    {"Purple", MakeRgb(128, 0, 128)},
    {"Teal", MakeRgb(0, 128, 128)},
    {"Gray", MakeRgb(128, 128, 128)},
    {"Silver", MakeRgb(192, 192, 192)},
    {"Red", MakeRgb(255, 0, 0)},
    {"Lime", MakeRgb(0, 255, 0)},
    {"Yellow", MakeRgb(255, 255, 0)},
    {"Blue", MakeRgb(0, 0, 255)},
    {"Fuchsia", MakeRgb(255, 0, 255)},
    {"Aqua", MakeRgb(0, 255, 255)},
    {"White", MakeRgb(255, 255, 255)},
    {"MoneyGreen", MakeRgb(192, 220, 192)},
    {"SkyBlue", MakeRgb(166, 202, 240)},
    {"Cream", MakeRgb(255, 251, 240)},
    {"MedGray", MakeRgb(160, 160, 164)},
    {"ActiveBorder", MakeSystemColor(10)},
    {"ActiveCaption", MakeSystemColor(2)},
    {"AppWorkSpace", MakeSystemColor(12)},
    {"Background", MakeSystemColor(1)},
    {"BtnFace", MakeSystemColor(15)},
    {"BtnHighlight", MakeSystemColor(20)},
    {"BtnShadow", MakeSystemColor(16)},
    {"BtnText", MakeSystemColor(18)},
    {"CaptionText", MakeSystemColor(9)},
    {"Default", kColorDefault},
    {"GradientActiveCaption", MakeSystemColor(27)},
    {"GradientInactiveCaption", MakeSystemColor(28)},
    {"GrayText", MakeSystemColor(17)},
    {"Highlight", MakeSystemColor(13)},
    {"HighlightText", MakeSystemColor(14)},
    {"HotLight", MakeSystemColor(26)},
    {"InactiveBorder", MakeSystemColor(11)},
    {"InactiveCaption", MakeSystemColor(3)},
    {"InactiveCaptionText", MakeSystemColor(19)},
    {"InfoBk", MakeSystemColor(24)},
    {"InfoText", MakeSystemColor(23)},
    {"Menu", MakeSystemColor(4)},
    {"MenuBar", MakeSystemColor(30)},
    {"MenuHighlight", MakeSystemColor(29)},
    {"MenuText", MakeSystemColor(7)},
    {"None", kColorNone},
    {"ScrollBar", MakeSystemColor(0)},
    {"3DDkShadow", MakeSystemColor(21)},
    {"3DLight", MakeSystemColor(22)},
    {"Window", MakeSystemColor(5)},
    {"WindowFrame", MakeSystemColor(6)},
    {"WindowText", MakeSystemColor(8)},
}};

std::optional<ColorValue> ColorOfName(std::string_view text) {
    for (const NamedColor& entry : kColorNames) {
        if (EqualsNoCase(text, entry.name)) return entry.value;
    }
    return std::nullopt;
}

uint8_t ClampComponent(int32_t value) { return static_cast<uint8_t>(std::clamp(value, 0, 255)); }

// "R,G,B" with blanks anywhere; a fourth field and beyond are ignored.
std::optional<ColorValue> ColorOfRgbText(std::string_view text) {
    std::string compact = RemoveBlanks(text);
    // Blanks alone (or nothing at all) read as black.
    if (compact.empty()) return MakeRgb(0, 0, 0);
    if (compact.back() != ',') compact += ',';

    std::array<uint8_t, 3> components{};
    size_t start = 0;
    for (uint8_t& component : components) {
        const size_t comma = compact.find(',', start);
        if (comma == std::string::npos) return std::nullopt;
        int32_t field = 0;
        if (!ParseIntParam(std::string_view(compact).substr(start, comma - start), field)) {
            return std::nullopt;
        }
        component = ClampComponent(field);
        start = comma + 1;
    }
    return MakeRgb(components[0], components[1], components[2]);
}

int HexDigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

std::optional<ColorValue> ColorOfHtmlText(std::string_view text) {
    if (text.size() != 7 || text[0] != '#') return std::nullopt;
    std::array<uint8_t, 3> components{};
    for (size_t i = 0; i < 3; ++i) {
        const int high = HexDigitValue(text[1 + 2 * i]);
        const int low = HexDigitValue(text[2 + 2 * i]);
        if (high < 0 || low < 0) return std::nullopt;
        components[i] = static_cast<uint8_t>(high * 16 + low);
    }
    return MakeRgb(components[0], components[1], components[2]);
}

}  // namespace

const NamedColor* ColorNames() { return kColorNames.data(); }

ColorValue ResolveSystemColor(ColorValue value, SystemColorSource systemColor) {
    if (value >= 0) return value;
    return static_cast<ColorValue>(systemColor(static_cast<int>(value & 0xFF)));
}

std::optional<ColorValue> ParseColorText(std::string_view text) {
    if (auto named = ColorOfName(text)) return named;
    if (auto rgb = ColorOfRgbText(text)) return rgb;
    return ColorOfHtmlText(text);
}

ColorValue ParseColorTextOrDefault(std::string_view text, ColorValue fallback) {
    if (auto named = ColorOfName(text)) return *named;
    if (auto rgb = ColorOfRgbText(text)) return *rgb;
    if (int32_t plain = 0; ParseIntParam(text, plain)) return plain;
    if (auto html = ColorOfHtmlText(text)) return *html;
    return fallback;
}

std::string FormatColorRGB(ColorValue value) {
    const auto bits = static_cast<uint32_t>(value);
    return FormatUnsigned(bits & 0xFF) + ',' + FormatUnsigned(bits >> 8 & 0xFF) + ',' +
           FormatUnsigned(bits >> 16 & 0xFF);
}

std::string FormatColorHTML(ColorValue value, SystemColorSource systemColor) {
    const auto bits = static_cast<uint32_t>(ResolveSystemColor(value, systemColor));
    // Red and blue swap places; the top byte rides along with blue's shift.
    const uint32_t rrggbb = (bits & 0xFF) << 16 | (bits & 0xFF00) | bits >> 16;
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text = "#000000";
    for (size_t i = 0; i < 6; ++i) text[6 - i] = kDigits[rrggbb >> (4 * i) & 0xF];
    return text;
}

std::string FormatColorNeo(ColorValue value) {
    for (const NamedColor& entry : kColorNames) {
        if (entry.value == value) return entry.name;
    }
    return FormatColorRGB(value);
}

}  // namespace kv
