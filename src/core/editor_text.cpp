#include "editor_text.h"

#include "param_text.h"

namespace kv {
namespace {

std::string ReplaceAll(std::string_view text, std::string_view from, std::string_view to) {
    std::string out;
    out.reserve(text.size());
    size_t start = 0;
    for (size_t at = text.find(from); at != std::string_view::npos; at = text.find(from, start)) {
        out.append(text.substr(start, at - start));
        out.append(to);
        start = at + from.size();
    }
    out.append(text.substr(start));
    return out;
}

std::string JoinFields(std::initializer_list<std::string_view> fields) {
    std::string out;
    bool first = true;
    for (const std::string_view field : fields) {
        if (!first) out += '\r';
        out.append(field);
        first = false;
    }
    return out;
}

}  // namespace

std::string DecodeMessageText(std::string_view text) {
    return ReplaceAll(ReplaceAll(text, "[#34]", "\""), "|", "\r\n");
}

std::string EncodeMessageText(std::string_view text) {
    return ReplaceAll(ReplaceAll(text, "\r\n", "|"), "\"", "[#34]");
}

std::string FontStyleToText(const FontStyle& style) {
    std::string out;
    auto add = [&](bool on, const char* word) {
        if (!on) return;
        if (!out.empty()) out += '+';
        out += word;
    };
    add(style.bold, "Bold");
    add(style.italic, "Italic");
    add(style.underline, "Underline");
    add(style.strikeout, "StrikeOut");
    return out.empty() ? "Normal" : out;
}

FontStyle TextToFontStyle(std::string_view text) {
    FontStyle style;
    for (const std::string& piece : SplitText(RemoveBlanks(text), "+")) {
        if (EqualsNoCase(piece, "Bold")) style.bold = true;
        if (EqualsNoCase(piece, "Italic")) style.italic = true;
        if (EqualsNoCase(piece, "Underline")) style.underline = true;
        if (EqualsNoCase(piece, "Strikeout")) style.strikeout = true;
    }
    return style;
}

std::vector<std::string> SplitText(std::string_view text, std::string_view delimiter) {
    std::vector<std::string> pieces;
    if (delimiter.empty()) {
        if (!text.empty()) pieces.emplace_back(text);
        return pieces;
    }
    for (size_t at = text.rfind(delimiter); at != std::string_view::npos;
         at = text.rfind(delimiter)) {
        const std::string_view tail = text.substr(at + delimiter.size());
        if (!tail.empty()) pieces.emplace_back(tail);
        text = text.substr(0, at);
    }
    if (!text.empty()) pieces.emplace_back(text);
    return pieces;
}

int HostVersionFromText(const std::optional<std::string>& answer) {
    if (!answer) return 400;
    if (answer->empty()) return 408;
    const std::string_view head = std::string_view(*answer).substr(0, answer->find('.'));
    int32_t value = 0;
    // Only plain decimal digits count; anything else is an old host.
    if (head.empty() || head.find_first_not_of("0123456789") != std::string_view::npos ||
        !ParseIntParam(head, value))
        return 400;
    return value;
}

std::string BuildFileSelectRequest(std::string_view title, std::string_view file,
                                   std::string_view filter, std::string_view filterIndex) {
    return JoinFields({title, file, {}, filter, filterIndex});
}

std::string BuildFileOptionsRequest(std::string_view file, std::string_view filter,
                                    std::string_view fourth, std::string_view fifth) {
    return JoinFields({file, {}, filter, fourth, fifth});
}

}  // namespace kv
