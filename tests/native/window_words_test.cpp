#include "window_words.h"

#include <gtest/gtest.h>

#include <string>

namespace kv {
namespace {

TEST(WindowWords, EveryWordInAnyCaseAndNothingElse) {
    for (size_t i = 0; i < kWindowWords.size(); ++i) {
        const auto word = static_cast<TStyles>(i);
        std::string upper(kWindowWords[i]), lower(kWindowWords[i]);
        for (char& c : upper) c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 32 : c);
        for (char& c : lower) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
        EXPECT_EQ(ParseWindowWord(kWindowWords[i]), word);
        EXPECT_EQ(ParseWindowWord(upper), word);
        EXPECT_EQ(ParseWindowWord(lower), word);
        EXPECT_TRUE(IsWindowWord(lower, word));
        EXPECT_EQ(WindowWordText(word), kWindowWords[i]);
        // Only whole words: no blanks, prefixes or extensions.
        EXPECT_FALSE(ParseWindowWord(" " + lower));
        EXPECT_FALSE(ParseWindowWord(lower + " "));
        EXPECT_FALSE(ParseWindowWord(lower.substr(0, lower.size() - 1)));
        EXPECT_FALSE(ParseWindowWord(lower + "s"));
    }
    EXPECT_EQ(ParseWindowWord("RESTORENOACTIVE"), TStyles::RestoreNoActive);
    EXPECT_EQ(static_cast<int>(TStyles::AlwaysOnTop), 13);
    EXPECT_FALSE(ParseWindowWord(""));
    EXPECT_FALSE(ParseWindowWord("5"));
    EXPECT_FALSE(ParseWindowWord(std::string_view("Show\0", 5)));
    // Letters outside ASCII are not folded (Windows-1251 "Ы" vs "ы").
    EXPECT_FALSE(ParseWindowWord("\xDB"));
}

}  // namespace
}  // namespace kv
