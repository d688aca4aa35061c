// The properties dialogs' texts: message coding, style words, the host's
// version and the file chooser requests.
#include <gtest/gtest.h>

#include "editor_text.h"

namespace kv {
namespace {

TEST(EditorText, MessageCodingRoundTripsQuotesAndLineBreaks) {
    const std::string message = "He said \"hi\"\r\nbye";
    EXPECT_EQ(EncodeMessageText(message), "He said [#34]hi[#34]|bye");
    EXPECT_EQ(DecodeMessageText(EncodeMessageText(message)), message);
    // A lone CR or LF passes unchanged; the coding is case-sensitive.
    EXPECT_EQ(EncodeMessageText("a\rb\nc"), "a\rb\nc");
    EXPECT_EQ(DecodeMessageText("[#34][#34]||x"), "\"\"\r\n\r\nx");
    EXPECT_EQ(DecodeMessageText("[#3"), "[#3");
}

TEST(EditorText, StyleWordsAndSplitting) {
    EXPECT_EQ(FontStyleToText({}), "Normal");
    EXPECT_EQ(FontStyleToText({true, false, true, true}), "Bold+Underline+StrikeOut");
    EXPECT_EQ(FontStyleToText({false, true, false, false}), "Italic");
    EXPECT_EQ(TextToFontStyle(" italic + BOLD "), (FontStyle{true, true, false, false}));
    EXPECT_EQ(TextToFontStyle("StrikeOut+Normal+x"), (FontStyle{false, false, false, true}));
    EXPECT_EQ(TextToFontStyle("BoldItalic"), FontStyle{});
    EXPECT_EQ(SplitText("a++b+", "+"), (std::vector<std::string>{"b", "a"}));
    EXPECT_TRUE(SplitText("", "+").empty());
    EXPECT_EQ(SplitText("one", "+"), std::vector<std::string>{"one"});
}

TEST(EditorText, HostVersionNumber) {
    EXPECT_EQ(HostVersionFromText(std::nullopt), 400);
    EXPECT_EQ(HostVersionFromText(""), 408);
    EXPECT_EQ(HostVersionFromText("552.1"), 552);
    EXPECT_EQ(HostVersionFromText("549"), 549);
    // No integer before the first "." counts as an old host.
    EXPECT_EQ(HostVersionFromText("v5.5"), 400);
    EXPECT_EQ(HostVersionFromText(".5"), 400);
    EXPECT_EQ(HostVersionFromText("99999999999.0"), 400);
}

TEST(EditorText, FileChooserRequests) {
    EXPECT_EQ(BuildFileSelectRequest("Select the file", "C:\\a.txt", "All files | *. *", "1"),
              "Select the file\rC:\\a.txt\r\rAll files | *. *\r1");
    EXPECT_EQ(BuildFileOptionsRequest("", "All files | *. *", "False", "True"),
              "\r\rAll files | *. *\rFalse\rTrue");
}

}  // namespace
}  // namespace kv
