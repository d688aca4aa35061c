// The plug-in's host-facing helpers, linked directly and run under Wine.
#include <windows.h>

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "contain.h"
#include "host_bridge.h"
#include "host_messages.h"
#include "host_text.h"
#include "params.h"
#include "plugin_state.h"

namespace kv {
namespace {

std::vector<std::pair<std::string, std::string>> g_setVars;

void KV_BORLAND RecordSetVar(const char* name, const char* value) {
    g_setVars.emplace_back(name, value);
}

class PluginStateTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetState();
        g_setVars.clear();
        State().HostSetVar = &RecordSetVar;
    }
    void TearDown() override { ResetState(); }
};

TEST(HostText, SetReplacesAndFreeEmptiesTheSlot) {
    char* slot = nullptr;
    ASSERT_TRUE(SetHostText(&slot, "first"));
    ASSERT_NE(slot, nullptr);
    EXPECT_STREQ(slot, "first");
    EXPECT_GE(GlobalSize(slot), 6u);  // a block of the global heap
    ASSERT_TRUE(SetHostText(&slot, ""));
    EXPECT_STREQ(slot, "");
    ASSERT_TRUE(SetHostText(&slot, std::string("a\0b", 3)));
    EXPECT_EQ(std::string(slot, 3), std::string("a\0b", 3));
    EXPECT_EQ(TakeHostText(&slot), "a");  // texts end at their first zero
    EXPECT_EQ(slot, nullptr);
    FreeHostText(&slot);  // an empty slot is fine
    FreeHostText(nullptr);
    EXPECT_FALSE(SetHostText(nullptr, "x"));
}

TEST(Params, BooleansFollowTheRegionalDecimalSeparator) {
    char separator[8] = {};
    ASSERT_GT(GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, separator, sizeof separator), 1);
    EXPECT_EQ(RegionalDecimalSeparator(), separator[0]);
    const std::string twoAndHalf = std::string("2") + separator[0] + "5";
    const std::string zero = std::string("0") + separator[0] + "0";
    bool value = false;
    ASSERT_TRUE(ParseBoolParam(twoAndHalf, value));
    EXPECT_TRUE(value);
    ASSERT_TRUE(ParseBoolParam(zero, value));
    EXPECT_FALSE(value);
    EXPECT_FALSE(ParseBoolParam("1", value));
    EXPECT_FALSE(ParseBoolParam("yes", value));
    EXPECT_TRUE(ParseBoolOrFalse("TRUE"));
    EXPECT_FALSE(ParseBoolOrFalse("1"));
    EXPECT_FALSE(ParseBoolOrFalse("garbage"));
    const std::string other = std::string("2") + (separator[0] == '.' ? ',' : '.') + "5";
    EXPECT_FALSE(ParseBoolParam(other, value)) << other;
}

TEST_F(PluginStateTest, StartMessageRecordsTheWindowsMajorVersion) {
    EXPECT_EQ(State().WindowsMajorVersion, 0);
    HandleHostMessage(1);
    OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = sizeof info;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    ASSERT_TRUE(GetVersionExA(&info));
#pragma GCC diagnostic pop
    EXPECT_EQ(State().WindowsMajorVersion, info.dwMajorVersion & 0xFF);
    EXPECT_NE(State().WindowsMajorVersion, 0);
}

TEST_F(PluginStateTest, HandlesAreWrittenUnsigned) {
    SetVarHandle("[h]", reinterpret_cast<HWND>(uintptr_t{0x80000010u}));
    SetVarHandle("[none]", nullptr);
    SetVarBool("[b]", true);
    ASSERT_EQ(g_setVars.size(), 3u);
    EXPECT_EQ(g_setVars[0].second, "2147483664");
    EXPECT_EQ(g_setVars[1].second, "0");
    EXPECT_EQ(g_setVars[2].second, "True");
}

TEST_F(PluginStateTest, EscapingErrorsBecomeLastErrorAndFalse) {
    const bool result = Contain(
        "qvSomething", []() -> bool { throw std::runtime_error("boom"); }, false);
    EXPECT_FALSE(result);
    ASSERT_EQ(g_setVars.size(), 1u);
    EXPECT_EQ(g_setVars[0].first, "[LastError]");
    EXPECT_EQ(g_setVars[0].second, "qvSomething: boom");

    g_setVars.clear();
    EXPECT_EQ(Contain(
                  "x", []() -> int { throw 42; }, 7),
              7);
    EXPECT_EQ(g_setVars.at(0).second, "x: Unexpected error");

    // Without a SetVar callback there is nowhere to report, and no crash.
    State().HostSetVar = nullptr;
    EXPECT_FALSE(Contain(
        "y", []() -> bool { throw std::bad_alloc(); }, false));
}

TEST_F(PluginStateTest, CallbacksMissingMeansNothingHappens) {
    State().HostSetVar = nullptr;
    SetVar("[x]", "y");
    RunHostScript("GoSub \"A\"");
    EXPECT_EQ(GetVar("[x]"), "");
    EXPECT_FALSE(AskHost(5).has_value());
    EXPECT_EQ(MakeGoSubText("A"), "");
    EXPECT_TRUE(g_setVars.empty());
}

}  // namespace
}  // namespace kv
