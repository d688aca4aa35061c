#include "handle_text.h"

#include <charconv>

#include "param_text.h"

namespace kv {

bool ParseHandleText(std::string_view text, uint32_t& handle) {
    int32_t value = 0;
    if (ParseIntParam(text, value)) {
        handle = static_cast<uint32_t>(value);
        return true;
    }
    // What we write ourselves: an unsigned decimal above the signed range.
    size_t pos = 0;
    while (pos < text.size() && text[pos] == ' ') ++pos;
    if (pos < text.size() && text[pos] == '+') ++pos;
    const char* first = text.data() + pos;
    const char* last = text.data() + text.size();
    if (first == last || *first < '0' || *first > '9') return false;
    uint32_t parsed = 0;
    const auto [end, error] = std::from_chars(first, last, parsed);
    if (error != std::errc() || end != last) return false;
    handle = parsed;
    return true;
}

bool ParseInt64Text(std::string_view text, int64_t& value) {
    size_t begin = 0;
    size_t end = text.size();
    while (begin < end && text[begin] == ' ') ++begin;
    while (end > begin && text[end - 1] == ' ') --end;
    if (begin < end && text[begin] == '+') ++begin;
    if (begin == end) return false;
    const char* first = text.data() + begin;
    const char* last = text.data() + end;
    int64_t parsed = 0;
    const auto [stop, error] = std::from_chars(first, last, parsed);
    if (error != std::errc() || stop != last) return false;
    value = parsed;
    return true;
}

}  // namespace kv
