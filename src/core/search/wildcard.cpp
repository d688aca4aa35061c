#include "wildcard.h"

#include <algorithm>
#include <vector>

namespace kv {
namespace {

constexpr std::array<uint8_t, 256> MakeFilterCharMap() {
    std::array<uint8_t, 256> map{};
    for (unsigned c = 0; c < 256; ++c)
        map[c] = static_cast<uint8_t>((c >= 'a' && c <= 'z') ? c - 32 : c);
    return map;
}

constexpr uint8_t kStar = 0;
constexpr uint8_t kAny = 1;
constexpr uint8_t kLiteral = 2;

struct Token {
    uint8_t kind;
    uint8_t byte;
};

}  // namespace

const std::array<uint8_t, 256> FilterCharMap = MakeFilterCharMap();

bool WildcardMatch(std::string_view text, std::string_view pattern) {
    // The pattern with every "*" run (and the "?" it absorbs) as one star.
    std::vector<Token> tokens;
    tokens.reserve(pattern.size());
    for (size_t i = 0; i < pattern.size();) {
        if (pattern[i] == '*') {
            tokens.push_back({kStar, 0});
            while (i < pattern.size() && (pattern[i] == '*' || pattern[i] == '?')) ++i;
        } else {
            const auto c = static_cast<uint8_t>(pattern[i++]);
            tokens.push_back(c == '?' ? Token{kAny, 0} : Token{kLiteral, FilterCharMap[c]});
        }
    }
    const size_t count = tokens.size();
    // From `tail` on the pattern holds only "*" and "?": a text that ends
    // there matches.
    size_t tail = count;
    while (tail > 0 && tokens[tail - 1].kind != kLiteral) --tail;

    std::vector<uint8_t> alive(count + 1, 0), next(count + 1, 0);
    const auto close = [&](std::vector<uint8_t>& states) {
        for (size_t j = 0; j < count; ++j)
            if (states[j] && tokens[j].kind == kStar) states[j + 1] = 1;
    };
    alive[0] = 1;
    close(alive);
    for (const char ch : text) {
        const uint8_t c = FilterCharMap[static_cast<uint8_t>(ch)];
        bool any = false;
        std::fill(next.begin(), next.end(), uint8_t{0});
        for (size_t j = 0; j < count; ++j) {
            if (!alive[j]) continue;
            const Token t = tokens[j];
            if (t.kind == kStar) {
                next[j] = 1;
                any = true;
            } else if (t.kind == kAny || t.byte == c) {
                next[j + 1] = 1;
                any = true;
            }
        }
        if (!any) return false;
        close(next);
        alive.swap(next);
    }
    for (size_t j = tail; j <= count; ++j)
        if (alive[j]) return true;
    return false;
}

}  // namespace kv
