// Colour texts and font texts: reading, writing and the tables behind them.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "color_text.h"
#include "font_text.h"

namespace kv {
namespace {

// A fixed colour scheme: index i is the colour 0x0i0i0i + 1.
uint32_t FakeSystemColor(int index) { return 0x010101u * static_cast<uint32_t>(index) + 1; }

constexpr ColorValue kRed = MakeRgb(255, 0, 0);

TEST(ColorText, ReadsNamesInAnyCaseAndTheSpecialValues) {
    EXPECT_EQ(ParseColorText("red"), kRed);
    EXPECT_EQ(ParseColorText("RED"), kRed);
    EXPECT_EQ(ParseColorText("SkyBlue"), MakeRgb(166, 202, 240));
    EXPECT_EQ(ParseColorText("btnface"), MakeSystemColor(15));
    EXPECT_EQ(ParseColorText("3ddkshadow"), MakeSystemColor(21));
    EXPECT_EQ(ParseColorText("Default"), 0x20000000);
    EXPECT_EQ(ParseColorText("None"), 0x1FFFFFFF);
    EXPECT_EQ(ParseColorText(" Red"), std::nullopt);  // names match whole texts only
}

TEST(ColorText, ReadsRgbFieldsWithBlanksClampingAndIntegerPrefixes) {
    EXPECT_EQ(ParseColorText(" 255 , 128 , 0 "), MakeRgb(255, 128, 0));
    EXPECT_EQ(ParseColorText("300,-5,7"), MakeRgb(255, 0, 7));
    EXPECT_EQ(ParseColorText("1,2,3,"), MakeRgb(1, 2, 3));
    EXPECT_EQ(ParseColorText("1,2,3,x,,"), MakeRgb(1, 2, 3));  // fields past the third are ignored
    EXPECT_EQ(ParseColorText("$FF,0x80,x10"), MakeRgb(255, 128, 16));
    EXPECT_EQ(ParseColorText("$FFFFFFFF,2147483647,0"), MakeRgb(0, 255, 0));
    EXPECT_EQ(ParseColorText("   "), MakeRgb(0, 0, 0));  // blanks alone are black
    EXPECT_EQ(ParseColorText(""), MakeRgb(0, 0, 0));
    for (const char* text : {"1,2", "1,,3", ",1,2", "1,2,x", "1.5,2,3", "2147483648,0,0", ","}) {
        EXPECT_EQ(ParseColorText(text), std::nullopt) << text;
    }
}

TEST(ColorText, ReadsHtmlFormOfExactlySevenCharacters) {
    EXPECT_EQ(ParseColorText("#ff8000"), MakeRgb(255, 128, 0));
    EXPECT_EQ(ParseColorText("#FF8000"), MakeRgb(255, 128, 0));
    EXPECT_EQ(ParseColorText("#0A0b0C"), MakeRgb(10, 11, 12));
    for (const char* text : {"#FF800", "#GG0000", "#FF80000", "FF8000", " #FF8000", "#FF 800"}) {
        EXPECT_EQ(ParseColorText(text), std::nullopt) << text;
    }
}

TEST(ColorText, OrDefaultAlsoTakesPlainIntegers) {
    const ColorValue fallback = 0x123456;
    EXPECT_EQ(ParseColorTextOrDefault("Lime", fallback), MakeRgb(0, 255, 0));
    EXPECT_EQ(ParseColorTextOrDefault("1,2,3", fallback), MakeRgb(1, 2, 3));
    EXPECT_EQ(ParseColorTextOrDefault("16711680", fallback), MakeRgb(0, 0, 255));
    EXPECT_EQ(ParseColorTextOrDefault("-16777201", fallback), MakeSystemColor(15));
    EXPECT_EQ(ParseColorTextOrDefault("$FF00000F", fallback), MakeSystemColor(15));
    EXPECT_EQ(ParseColorTextOrDefault("#0000FF", fallback), MakeRgb(0, 0, 255));
    EXPECT_EQ(ParseColorTextOrDefault("purple-ish", fallback), fallback);
    EXPECT_EQ(ParseColorTextOrDefault("1,2", fallback), fallback);
}

TEST(ColorText, WritesTheThreeForms) {
    const ColorValue orange = MakeRgb(255, 128, 0);
    EXPECT_EQ(FormatColorRGB(orange), "255,128,0");
    EXPECT_EQ(FormatColorHTML(orange, FakeSystemColor), "#FF8000");
    EXPECT_EQ(FormatColorNeo(orange), "255,128,0");
    EXPECT_EQ(FormatColorNeo(kRed), "Red");
    EXPECT_EQ(FormatColorNeo(MakeRgb(1, 2, 3)), "1,2,3");
    EXPECT_EQ(FormatColorNeo(MakeSystemColor(15)), "BtnFace");
    EXPECT_EQ(FormatColorNeo(MakeSystemColor(25)), "25,0,0");  // an index without a name
    EXPECT_EQ(FormatColorHTML(MakeRgb(1, 2, 3), FakeSystemColor), "#010203");
}

TEST(ColorText, SystemColoursResolveOnlyWhereAsked) {
    EXPECT_EQ(ResolveSystemColor(MakeSystemColor(15), FakeSystemColor), 0x0F0F10);
    EXPECT_EQ(ResolveSystemColor(kRed, FakeSystemColor), kRed);
    EXPECT_EQ(ResolveSystemColor(kColorDefault, FakeSystemColor), kColorDefault);
    EXPECT_EQ(FormatColorHTML(MakeSystemColor(15), FakeSystemColor), "#100F0F");
    EXPECT_EQ(FormatColorRGB(MakeSystemColor(15)), "15,0,0");  // RGB form does not resolve
    // The special values are carried through unchanged.
    EXPECT_EQ(FormatColorHTML(kColorDefault, FakeSystemColor), "#002000");
    EXPECT_EQ(FormatColorHTML(kColorNone, FakeSystemColor), "#FFFFFF");
    EXPECT_EQ(FormatColorRGB(kColorNone), "255,255,255");
    EXPECT_EQ(FormatColorNeo(kColorNone), "None");
}

TEST(ColorText, TableNamesAreUniqueAndRoundTrip) {
    std::set<std::string> names;
    for (size_t i = 0; i < kColorNameCount; ++i) {
        const NamedColor& entry = ColorNames()[i];
        EXPECT_TRUE(names.insert(entry.name).second) << entry.name;
        EXPECT_EQ(ParseColorText(entry.name), entry.value) << entry.name;
        EXPECT_EQ(FormatColorNeo(entry.value), entry.name);
    }
}

TEST(FontText, WritesStyleWordsInFixedOrder) {
    EXPECT_EQ(FontStyleText({}), "Normal");
    EXPECT_EQ(FontStyleText({.bold = true, .underline = true}), "Bold+Underline");
    EXPECT_EQ(FontStyleText({.bold = true, .italic = true, .underline = true, .strikeout = true}),
              "Bold+Italic+Underline+Strikeout");
    EXPECT_EQ(FontStyleText({.strikeout = true}), "Strikeout");
}

TEST(FontText, ReadsStyleWordsLeniently) {
    EXPECT_EQ(ParseFontStyleText("italic + bold"), (FontStyle{.bold = true, .italic = true}));
    EXPECT_EQ(ParseFontStyleText("BoldItalic"), FontStyle{});
    EXPECT_EQ(ParseFontStyleText("Normal"), FontStyle{});
    EXPECT_EQ(ParseFontStyleText("++STRIKEOUT++x+Under line"),
              (FontStyle{.underline = true, .strikeout = true}));
    EXPECT_EQ(ParseFontStyleText(""), FontStyle{});
    const FontStyle all{true, true, true, true};
    EXPECT_EQ(ParseFontStyleText(FontStyleText(all)), all);
}

TEST(FontText, CharsetNamesBothWays) {
    EXPECT_EQ(CharsetOfName("russian_charset"), 204);
    EXPECT_EQ(CharsetOfName("ANSI_CHARSET"), 0);
    EXPECT_EQ(CharsetOfName(""), 1);
    EXPECT_EQ(CharsetOfName("KOI8_CHARSET"), 1);
    EXPECT_EQ(CharsetNameOf(77), "MAC_CHARSET");
    EXPECT_EQ(CharsetNameOf(255), "OEM_CHARSET");
    EXPECT_EQ(CharsetNameOf(3), "");
    for (size_t i = 0; i < kCharsetNameCount; ++i) {
        const CharsetName& entry = CharsetNames()[i];
        EXPECT_EQ(CharsetNameOf(CharsetOfName(entry.name)), entry.name);
    }
}

}  // namespace
}  // namespace kv
