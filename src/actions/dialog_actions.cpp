#include "dialog_actions.h"

#include "common_dialogs.h"
#include "host_bridge.h"
#include "param_text.h"
#include "system_color.h"

namespace kv::actions {

bool qvColorBox(std::string color, std::string left, std::string top, std::string form,
                std::string variable) {
    if (variable.empty()) return true;
    const std::optional<ColorValue> parsed = ParseColorText(color);
    const ColorValue initial = parsed ? ResolveSystemColor(*parsed) : Dialogs().lastColor;
    const std::optional<ColorValue> chosen = ShowColorDialog(initial, left, top);
    std::string result;
    if (chosen) {
        if (EqualsNoCase(form, "R,G,B")) {
            result = FormatColorRGB(*chosen);
        } else if (EqualsNoCase(form, "HTML")) {
            result = FormatColorHTML(*chosen);
        } else {
            result = FormatColorNeo(*chosen);
        }
    }
    SetVar(variable, result);
    return true;
}

bool qvFontBox(std::string color, std::string name, std::string size, std::string style,
               std::string charset, std::string left, std::string top) {
    const FontTexts preset{std::move(color), std::move(name), std::move(size), std::move(style),
                           std::move(charset)};
    const FontTexts chosen = ShowFontDialog(preset, left, top).value_or(FontTexts{});
    SetVar("[qvFontColor]", chosen.color);
    SetVar("[qvFontName]", chosen.name);
    SetVar("[qvFontSize]", chosen.size);
    SetVar("[qvFontStyle]", chosen.style);
    SetVar("[qvFontCharset]", chosen.charset);
    return true;
}

}  // namespace kv::actions
