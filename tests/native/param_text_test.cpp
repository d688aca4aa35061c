#include "param_text.h"

#include <gtest/gtest.h>

#include <climits>

#include "subroutines.h"

namespace kv {
namespace {

struct IntCase {
    const char* text;
    bool ok;
    int32_t value;
};

TEST(ParseIntParam, ReadsDecimalAndPrefixedHexadecimal) {
    const IntCase cases[] = {
        {"0", true, 0},
        {"42", true, 42},
        {"   42", true, 42},
        {"+7", true, 7},
        {"-15", true, -15},
        {"-0", true, 0},
        {"$1F", true, 31},
        {"0x1f", true, 31},
        {"0X1F", true, 31},
        {"x10", true, 16},
        {"X10", true, 16},
        {"-$10", true, -16},
        {"  $ff", true, 255},
        {"007", true, 7},
        {"2147483647", true, INT_MAX},
        {"-2147483648", true, INT_MIN},
        {"$7FFFFFFF", true, INT_MAX},
        // Hexadecimal uses all 32 bits, so handles can be written that way.
        {"$FFFFFFFF", true, -1},
        {"$80000000", true, INT_MIN},
    };
    for (const IntCase& c : cases) {
        int32_t value = 12345;
        EXPECT_EQ(ParseIntParam(c.text, value), c.ok) << c.text;
        EXPECT_EQ(value, c.value) << c.text;
        EXPECT_TRUE(IsIntegerText(c.text)) << c.text;
    }
}

TEST(ParseIntParam, RefusesEverythingElseAndLeavesValueAlone) {
    const char* refused[] = {
        "",
        " ",
        "-",
        "+",
        "$",
        "0x",
        "x",
        "abc",
        "12a",
        "1.5",
        "1,5",
        "42 ",
        "4 2",
        "\t42",
        "--1",
        "+-1",
        "$-1",
        "0x$1",
        "$G",
        "2147483648",
        "-2147483649",
        "$100000000",
        "99999999999999999999",
        "1e3",
        "0x 1",
    };
    for (const char* text : refused) {
        int32_t value = 12345;
        EXPECT_FALSE(ParseIntParam(text, value)) << '"' << text << '"';
        EXPECT_EQ(value, 12345) << text;
        EXPECT_FALSE(IsIntegerText(text)) << text;
    }
}

TEST(ParseIntParam, StopsAtEmbeddedNul) {
    int32_t value = 0;
    EXPECT_FALSE(ParseIntParam(std::string_view("12\0"
                                                "3",
                                                4),
                               value));
}

TEST(ParseBoolText, IntegersAreNeverBooleans) {
    for (const char* text : {"1", "0", "-5", "$1", " 1", "0x0"}) {
        bool value = false;
        EXPECT_FALSE(ParseBoolText(text, '.', value)) << text;
    }
}

TEST(ParseBoolText, WordsInAnyCase) {
    bool value = false;
    ASSERT_TRUE(ParseBoolText("true", '.', value));
    EXPECT_TRUE(value);
    ASSERT_TRUE(ParseBoolText("FALSE", '.', value));
    EXPECT_FALSE(value);
    ASSERT_TRUE(ParseBoolText("tRuE", ',', value));
    EXPECT_TRUE(value);
    for (const char* text : {"yes", "no", "", " true", "true ", "T", "on"})
        EXPECT_FALSE(ParseBoolText(text, '.', value)) << '"' << text << '"';
}

TEST(ParseBoolText, FractionsUseTheRegionalSeparator) {
    bool value = false;
    ASSERT_TRUE(ParseBoolText("2.5", '.', value));
    EXPECT_TRUE(value);
    ASSERT_TRUE(ParseBoolText("0.0", '.', value));
    EXPECT_FALSE(value);
    ASSERT_TRUE(ParseBoolText("2,5", ',', value));
    EXPECT_TRUE(value);
    ASSERT_TRUE(ParseBoolText("-0,00", ',', value));
    EXPECT_FALSE(value);
    // The other separator is not a number in that region, nor a word.
    EXPECT_FALSE(ParseBoolText("2.5", ',', value));
    EXPECT_FALSE(ParseBoolText("2,5", '.', value));
    // A trailing blank makes the text no integer, but it is still a number.
    ASSERT_TRUE(ParseBoolText("1 ", '.', value));
    EXPECT_TRUE(value);
}

TEST(ParseFloatText, ShapesAndLimits) {
    double value = -1;
    EXPECT_TRUE(ParseFloatText(" 1.5e2 ", '.', value));
    EXPECT_DOUBLE_EQ(value, 150.0);
    EXPECT_TRUE(ParseFloatText(".5", '.', value));
    EXPECT_DOUBLE_EQ(value, 0.5);
    EXPECT_TRUE(ParseFloatText("5.", '.', value));
    EXPECT_DOUBLE_EQ(value, 5.0);
    EXPECT_TRUE(ParseFloatText("1e-400", '.', value));
    EXPECT_DOUBLE_EQ(value, 0.0);
    EXPECT_TRUE(
        ParseFloatText("0.000000000000000000000000000000000000000000000000000000000000000000000000"
                       "000000000000000000000000000000000000000000000000000000000000000000000000"
                       "000000000000000000000000000000000000000000000000000000000000000000000000"
                       "000000000000000000000000000000000000000000000000000000000000000000000000"
                       "0000000000000000000000000000000000000000000000000000000000000000000001",
                       '.', value));
    EXPECT_DOUBLE_EQ(value, 0.0);
    EXPECT_TRUE(ParseFloatText("10000e-400", '.', value));
    EXPECT_DOUBLE_EQ(value, 0.0);
    for (const char* text : {"", ".", "e5", "1e", "1e+", "1.2.3", "inf", "nan", "1e400", "0x1p3",
                             "0.5e99999999999", "1000e-5e", "- 1", "1 .5"})
        EXPECT_FALSE(ParseFloatText(text, '.', value)) << '"' << text << '"';
}

TEST(HasOptionWord, SplitsAtTheSeparatorIgnoringCase) {
    EXPECT_TRUE(HasOptionWord("Hidden+ReadOnly", "+", "readonly"));
    EXPECT_TRUE(HasOptionWord("SYSTEM", "+", "System"));
    EXPECT_FALSE(HasOptionWord("Hidden+ReadOnly", "+", "Read"));
    EXPECT_FALSE(HasOptionWord("", "+", ""));
    EXPECT_FALSE(HasOptionWord("", "+", "Hidden"));
    EXPECT_TRUE(HasOptionWord("a++b", "+", ""));
    EXPECT_FALSE(HasOptionWord("Hidden + ReadOnly", "+", "ReadOnly"));
    EXPECT_TRUE(HasOptionWord(RemoveBlanks(" Hidden + Read Only "), "+", "ReadOnly"));
    EXPECT_TRUE(HasOptionWord("a<>b<>c", "<>", "C"));
}

TEST(ScriptNumbers, HandlesAreNeverNegativeAndSumsWrap) {
    EXPECT_EQ(FormatUnsigned(0), "0");
    EXPECT_EQ(FormatUnsigned(0x80000001u), "2147483649");
    EXPECT_EQ(FormatUnsigned(0xFFFFFFFFu), "4294967295");
    EXPECT_EQ(FormatSigned(INT_MIN), "-2147483648");
    // A client size near the limit plus a frame: no undefined overflow.
    EXPECT_EQ(WrappingSum(INT_MAX, 8), INT_MIN + 7);
    EXPECT_EQ(WrappingSum(INT_MIN, -1), INT_MAX);
}

TEST(Subroutines, MatchWholeLinesIgnoringCase) {
    const char* list = "Start\r\nOnMove\r\nsub two\r\n";
    EXPECT_TRUE(SubroutineListHas(list, "onmove"));
    EXPECT_TRUE(SubroutineListHas(list, "SUB TWO"));
    EXPECT_TRUE(SubroutineListHas(list, "Start"));
    EXPECT_FALSE(SubroutineListHas(list, "OnMov"));
    EXPECT_FALSE(SubroutineListHas(list, "Start\r\nOnMove"));
    EXPECT_FALSE(SubroutineListHas("A\nB", "B"));  // lines end with CR LF only
    EXPECT_EQ(GoSubLine("OnMove"), "GoSub \"OnMove\"");
}

}  // namespace
}  // namespace kv
