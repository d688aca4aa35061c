#include "search/file_mask.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace kv {
namespace {

uint8_t Up(char c) { return AsciiUpper(static_cast<uint8_t>(c)); }

// A plain recursive matcher over the mask text, for valid masks of
// single-byte characters: slow, but obviously right.
bool Reference(std::string_view mask, std::string_view name) {
    if (mask.empty()) return name.empty();
    const char c = mask[0];
    if (c == '*') {
        size_t m = 0;
        while (m < mask.size() && (mask[m] == '*' || mask[m] == '?')) ++m;
        for (size_t k = 0; k <= name.size(); ++k)
            if (Reference(mask.substr(m), name.substr(k))) return true;
        return false;
    }
    if (name.empty()) return false;
    if (c == '?') return Reference(mask.substr(1), name.substr(1));
    if (c == '[') {
        size_t j = 1;
        const bool negate = mask[j] == '!';
        if (negate) ++j;
        bool in = false;
        while (mask[j] != ']') {
            const uint8_t low = Up(mask[j]);
            uint8_t high = low;
            if (mask[j + 1] == '-' && mask[j + 2] != ']') {
                high = Up(mask[j + 2]);
                j += 3;
            } else {
                j += 1;
            }
            const uint8_t n = Up(name[0]);
            if (n >= low && n <= high) in = true;
        }
        return in != negate && Reference(mask.substr(j + 1), name.substr(1));
    }
    return Up(c) == Up(name[0]) && Reference(mask.substr(1), name.substr(1));
}

TEST(FileMask, AgreesWithAPlainRecursiveMatcherOnRandomMasks) {
    std::mt19937 random(20261208);
    const std::string letters = "aAbBxX.-\xE0\xC0";
    const std::string setStart = "aAbBxX.\xE0\xC0";
    const auto pick = [&](const std::string& from) {
        return from[std::uniform_int_distribution<size_t>(0, from.size() - 1)(random)];
    };
    const auto upTo = [&](size_t n) { return std::uniform_int_distribution<size_t>(0, n)(random); };
    for (int round = 0; round < 20000; ++round) {
        std::string mask;
        for (size_t i = upTo(7); i > 0; --i) {
            switch (upTo(6)) {
            case 0:
                mask += '*';
                break;
            case 1:
                mask += '?';
                break;
            case 2:
                mask += std::string("[") + (upTo(1) ? "!" : "") + pick(setStart) +
                        (upTo(1) ? std::string("-") + pick(letters) : std::string()) + "]";
                break;
            default:
                mask += pick(letters);
            }
        }
        std::string name;
        for (size_t i = upTo(8); i > 0; --i) name += pick(letters);
        const TMask compiled(mask);
        ASSERT_TRUE(compiled.valid()) << mask;
        ASSERT_EQ(compiled.Matches(name), Reference(mask, name))
            << "mask \"" << mask << "\" name \"" << name << '"';
    }
}

TEST(FileMask, WildcardsLettersAndSets) {
    struct Case {
        const char* mask;
        const char* name;
        bool match;
    };
    const Case cases[] = {
        {"*.*", "readme", false},  // needs a dot
        {"*.*", "readme.", true},
        {"*.*", ".profile", true},
        {"*", "", true},
        {"*.TXT", "notes.txt", true},
        {"NOTES.*", "notes.tar.gz", true},
        {"\xC0*", "\xE0\xE1", false},  // Cyrillic letters match in their own case only
        {"\xC0*", "\xC0\xE1", true},
        {"a*?", "a", true},  // the "?" after a "*" is absorbed
        {"a?", "a", false},
        {"a??c", "abbc", true},
        {"[a-c]x", "Bx", true},
        {"[!a-c]x", "Bx", false},
        {"[!a-c]x", "dx", true},
        {"[A-z]", "_", false},  // both ends upper-cased: A to Z
        {"[ab-]", "-", true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TMask(c.mask).Matches(c.name), c.match) << c.mask << " / " << c.name;
    const std::string longName = std::string(254, 'a') + "b";
    EXPECT_TRUE(TMask("*a*a*a*a*b").Matches(longName));
}

TEST(FileMask, InvalidMasksSayWhereReadingStopped) {
    const std::pair<const char*, const char*> cases[] = {
        {"abc[de", "'abc[de' is an invalid mask at (7)"},
        {"[]", "'[]' is an invalid mask at (2)"},
        {"[!]", "'[!]' is an invalid mask at (3)"},
        {"x[-a]", "'x[-a]' is an invalid mask at (3)"},
        {"[a-b-c]", "'[a-b-c]' is an invalid mask at (5)"},
    };
    for (const auto& [mask, message] : cases) {
        const TMask m(mask);
        EXPECT_FALSE(m.valid()) << mask;
        EXPECT_EQ(m.error(), message);
        EXPECT_FALSE(m.Matches("abcde"));
    }
    // Thirty elements after a "*" are fine, the thirty-first is not; a final
    // "*" counts as one.
    std::string thirty;
    for (int i = 0; i < 30; ++i) thirty += "*a";
    EXPECT_TRUE(TMask(thirty).valid());
    EXPECT_FALSE(TMask(thirty + "*").valid());
    EXPECT_EQ(TMask(thirty + "*b").error(), "'" + thirty + "*b' is an invalid mask at (63)");
    EXPECT_TRUE(TMask(thirty + "bcdefg?[x]").valid());  // elements without a "*" before them
}

TEST(FileMask, DoubleByteCharactersAreOneUnit) {
    LeadByteSet lead;
    lead.set(0x81);
    // "?" takes the whole pair; a set ignores a pair inside it.
    EXPECT_TRUE(TMask("a?b", lead)
                    .Matches("a\x81\x40"
                             "b"));
    EXPECT_FALSE(TMask("a??b", lead)
                     .Matches("a\x81\x40"
                              "b"));
    EXPECT_TRUE(
        TMask("a??b").Matches("a\x81\x40"
                              "b"));  // a single-byte code page
    EXPECT_TRUE(TMask("*\x81\x61", lead).Matches("x\x81\x61"));
    EXPECT_FALSE(TMask("*\x81\x61", lead).Matches("x\x81\x41"));  // a trail byte is not a letter
    EXPECT_FALSE(TMask("*A", lead).Matches("\x81\x61"));          // nor is it a unit of its own
    EXPECT_FALSE(TMask("[\x81\x40]", lead).Matches("\x81\x40"));
    EXPECT_TRUE(TMask("[!a]", lead).Matches("\x81\x40"));
    EXPECT_TRUE(TMask("[\x81\x40x]", lead).Matches("X"));
}

}  // namespace
}  // namespace kv
