// The colour and font dialogs as script actions.
#pragma once

#include <string>

namespace kv::actions {

// Stores the chosen colour in `variable` as a colour name (or "R,G,B" when
// it has none), as "R,G,B" or as "#RRGGBB" by `form`; an empty text after
// Cancel. An empty variable name shows nothing.
bool qvColorBox(std::string color, std::string left, std::string top, std::string form,
                std::string variable);

// Stores the chosen font in "[qvFontColor]", "[qvFontName]", "[qvFontSize]",
// "[qvFontStyle]" and "[qvFontCharset]"; empty texts after Cancel. An empty
// font name reopens the last choice.
bool qvFontBox(std::string color, std::string name, std::string size, std::string style,
               std::string charset, std::string left, std::string top);

}  // namespace kv::actions
