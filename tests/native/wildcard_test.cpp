#include "search/wildcard.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace kv {
namespace {

bool Equal(char a, char b) {
    return FilterCharMap[static_cast<uint8_t>(a)] == FilterCharMap[static_cast<uint8_t>(b)];
}

// The classic recursive matcher, step by step; exponential at worst, so only
// for short texts.
bool Recursive(std::string_view text, std::string_view pattern) {
    size_t t = 0, p = 0;
    while (t < text.size() && p < pattern.size() && pattern[p] != '*') {
        if (pattern[p] != '?' && !Equal(pattern[p], text[t])) return false;
        ++t;
        ++p;
    }
    if (t < text.size() && (p >= pattern.size() || pattern[p] != '*')) return false;
    while (p < pattern.size() && (pattern[p] == '*' || pattern[p] == '?')) ++p;
    if (t >= text.size() || p >= pattern.size()) return p >= pattern.size();
    const char c = pattern[p];
    for (;;) {
        while (t < text.size() && !Equal(text[t], c)) ++t;
        if (t >= text.size()) return false;
        if (Recursive(text.substr(t + 1), pattern.substr(p + 1))) return true;
        ++t;
    }
}

TEST(Wildcard, AgreesWithTheRecursiveMatcherOnRandomPatterns) {
    std::mt19937 random(4242);
    const std::string letters = "aAb.\\*?";
    const auto upTo = [&](size_t n) { return std::uniform_int_distribution<size_t>(0, n)(random); };
    for (int round = 0; round < 50000; ++round) {
        std::string text, pattern;
        for (size_t i = upTo(9); i > 0; --i) text += letters[upTo(3)];
        for (size_t i = upTo(7); i > 0; --i) pattern += letters[upTo(letters.size() - 1)];
        ASSERT_EQ(WildcardMatch(text, pattern), Recursive(text, pattern))
            << "text \"" << text << "\" pattern \"" << pattern << '"';
    }
}

TEST(Wildcard, TrailingQuestionMarksAndCase) {
    EXPECT_TRUE(WildcardMatch("a", "a??"));
    EXPECT_TRUE(WildcardMatch("abc", "a??"));
    EXPECT_FALSE(WildcardMatch("abcd", "a??"));
    EXPECT_FALSE(WildcardMatch("a", "a?b"));
    EXPECT_TRUE(WildcardMatch("", ""));
    EXPECT_TRUE(WildcardMatch("", "?*?"));
    EXPECT_TRUE(WildcardMatch("C:\\DATA\\Report.DOC", "c:\\data\\*.doc"));
    EXPECT_FALSE(WildcardMatch("\xE0", "\xC0"));  // only ASCII letters fold
    const std::string longText = std::string(254, 'a') + "c";
    EXPECT_FALSE(WildcardMatch(longText, "*a*a*a*a*b"));
    EXPECT_TRUE(WildcardMatch(longText, "*a*a*a*a*c"));
}

}  // namespace
}  // namespace kv
