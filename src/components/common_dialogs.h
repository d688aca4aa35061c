// The system's colour and font dialogs, placed on the screen by two
// position texts, and what they remember for the library's lifetime: the
// last colour, the sixteen custom colours, the last font and its colour.
// The dialog actions and the properties dialog's font button share them.
#pragma once

#include <windows.h>

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "color_text.h"

namespace kv {

struct DialogMemory {
    ColorValue lastColor = 0;  // initial colour of the next colour dialog
    std::array<COLORREF, 16> customColors{};
    LOGFONTA lastFont{};  // an empty face name: no font chosen yet
    ColorValue lastFontColor = 0;
    // Consumed by PositionDialogHook when the next dialog opens.
    std::string leftText;
    std::string topText;
};
DialogMemory& Dialogs();
void ResetDialogs();  // as at load

// The font as five texts: colour, face name, size in points, style words
// and character set name.
struct FontTexts {
    std::string color;
    std::string name;
    std::string size;
    std::string style;
    std::string charset;
};

// True when a component of the colour is not one of the basic grid's
// levels, so the dialog opens with its custom-colour section.
bool NeedsCustomColorSection(ColorValue color);

// Shows the colour dialog from `initial` (which becomes the remembered
// colour), placed at `left`/`top` (an unreadable text centres that axis).
// The chosen colour, or nothing after Cancel.
std::optional<ColorValue> ShowColorDialog(ColorValue initial, std::string_view left,
                                          std::string_view top);

// Shows the font dialog preset from `preset`; an empty face name reopens
// the last choice (the menu font the first time). The chosen font as
// texts, or nothing after Cancel or an empty face name. A null owner is
// the root owner of the active window.
std::optional<FontTexts> ShowFontDialog(const FontTexts& preset, std::string_view left,
                                        std::string_view top, HWND owner = nullptr);

// The hook of both dialogs: places the dialog on its initialisation and
// lets every message through to the dialog.
UINT_PTR CALLBACK PositionDialogHook(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace kv
