// Texts of the properties dialogs: the balloon message coding, the editor's
// style words, the host's version number and the requests for its file
// choosers. Portable, so they are tested natively.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "font_text.h"

namespace kv {

// A message keeps its double quotes and line breaks in a one-line script
// parameter: "[#34]" stands for a quote and "|" for CR LF.
std::string DecodeMessageText(std::string_view text);
std::string EncodeMessageText(std::string_view text);

// "Bold", "Italic", "Underline", "StrikeOut" joined by "+", or "Normal".
std::string FontStyleToText(const FontStyle& style);
// Blanks dropped, pieces cut at "+", matched in any case; others ignored.
FontStyle TextToFontStyle(std::string_view text);

// The non-empty pieces between delimiters, taken from the end backwards.
std::vector<std::string> SplitText(std::string_view text, std::string_view delimiter);

// The host's version number from its answer to the version request: 400
// without an answer (no interface), 408 for an empty text, else the decimal
// integer before the first "." (400 when there is none).
int HostVersionFromText(const std::optional<std::string>& answer);
inline constexpr int kFileChooserVersion = 550;
inline constexpr int kFileOptionsVersion = 552;

// The texts sent with the host's file chooser requests: fields joined by CR,
// the third always empty.
std::string BuildFileSelectRequest(std::string_view title, std::string_view file,
                                   std::string_view filter, std::string_view filterIndex);
std::string BuildFileOptionsRequest(std::string_view file, std::string_view filter,
                                    std::string_view fourth, std::string_view fifth);

}  // namespace kv
