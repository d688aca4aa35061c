#include "desktop_words.h"

#include <gtest/gtest.h>

namespace kv {
namespace {

TEST(DesktopWords, ExitWordsInAnyCaseGiveForcedFlags) {
    EXPECT_EQ(ParseExitWord("logoff"), TExitStyles::LogOff);
    EXPECT_EQ(ParseExitWord("REBOOT"), TExitStyles::Reboot);
    EXPECT_EQ(ParseExitWord("ShutDown"), TExitStyles::ShutDown);
    EXPECT_EQ(ParseExitWord("poweroff"), TExitStyles::PowerOff);
    EXPECT_EQ(ParseExitWord("Force"), TExitStyles::Force);
    EXPECT_EQ(ParseExitWord("forceifhung"), TExitStyles::ForceIfhung);
    EXPECT_EQ(ParseExitWord("exitDialog"), TExitStyles::ExitDialog);
    for (const char* other : {"", " LogOff", "LogOff ", "Log Off", "6", "Shut"})
        EXPECT_EQ(ParseExitWord(other), std::nullopt) << other;

    EXPECT_EQ(ExitFlagsOf(TExitStyles::LogOff), 4u);
    EXPECT_EQ(ExitFlagsOf(TExitStyles::Reboot), 6u);
    EXPECT_EQ(ExitFlagsOf(TExitStyles::ShutDown), 5u);
    EXPECT_EQ(ExitFlagsOf(TExitStyles::PowerOff), 12u);
    EXPECT_EQ(ExitFlagsOf(TExitStyles::Force), 4u);
    EXPECT_EQ(ExitFlagsOf(TExitStyles::ForceIfhung), 20u);
}

TEST(DesktopWords, MonitorWordsAndLayoutNumbers) {
    EXPECT_EQ(ParsePropsWord("GLOBAL"), TProps::Global);
    EXPECT_EQ(ParsePropsWord("local"), TProps::Local);
    EXPECT_EQ(ParsePropsWord("playaction"), TProps::PlayAction);
    EXPECT_EQ(ParsePropsWord("GetInfo"), TProps::GetInfo);
    EXPECT_EQ(ParsePropsWord("Globl"), std::nullopt);
    EXPECT_EQ(ParsePropsWord(""), std::nullopt);

    EXPECT_EQ(LayoutOfNumber(1), 0x04190419u);
    EXPECT_EQ(LayoutOfNumber(2), 0x04090409u);
    for (int32_t other : {0, 3, -1, 0x04090409}) EXPECT_EQ(LayoutOfNumber(other), std::nullopt);
    EXPECT_EQ(NumberOfLayout(0x04190419u), 1);
    EXPECT_EQ(NumberOfLayout(0x04090409u), 2);
    EXPECT_EQ(NumberOfLayout(0x04070407u), std::nullopt);
    EXPECT_EQ(NumberOfLayout(0xF0010409u), std::nullopt);
}

}  // namespace
}  // namespace kv
