#include "string_actions.h"

#include "code_pages.h"
#include "color_text.h"
#include "host_bridge.h"
#include "string_convert.h"
#include "system_color.h"

namespace kv::actions {
namespace {

// A text that is no colour text converts to an empty result.
template <typename Format>
std::string ConvertColor(const std::string& text, Format format) {
    const std::optional<ColorValue> color = ParseColorText(text);
    return color ? format(*color) : std::string();
}

std::string Convert(ConvertMode mode, const std::string& text) {
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

}  // namespace

bool qvConvertString(std::string mode, std::string text, std::string variable) {
    if (const std::optional<ConvertMode> known = ConvertModeOfName(mode)) {
        SetVar(variable, Convert(*known, text));
    }
    return true;
}

}  // namespace kv::actions
