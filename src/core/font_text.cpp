#include "font_text.h"

#include <array>

#include "param_text.h"

namespace kv {
namespace {

constexpr std::array<CharsetName, kCharsetNameCount> kCharsetNames{{
    {"ANSI_CHARSET", 0},          {"DEFAULT_CHARSET", 1},      {"SYMBOL_CHARSET", 2},
    {"SHIFTJIS_CHARSET", 128},    {"HANGEUL_CHARSET", 129},    {"GB2312_CHARSET", 134},
    {"CHINESEBIG5_CHARSET", 136}, {"OEM_CHARSET", 255},        {"JOHAB_CHARSET", 130},
    {"HEBREW_CHARSET", 177},      {"ARABIC_CHARSET", 178},     {"GREEK_CHARSET", 161},
    {"TURKISH_CHARSET", 162},     {"VIETNAMESE_CHARSET", 163}, {"THAI_CHARSET", 222},
    {"EASTEUROPE_CHARSET", 238},  {"RUSSIAN_CHARSET", 204},    {"MAC_CHARSET", 77},
    {"BALTIC_CHARSET", 186},
}};

constexpr uint8_t kDefaultCharset = 1;

}  // namespace

std::string FontStyleText(const FontStyle& style) {
    std::string text;
    const auto add = [&text](bool on, const char* word) {
        if (!on) return;
        if (!text.empty()) text += '+';
        text += word;
    };
    add(style.bold, "Bold");
    add(style.italic, "Italic");
    add(style.underline, "Underline");
    add(style.strikeout, "Strikeout");
    return text.empty() ? "Normal" : text;
}

FontStyle ParseFontStyleText(std::string_view text) {
    const std::string compact = RemoveBlanks(text);
    FontStyle style;
    size_t start = 0;
    while (start <= compact.size()) {
        size_t plus = compact.find('+', start);
        if (plus == std::string::npos) plus = compact.size();
        const std::string_view piece = std::string_view(compact).substr(start, plus - start);
        if (EqualsNoCase(piece, "Bold")) style.bold = true;
        if (EqualsNoCase(piece, "Italic")) style.italic = true;
        if (EqualsNoCase(piece, "Underline")) style.underline = true;
        if (EqualsNoCase(piece, "Strikeout")) style.strikeout = true;
        start = plus + 1;
    }
    return style;
}

const CharsetName* CharsetNames() { return kCharsetNames.data(); }

uint8_t CharsetOfName(std::string_view name) {
    for (const CharsetName& entry : kCharsetNames) {
        if (EqualsNoCase(name, entry.name)) return entry.value;
    }
    return kDefaultCharset;
}

std::string CharsetNameOf(uint8_t value) {
    for (const CharsetName& entry : kCharsetNames) {
        if (entry.value == value) return entry.name;
    }
    return {};
}

}  // namespace kv
