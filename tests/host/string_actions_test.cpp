// The string-conversion action as the host sees it. The code-page modes
// are also compared with Python's codecs by reference_test.py.
#include <windows.h>

#include "ansi_text.h"
#include "host_fixture.h"

namespace kvtest {
namespace {

constexpr int32_t kConvertString = 50;

class ConvertStringTest : public HostTest {
protected:
    void SetUp() override {
        HostTest::SetUp();
        Start();
    }
    // Runs the action into "[out]" and returns what the host holds there.
    std::string Convert(const std::string& mode, const std::string& text) {
        host_->Vars().Set("[out]", "untouched");
        EXPECT_TRUE(host_->ExecAction(kConvertString, {mode, text, "[out]"}));
        ExpectCleanCall(__LINE__);
        return host_->Vars().Get("[out]");
    }
    static std::string RgbOf(COLORREF c) {
        return std::to_string(GetRValue(c)) + ',' + std::to_string(GetGValue(c)) + ',' +
               std::to_string(GetBValue(c));
    }
};

TEST_F(ConvertStringTest, CharacterCodesBothWaysAndTheCutAtZero) {
    EXPECT_EQ(Convert("StrToAscii", "AB"), "#65#66");
    EXPECT_EQ(Convert("AsciiToStr", "#65#66"), "AB");
    EXPECT_EQ(Convert("asciitostr", "#72##105"), "Hi");
    EXPECT_EQ(Convert("AsciiToStr", "#"), "");
    EXPECT_EQ(Convert("AsciiToStr", "#72#0#105"), "H");  // the host sees a zero-terminated text
    EXPECT_EQ(Convert("StrToAscii", "\xFF"), "#255");
}

TEST_F(ConvertStringTest, ColourForms) {
    EXPECT_EQ(Convert("ColorToRGB", "Red"), "255,0,0");
    EXPECT_EQ(Convert("ColorToHTML", "255,0,0"), "#FF0000");
    EXPECT_EQ(Convert("ColorToNeo", "#FF0000"), "Red");
    EXPECT_EQ(Convert("ColorToNeo", "1, 2, 3"), "1,2,3");
    EXPECT_EQ(Convert("ColorToNeo", "btnface"), "BtnFace");
    EXPECT_EQ(Convert("ColorToHTML", "Default"), "#002000");
    EXPECT_EQ(Convert("ColorToRGB", "None"), "255,255,255");
    EXPECT_EQ(Convert("ColorToRGB", "not a colour"), "");
    // System colours resolve through the real scheme.
    EXPECT_EQ(Convert("ColorToRGB", "BtnFace"), RgbOf(GetSysColor(COLOR_BTNFACE)));
    const COLORREF window = GetSysColor(COLOR_WINDOW);
    char html[8];
    wsprintfA(html, "#%02X%02X%02X", GetRValue(window), GetGValue(window), GetBValue(window));
    EXPECT_EQ(Convert("ColorToHTML", "Window"), html);
}

TEST_F(ConvertStringTest, KoiLettersRoundTrip) {
    constexpr auto win = kv::AnsiText("Ёё Привет, World 42!");
    const std::string koi = Convert("WinToKoi", win.c_str());
    EXPECT_EQ(koi.substr(0, 2), "\xB3\xA3");
    EXPECT_EQ(koi.substr(9), ", World 42!");
    EXPECT_EQ(Convert("KoiToWin", koi), win.c_str());
}

TEST_F(ConvertStringTest, Utf8BrokenTextGivesEmptyAndMissingCharactersAreReplaced) {
    EXPECT_EQ(Convert("Utf8ToAnsi", "abc\xC3"), "");
    EXPECT_EQ(Convert("Utf8ToAnsi",
                      "A\xE4\xB8\xAD"
                      "B"),
              "A?B");
    // A four-byte character is one missing character, not a broken text.
    EXPECT_EQ(Convert("Utf8ToAnsi",
                      "A\xF0\x9F\x98\x80"
                      "B")
                  .front(),
              'A');
    EXPECT_EQ(Convert("Utf8ToAnsi",
                      "A\xF0\x9F\x98\x80"
                      "B")
                  .back(),
              'B');
    EXPECT_EQ(Convert("AnsiToUtf8", "plain"), "plain");
    EXPECT_EQ(Convert("AnsiToUtf8", ""), "");
}

TEST_F(ConvertStringTest, UnknownModeSetsNothingAndStillSucceeds) {
    for (const char* mode : {"", "AnsiToUtf16", "StrToAscii "}) {
        EXPECT_EQ(Convert(mode, "AB"), "untouched") << mode;
    }
    EXPECT_TRUE(host_->CallsOf("SetVar").empty());
}

}  // namespace
}  // namespace kvtest
