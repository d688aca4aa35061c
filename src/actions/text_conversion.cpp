#include "text_conversion.h"

#include "code_pages.h"
#include "color_text.h"
#include "system_color.h"

namespace kv {
namespace {

// A text that is no colour text converts to an empty result.
template <typename Format>
std::string ConvertColor(const std::string& text, Format format) {
    const std::optional<ColorValue> color = ParseColorText(text);
    return color ? format(*color) : std::string();
}

}  // namespace

std::string ConvertText(ConvertMode mode, const std::string& text) {
    switch (mode) {
    case ConvertMode::kAnsiToUtf8:
        return Utf16ToUtf8(AnsiToUtf16(text));
    case ConvertMode::kUtf8ToAnsi: {
        const std::optional<std::u16string> wide = DecodeUtf8(text);
        return wide ? Utf16ToAnsi(*wide) : std::string();
    }
    case ConvertMode::kWinToKoi:
        return WinToKoi(text);
    case ConvertMode::kKoiToWin:
        return KoiToWin(text);
    case ConvertMode::kStrToAscii:
        return StrToAscii(text);
    case ConvertMode::kAsciiToStr:
        return AsciiToStr(text);
    case ConvertMode::kDosToWin:
        return OemCodePageToAnsi(text);
    case ConvertMode::kWinToDos:
        return AnsiToOemCodePage(text);
    case ConvertMode::kColorToNeo:
        return ConvertColor(text, [](ColorValue c) { return FormatColorNeo(c); });
    case ConvertMode::kColorToRGB:
        return ConvertColor(text,
                            [](ColorValue c) { return FormatColorRGB(ResolveSystemColor(c)); });
    case ConvertMode::kColorToHTML:
        return ConvertColor(text, [](ColorValue c) { return FormatColorHTML(c); });
    }
    return {};
}

}  // namespace kv
