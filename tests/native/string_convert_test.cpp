// The code-page-free conversions: UTF-8, KOI8-R, "#" character codes.
#include <gtest/gtest.h>

#include <string>

#include "ansi_text.h"
#include "string_convert.h"

namespace kv {
namespace {

TEST(ConvertModes, NamesMatchInAnyCaseInListOrder) {
    EXPECT_EQ(ConvertModeOfName("ansitoutf8"), ConvertMode::kAnsiToUtf8);
    EXPECT_EQ(ConvertModeOfName("COLORTOHTML"), ConvertMode::kColorToHTML);
    EXPECT_EQ(ConvertModeOfName(""), std::nullopt);
    EXPECT_EQ(ConvertModeOfName("AnsiToUtf8 "), std::nullopt);
    for (size_t i = 0; i < kConvertModeCount; ++i) {
        const auto mode = static_cast<ConvertMode>(i);
        EXPECT_EQ(ConvertModeOfName(ConvertModeName(mode)), mode);
    }
}

TEST(Utf8, EncodesEachUnitAndPairsAsFourBytes) {
    EXPECT_EQ(Utf16ToUtf8(u""), "");
    EXPECT_EQ(Utf16ToUtf8(u"A\u00E9\u0416\u20AC"), "A\xC3\xA9\xD0\x96\xE2\x82\xAC");
    EXPECT_EQ(Utf16ToUtf8(u"\U0001F600"), "\xF0\x9F\x98\x80");
    EXPECT_EQ(Utf16ToUtf8(std::u16string(1, char16_t(0xD800))), "\xED\xA0\x80");  // lone surrogate
}

TEST(Utf8, DecodesOneToFourByteSequences) {
    EXPECT_EQ(DecodeUtf8("A\xC3\xA9\xD0\x96\xE2\x82\xAC"), u"A\u00E9\u0416\u20AC");
    EXPECT_EQ(DecodeUtf8("\xF0\x9F\x98\x80!"), u"\U0001F600!");
    EXPECT_EQ(DecodeUtf8("\xF7\xBF\xBF\xBF"), u"\uFFFD");  // beyond U+10FFFF
    EXPECT_EQ(DecodeUtf8(""), u"");
    // Lenient like the system of old: overlong forms and stray leads are read by their bits.
    EXPECT_EQ(DecodeUtf8("\xC1\x81"), u"A");
    EXPECT_EQ(DecodeUtf8("\x81\x81"), std::u16string(1, char16_t(0x41)));
}

TEST(Utf8, AnyBrokenSequenceRefusesTheWholeText) {
    for (const char* text :
         {"abc\xC3", "\xC3(", "\xE2\x82", "\xE2\x82(", "\xF0\x9F\x98", "\xF0\x9F\x98(", "ok\xFF"}) {
        EXPECT_EQ(DecodeUtf8(text), std::nullopt) << text;
    }
}

TEST(Koi8, LettersMapBothWaysAndEverythingElsePasses) {
    constexpr auto win = AnsiText("АБВабвЁёЯя");
    EXPECT_EQ(WinToKoi(win.c_str()), "\xE1\xE2\xF7\xC1\xC2\xD7\xB3\xA3\xF1\xD1");
    std::string others;
    for (int b = 0; b < 0xC0; ++b) {
        if (b != 0xA8 && b != 0xB8) others += static_cast<char>(b);
    }
    EXPECT_EQ(WinToKoi(others), others);
    // Texts of ASCII and the letters come back unchanged.
    std::string letters = "\xA8\xB8";
    for (int b = 0; b < 0x80; ++b) letters += static_cast<char>(b);
    for (int b = 0xC0; b < 0x100; ++b) letters += static_cast<char>(b);
    const std::string koi = WinToKoi(letters);
    EXPECT_EQ(KoiToWin(koi), letters);
    EXPECT_EQ(std::string(koi.begin(), koi.begin() + 2), "\xB3\xA3");
}

TEST(CharacterCodes, StrToAsciiAndBack) {
    EXPECT_EQ(StrToAscii("AB"), "#65#66");
    EXPECT_EQ(StrToAscii(""), "");
    EXPECT_EQ(StrToAscii("\xFF\x01"), "#255#1");
    EXPECT_EQ(AsciiToStr("#65#66"), "AB");
    EXPECT_EQ(AsciiToStr("65"), "A");
    EXPECT_EQ(AsciiToStr("#72#x#105"), "Hi");
    EXPECT_EQ(AsciiToStr("#72##105"), "Hi");
    EXPECT_EQ(AsciiToStr("#321"), "A");
    EXPECT_EQ(AsciiToStr("#$41#0x42# 67"), "ABC");
    EXPECT_EQ(AsciiToStr("#"), "");
    EXPECT_EQ(AsciiToStr("#-191"), "A");  // the low eight bits of a negative value
    EXPECT_EQ(AsciiToStr("#72#0#105"), std::string("H\0i", 3));
    std::string all;
    for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
    EXPECT_EQ(AsciiToStr(StrToAscii(all)), all);
}

}  // namespace
}  // namespace kv
