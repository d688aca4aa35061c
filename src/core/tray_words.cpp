#include "tray_words.h"

#include <array>
#include <utility>

namespace kv {
namespace {

bool SameWord(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}

}  // namespace

TIcons ParseIconWord(std::string_view word) {
    static constexpr std::array<std::pair<std::string_view, TIcons>, 5> kWords{{
        {"None", TIcons::None},
        {"Information", TIcons::Information},
        {"Warning", TIcons::Warning},
        {"Error", TIcons::Error},
        {"PubIcon", TIcons::PubIcon},
    }};
    for (const auto& [name, icon] : kWords)
        if (SameWord(word, name)) return icon;
    return TIcons::None;
}

std::string BalloonLines(std::string_view text) {
    std::string lines;
    lines.reserve(text.size());
    for (const char c : text) {
        if (c == '|')
            lines += "\r\n";
        else
            lines += c;
    }
    return lines;
}

std::string CutText(std::string_view text, size_t limit) {
    return std::string(text.substr(0, limit));
}

}  // namespace kv
