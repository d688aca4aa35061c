#include "window_words.h"

#include "param_text.h"

namespace kv {

std::optional<TStyles> ParseWindowWord(std::string_view text) {
    for (size_t i = 0; i < kWindowWords.size(); ++i) {
        if (EqualsNoCase(text, kWindowWords[i])) return static_cast<TStyles>(i);
    }
    return std::nullopt;
}

bool IsWindowWord(std::string_view text, TStyles word) { return ParseWindowWord(text) == word; }

std::string_view WindowWordText(TStyles word) { return kWindowWords[static_cast<size_t>(word)]; }

}  // namespace kv
