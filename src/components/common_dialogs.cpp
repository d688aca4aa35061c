#include "common_dialogs.h"

#include <commdlg.h>

#include <algorithm>
#include <cstddef>
#include <cstring>

#include "font_text.h"
#include "param_text.h"
#include "system_color.h"
#include "unique_resource.h"

namespace kv {
namespace {

DialogMemory& Memory() {
    static DialogMemory memory;
    return memory;
}

// The dialogs belong to the top-level window the user is working in.
HWND DialogOwner() {
    const HWND active = ::GetActiveWindow();
    return active ? ::GetAncestor(active, GA_ROOTOWNER) : nullptr;
}

bool IsBasicLevel(uint32_t component) {
    constexpr uint32_t kLevels[] = {0, 64, 128, 160, 192, 255};
    return std::find(std::begin(kLevels), std::end(kLevels), component) != std::end(kLevels);
}

// The face name field holds 31 characters and its terminator; longer names
// are cut there.
void SetFaceName(LOGFONTA& font, std::string_view name) {
    const size_t length = std::min(name.size(), sizeof(font.lfFaceName) - 1);
    std::memcpy(font.lfFaceName, name.data(), length);
    font.lfFaceName[length] = '\0';
}

int ScreenPixelsPerInchY() {
    const win::WindowDC screen(nullptr);
    const int dpi = screen ? ::GetDeviceCaps(screen.get(), LOGPIXELSY) : 0;
    return dpi > 0 ? dpi : 96;
}

void PresetFont(const FontTexts& preset) {
    DialogMemory& memory = Memory();
    LOGFONTA font{};
    SetFaceName(font, preset.name);
    int32_t points = 0;
    font.lfHeight =
        ParseIntParam(preset.size, points) ? -::MulDiv(points, ScreenPixelsPerInchY(), 72) : -11;
    font.lfCharSet = preset.charset.empty() ? DEFAULT_CHARSET : CharsetOfName(preset.charset);
    const FontStyle style = ParseFontStyleText(preset.style);
    if (style.bold) font.lfWeight = FW_BOLD;
    font.lfItalic = style.italic;
    font.lfUnderline = style.underline;
    font.lfStrikeOut = style.strikeout;
    memory.lastFont = font;
    const std::optional<ColorValue> color = ParseColorText(preset.color);
    memory.lastFontColor = color ? ResolveSystemColor(*color) : memory.lastColor;
}

// The first time the last choice is reopened it is the menu font.
void EnsureLastFont() {
    LOGFONTA& font = Memory().lastFont;
    if (font.lfFaceName[0] != '\0') return;
    NONCLIENTMETRICSA metrics{};
    // The size of the record before Vista's padded border field, which
    // older systems refuse.
    metrics.cbSize = offsetof(NONCLIENTMETRICSA, iPaddedBorderWidth);
    if (::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0) &&
        metrics.lfMenuFont.lfFaceName[0] != '\0') {
        font = metrics.lfMenuFont;
        font.lfFaceName[sizeof(font.lfFaceName) - 1] = '\0';
        return;
    }
    font = LOGFONTA{};
    SetFaceName(font, "MS Sans Serif");
    font.lfHeight = -11;
    font.lfCharSet = DEFAULT_CHARSET;
}

int CenteredOrGiven(const std::string& text, int screen, int size) {
    int32_t value = 0;
    if (ParseIntParam(text, value)) return value;
    return (screen - size) / 2;  // C++ division truncates toward zero
}

}  // namespace

DialogMemory& Dialogs() { return Memory(); }

void ResetDialogs() { Memory() = DialogMemory{}; }

bool NeedsCustomColorSection(ColorValue color) {
    const auto rgb = static_cast<uint32_t>(color);
    return !(IsBasicLevel(rgb & 0xFF) && IsBasicLevel(rgb >> 8 & 0xFF) &&
             IsBasicLevel(rgb >> 16 & 0xFF));
}

UINT_PTR CALLBACK PositionDialogHook(HWND dialog, UINT message, WPARAM, LPARAM) {
    if (message != WM_INITDIALOG) return 0;
    try {
        DialogMemory& memory = Memory();
        RECT rect{};
        if (::GetWindowRect(dialog, &rect)) {
            const int width = rect.right - rect.left;
            const int height = rect.bottom - rect.top;
            const int left =
                CenteredOrGiven(memory.leftText, ::GetSystemMetrics(SM_CXSCREEN), width);
            const int top =
                CenteredOrGiven(memory.topText, ::GetSystemMetrics(SM_CYSCREEN), height);
            ::MoveWindow(dialog, left, top, width, height, FALSE);
        }
        memory.leftText.clear();
        memory.topText.clear();
    } catch (...) {
        // Placement is a courtesy; the dialog opens wherever it is.
    }
    return 0;
}

std::optional<ColorValue> ShowColorDialog(ColorValue initial, std::string_view left,
                                          std::string_view top) {
    DialogMemory& memory = Memory();
    memory.leftText = left;
    memory.topText = top;
    memory.lastColor = initial;

    CHOOSECOLORA request{};
    request.lStructSize = sizeof(request);
    request.hwndOwner = DialogOwner();
    request.rgbResult = static_cast<COLORREF>(initial);
    request.lpCustColors = memory.customColors.data();
    request.Flags = CC_RGBINIT | CC_ANYCOLOR | CC_ENABLEHOOK;
    if (NeedsCustomColorSection(initial)) request.Flags |= CC_FULLOPEN;
    request.lpfnHook = &PositionDialogHook;
    const bool confirmed = ::ChooseColorA(&request);
    memory.leftText.clear();
    memory.topText.clear();
    if (!confirmed) return std::nullopt;
    memory.lastColor = static_cast<ColorValue>(request.rgbResult);
    return memory.lastColor;
}

std::optional<FontTexts> ShowFontDialog(const FontTexts& preset, std::string_view left,
                                        std::string_view top, HWND owner) {
    DialogMemory& memory = Memory();
    if (!preset.name.empty()) {
        PresetFont(preset);
    } else {
        EnsureLastFont();
    }
    memory.leftText = left;
    memory.topText = top;

    LOGFONTA font = memory.lastFont;
    CHOOSEFONTA request{};
    request.lStructSize = sizeof(request);
    request.hwndOwner = owner ? owner : DialogOwner();
    request.lpLogFont = &font;
    request.rgbColors = static_cast<COLORREF>(memory.lastFontColor);
    request.Flags = CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT | CF_EFFECTS | CF_ENABLEHOOK;
    request.lpfnHook = &PositionDialogHook;
    const bool confirmed = ::ChooseFontA(&request);
    memory.leftText.clear();
    memory.topText.clear();
    font.lfFaceName[sizeof(font.lfFaceName) - 1] = '\0';
    if (!confirmed || font.lfFaceName[0] == '\0') return std::nullopt;

    memory.lastFont = font;
    memory.lastFontColor = static_cast<ColorValue>(request.rgbColors);
    FontStyle style;
    style.bold = font.lfWeight >= FW_MEDIUM;
    style.italic = font.lfItalic != 0;
    style.underline = font.lfUnderline != 0;
    style.strikeout = font.lfStrikeOut != 0;
    FontTexts chosen;
    chosen.color = FormatColorNeo(memory.lastFontColor);
    chosen.name = font.lfFaceName;
    chosen.size = FormatSigned(request.iPointSize / 10);
    chosen.style = FontStyleText(style);
    chosen.charset = CharsetNameOf(font.lfCharSet);
    return chosen;
}

}  // namespace kv
