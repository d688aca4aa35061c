#include "action_table.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kv {
namespace {

std::vector<std::string> g_calls;

bool TwoTexts(std::string a, std::string b) {
    g_calls.push_back(a + "|" + b);
    return a == b;
}
bool NoParams() {
    g_calls.push_back("none");
    return true;
}
int32_t Counting(std::string n) {
    g_calls.push_back("count " + n);
    return static_cast<int32_t>(std::stol(n));
}

ActionTable MakeTable() {
    ActionTable table{};
    table[1] = Bind<&TwoTexts>();
    table[11] = Bind<&Counting>();
    table[55] = Bind<&NoParams>();
    table[57] = Bind<&NoParams>();
    return table;
}

class DispatchTest : public ::testing::Test {
protected:
    void SetUp() override { g_calls.clear(); }
    const ActionTable table_ = MakeTable();
};

TEST_F(DispatchTest, OutOfRangeAndUnboundNumbersDoNothing) {
    const char* params[] = {"x", "y"};
    for (int32_t number : {0, 2, 58, -1, INT32_MIN, 1000})
        EXPECT_FALSE(DispatchAction(table_, number, params)) << number;
    EXPECT_TRUE(g_calls.empty());
}

TEST_F(DispatchTest, PassesTextsInOrderAndReturnsTheHandlersResult) {
    const char* same[] = {"a", "a", "never read"};
    const char* differ[] = {"a", "b"};
    EXPECT_TRUE(DispatchAction(table_, 1, same));
    EXPECT_FALSE(DispatchAction(table_, 1, differ));
    EXPECT_EQ(g_calls, (std::vector<std::string>{"a|a", "a|b"}));
    EXPECT_EQ(table_[1].arity, 2);
    EXPECT_EQ(table_[55].arity, 0);
}

TEST_F(DispatchTest, NumericResultIsTrueWhenNotZero) {
    const char* zero[] = {"0"};
    const char* seven[] = {"7"};
    const char* negative[] = {"-3"};
    EXPECT_FALSE(DispatchAction(table_, 11, zero));
    EXPECT_TRUE(DispatchAction(table_, 11, seven));
    EXPECT_TRUE(DispatchAction(table_, 11, negative));
}

TEST_F(DispatchTest, HighestNumberAndMissingTextsAreSafe) {
    EXPECT_TRUE(DispatchAction(table_, 57, nullptr));
    const char* withNull[] = {nullptr, ""};
    EXPECT_TRUE(DispatchAction(table_, 1, withNull));
    EXPECT_TRUE(DispatchAction(table_, 1, nullptr));
    EXPECT_EQ(g_calls.back(), "|");
}

}  // namespace
}  // namespace kv
