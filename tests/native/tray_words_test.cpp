#include "tray_words.h"

#include <gtest/gtest.h>

namespace kv {
namespace {

TEST(TrayWords, IconWordsInAnyCaseAndNothingElse) {
    EXPECT_EQ(ParseIconWord("None"), TIcons::None);
    EXPECT_EQ(ParseIconWord("information"), TIcons::Information);
    EXPECT_EQ(ParseIconWord("wARNING"), TIcons::Warning);
    EXPECT_EQ(ParseIconWord("ERROR"), TIcons::Error);
    EXPECT_EQ(ParseIconWord("PubIcon"), TIcons::PubIcon);
    for (const char* other : {"", "Info", "Warning ", " Error", "PubIcons", "4"})
        EXPECT_EQ(ParseIconWord(other), TIcons::None) << other;
}

TEST(TrayWords, BarsBecomeLineBreaksBeforeTextsAreCut) {
    EXPECT_EQ(BalloonLines("one|two"), "one\r\ntwo");
    EXPECT_EQ(BalloonLines("||"), "\r\n\r\n");
    EXPECT_EQ(BalloonLines(""), "");
    const std::string cut = CutText(BalloonLines(std::string(254, 'x') + "|y"), kBalloonTextLimit);
    EXPECT_EQ(cut, std::string(254, 'x') + "\r");
    EXPECT_EQ(CutText("short", kTipLimit), "short");
}

}  // namespace
}  // namespace kv
