// Tests of the test host's script runner and its variable store.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <stdexcept>
#include <string>
#include <string_view>
#include <tuple>
#include <utility>
#include <vector>

#include "script/script_runner.h"

namespace kvhost {
namespace {

using Params = std::vector<std::string>;
using Lines = std::vector<std::string>;
using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::Not;
using ::testing::StartsWith;

// The host side: owns the runner under test and records what it asks for. Actions: Act (true),
// No (false), Inc (adds one to a variable), Mute (unknown), Broken (fault), Throw, Fire (runs
// each parameter through RunLine, as a plug-in raising events does) and `handlers`. Wait runs
// :OnTimer when the script has one, as a host pumping messages would.
class FakeEnv : public ScriptEnvironment {
public:
    ScriptRunner runner;
    VarStore vars;
    std::vector<std::pair<std::string, Params>> actions;
    std::vector<RunResult> fired;
    Lines printed;
    std::vector<int> waits;
    std::vector<int> messages;
    std::map<std::string, std::function<ActionOutcome(const Params&)>> handlers;

    VarStore& Vars() override { return vars; }

    ActionOutcome RunAction(const std::string& name, const Params& rawParams) override {
        actions.emplace_back(name, rawParams);
        if (const auto it = handlers.find(name); it != handlers.end()) {
            return it->second(rawParams);
        }
        if (name == "Inc") {
            vars.Set(rawParams.at(0), std::to_string(std::stoi("0" + vars.Get(rawParams[0])) + 1));
        } else if (name == "Fire") {
            for (const std::string& line : rawParams) {
                fired.push_back(runner.RunLine(line, *this));
            }
        } else if (name == "Throw") {
            throw std::runtime_error("boom");
        } else if (name == "Broken") {
            return ActionOutcome::Fault("bad handle");
        } else if (name == "Mute") {
            return ActionOutcome::Unknown("");
        } else if (name != "Act" && name != "No") {
            return ActionOutcome::Unknown("no action named " + name);
        }
        return ActionOutcome::Done(name != "No");
    }

    void Print(const std::string& text) override { printed.push_back(text); }

    void Wait(int milliseconds) override {
        waits.push_back(milliseconds);
        if (runner.HasSubroutine("OnTimer")) {
            runner.RunLine("GoSub \"OnTimer\"", *this);
        }
    }

    void Message(int number) override { messages.push_back(number); }
};

// Loads the script into env's runner (failing the test if it does not load) and runs it.
RunResult RunScript(std::string_view script, FakeEnv& env) {
    std::string error;
    EXPECT_TRUE(env.runner.Load(script, error)) << error;
    return env.runner.Run(env);
}

// Runs the script and checks that it passes and prints exactly the given lines.
void ExpectPrints(const char* script, const Lines& printed) {
    SCOPED_TRACE(script);
    FakeEnv env;
    const RunResult result = RunScript(script, env);
    EXPECT_TRUE(result.Passed()) << result.error;
    EXPECT_EQ(env.printed, printed);
}

// ---- VarStore and ExpandVariables ------------------------------------------------------------

TEST(VarStoreTest, NamesIgnoreAsciiCaseAndBracketsValuesKeepEveryByte) {
    VarStore vars;
    vars.Set("[HWnd]", "42");
    vars.Set("hWND", "7");
    EXPECT_EQ(vars.Get("[hwnd]"), "7");
    EXPECT_EQ(vars.Size(), 1u);
    vars.Set("[\xC0]", "");  // Cyrillic capital A in code page 1251: no ASCII letter
    EXPECT_TRUE(vars.Has("\xC0"));
    EXPECT_FALSE(vars.Has("[\xE0]"));
    EXPECT_EQ(vars.Get("[\xE0]"), "");
    const std::string raw = "\x01\xFF\"[y]\r\n end ";
    vars.Set("[v]", raw);
    EXPECT_EQ(vars.Get("v"), raw);
    vars.Clear();
    EXPECT_FALSE(vars.Has("[hwnd]"));
}

TEST(ExpandTest, ReferencesAndTextThatIsNone) {
    VarStore vars;
    vars.Set("[x]", "1");
    vars.Set("[Long Name]", "two");
    vars.Set("[ref]", "[x]");
    const std::pair<const char*, const char*> cases[] = {
        {"a[x]b[X][long name]c[unset]d", "a1b1twocd"},
        {"[ref]", "[x]"},  // values are not expanded again
        {"[", "["},
        {"]", "]"},
        {"[]", "[]"},
        {"a[x", "a[x"},
        {"[[x]", "[1"},
        {"[x]]", "1]"},
        {"[x\n]", "[x\n]"},
        {"[x\r]", "[x\r]"},
    };
    for (const auto& [text, expanded] : cases) {
        EXPECT_EQ(ExpandVariables(text, vars), expanded) << text;
    }
}

// ---- Parsing and loading ---------------------------------------------------------------------

TEST(ScriptParseTest, ParametersReachTheActionAsWritten) {
    const std::pair<const char*, Params> cases[] = {
        {"Act \"Untitled\" \"\" \"[x]\"", {"Untitled", "", "[x]"}},  // not expanded
        {"Act", {}},
        {"Act \"\"", {""}},
        {"Act \"a b  c\"", {"a b  c"}},
        {"Act \"say \"hi\" now\"", {"say \"hi\" now"}},
        {"Act \"say \"hi\" now\" \"x\"", {"say \"hi\" now", "x"}},
        {"Act \"a\"\"b\"", {"a\"\"b"}},
        {"Act \"\"\"", {"\""}},
        {"Act one \"two\" three", {"one", "two", "three"}},
        {" \t Act\t\"a\"  \t\"b\" \t ", {"a", "b"}},
    };
    for (const auto& [line, params] : cases) {
        SCOPED_TRACE(line);
        FakeEnv env;
        env.vars.Set("[x]", "value");
        const RunResult result = RunScript(line, env);
        EXPECT_TRUE(result.ok) << result.error;
        ASSERT_EQ(env.actions.size(), 1u);
        EXPECT_EQ(env.actions[0].second, params);
    }
}

TEST(ScriptParseTest, LoadErrorsNameTheLine) {
    const std::pair<const char*, const char*> cases[] = {
        {"Print \"a\"\r\n. c\r\n\r\nAct \"open", "line 4: unterminated"},
        {"Act \"abc\"def", "line 1: unterminated"},
        {"Act x\"y", "line 1: stray quote"},
        {"\n\"no command\"", "line 2: command name expected"},
        {"Print\nPrint \"a\" \"b\"", "line 1: Print takes 1"},
        {"Print \"a\"\nPrint \"a\" \"b\"", "line 2: Print takes 1"},
        {"Exit \"now\"", "line 1: Exit takes 0"},
        {"\n\nIf \"1\" \"==\" \"1\"\nEndIf", "line 3: unknown comparison"},
        {"Exit\n:", "line 2: subroutine label without a name"},
        {":Sub\nExit\n:SUB", "line 3: subroutine \"SUB\" already defined at line 1"},
        {"Act\nIf \"1\" \"=\" \"1\"\nAct", "line 2: If without EndIf"},
        {"Act\nIf \"1\" \"=\" \"1\"\n:Sub\nEndIf", "line 2: If without EndIf"},
        {"Act\nElse", "line 2: Else without If"},
        {"EndIf", "line 1: EndIf without If"},
        {"If \"1\" \"=\" \"1\"\nElse\nElse\nEndIf", "line 3: second Else"},
    };
    for (const auto& [script, error] : cases) {
        ScriptRunner runner;
        std::string message;
        EXPECT_FALSE(runner.Load(script, message)) << script;
        EXPECT_THAT(message, StartsWith(error)) << script;
    }
}

TEST(ScriptParseTest, SubroutineNamesAndFailedLoads) {
    FakeEnv env;
    EXPECT_TRUE(env.runner.Run(env).Passed());  // nothing loaded yet
    std::string error;
    ASSERT_TRUE(env.runner.Load("Act\n:Zeta\n. c\n:alpha Beta\r\n:MoveSize", error)) << error;
    EXPECT_EQ(env.runner.SubroutineNames(), (Lines{"Zeta", "alpha Beta", "MoveSize"}));
    EXPECT_TRUE(env.runner.HasSubroutine("ALPHA beta"));
    EXPECT_FALSE(env.runner.HasSubroutine("alpha"));

    EXPECT_FALSE(env.runner.Load("Act \"", error));  // and no script stays loaded
    EXPECT_TRUE(env.runner.SubroutineNames().empty());
    EXPECT_TRUE(env.runner.Run(env).Passed());
    EXPECT_TRUE(env.actions.empty());
}

// ---- Running ---------------------------------------------------------------------------------

TEST(ScriptRunTest, FlowOfControl) {
    ExpectPrints("", {});
    ExpectPrints(":OnlySub\nPrint \"x\"", {});
    ExpectPrints(
        ". c\r\n\r\n   . indented Act \"no\"\r\n\t\r\n"
        "Print \"a.b\"\r\nPrint \"c\"\nPrint \".\"",
        {"a.b", "c", "."});
    ExpectPrints("Print \"main\"\n:Sub\nPrint \"sub\"", {"main"});
    ExpectPrints("Print \"1\"\nExit\nPrint \"2\"", {"1"});
    ExpectPrints("Print \"3\"\nReturn\nPrint \"4\"", {"3"});
    ExpectPrints("No\nPrint \"false is no error\"", {"false is no error"});
    ExpectPrints(
        "setvar \"[a]\" \"1\"\nPRINT \"[A]\"\ngosub \"s\"\nexpect \"x\" \"x\"\n"
        "DELAY \"0\"\nEXIT\n:s\nRETURN",
        {"1"});
    ExpectPrints(
        "Print \"1\"\nGoSub \"A\"\nPrint \"4\"\nExit\n"
        ":A\nPrint \"2\"\nGoSub \"B\"\nReturn\nPrint \"never\"\n"
        ":B\nPrint \"3\"\n:C\nPrint \"never\"",  // the next label returns from B
        {"1", "2", "3", "4"});
    ExpectPrints("GoSub \"A\"\nPrint \"main\"\n:A\nGoSub \"B\"\n:B\nExit", {});
    ExpectPrints(
        "SetVar \"[t]\" \"onclick\"\nGoSub \"MYSUB\"\nGoSub \"[t]\"\nExit\n"
        ":MySub\nPrint \"m\"\n:  OnClick  \nPrint \"c\"",
        {"m", "c"});
    ExpectPrints(
        "If \"1\" \"=\" \"2\"\n  If \"1\" \"=\" \"1\"\nPrint \"no\"\nElse\nPrint \"no\"\n"
        "  EndIf\nElse\n  If \"a\" \"=\" \"b\"\n  Print \"no\"\n  EndIf\n"
        "  If \"a\" \"=\" \"A\"\n  Print \"else-ok\"\n  Else\n  Print \"no\"\n  EndIf\n"
        "EndIf\nIf \"x\" \"=\" \"x\"\nEndIf\nPrint \"end\"",
        {"else-ok", "end"});
    ExpectPrints(
        "GoSub \"S\"\nPrint \"back\"\nIf \"1\" \"=\" \"1\"\nExit\nEndIf\nPrint \"never\"\n"
        ":S\nIf \"1\" \"=\" \"1\"\nReturn\nEndIf\nPrint \"never\"",
        {"back"});
}

// Each pair is compared with all six operators; order is the sign of left compared with right.
TEST(ScriptRunTest, IfComparesNumbersAsNumbersAndTextWithoutCase) {
    const std::tuple<const char*, const char*, int> cases[] = {
        {"5", "6", -1},
        {"6", "6", 0},
        {"7", "6", 1},
        {"9", "10", -1},
        {"007", "7", 0},
        {"-0", "+0", 0},
        {"-5", "3", -1},
        {"-10", "-9", -1},
        {"99999999999999999999", "1", 1},
        {"-99999999999999999999", "-1", -1},
        {"ABC", "abc", 0},
        {"abc", "ABD", -1},
        {"10", "9a", -1},
        {"b", "A", 1},
        {"", "", 0},
        {"", "0", -1},
        {"\xE0", "z", 1},
    };
    std::string script;
    for (const char* op : {"=", "<>", "<", ">", "<=", ">="}) {
        script += std::string("If \"[l]\" \"") + op + "\" \"[r]\"\nPrint \"" + op + "\"\nEndIf\n";
    }
    for (const auto& [left, right, order] : cases) {
        SCOPED_TRACE(std::string(left) + " vs " + right);
        FakeEnv env;
        env.vars.Set("[l]", left);
        env.vars.Set("[r]", right);
        const RunResult result = RunScript(script, env);
        ASSERT_TRUE(result.ok) << result.error;
        EXPECT_EQ(env.printed, order < 0    ? (Lines{"<>", "<", "<="})
                               : order == 0 ? (Lines{"=", "<=", ">="})
                                            : (Lines{"<>", ">", ">="}));
    }
}

TEST(ScriptRunTest, SetVarWaitAndHostMessage) {
    FakeEnv env;
    env.vars.Set("[p]", "x");
    env.vars.Set("[b]", "[p]");
    env.vars.Set("[ms]", "250");
    const RunResult result = RunScript(
        "SetVar \"[p]\" \"new\"\nSetVar \"[A]\" \"<[b]>\"\n"
        "Wait \"10\"\nDelay \"[ms]\"\nWait \"0\"\nHostMessage \"2\"\nHostMessage \"-1\"",
        env);
    EXPECT_TRUE(result.ok) << result.error;
    EXPECT_EQ(env.vars.Get("[p]"), "new");  // the name is not expanded...
    EXPECT_FALSE(env.vars.Has("[x]"));
    EXPECT_EQ(env.vars.Get("[a]"), "<[p]>");  // ...the value is, once
    EXPECT_EQ(env.waits, (std::vector<int>{10, 250, 0}));
    EXPECT_EQ(env.messages, (std::vector<int>{2, -1}));
}

TEST(ScriptRunTest, ExpectMismatchIsRecordedAndTheRunGoesOn) {
    FakeEnv env;
    env.vars.Set("[x]", "actual");
    const RunResult result = RunScript(
        "Expect \"[x]\" \"actual\"\n\nExpect \"[x]\" \"wanted\"\nExpect \"A\" \"a\"\nPrint \"on\"",
        env);
    EXPECT_TRUE(result.ok);
    EXPECT_THAT(result.expectationFailures,
                ElementsAre("line 3: expected \"wanted\", got \"actual\"", StartsWith("line 4:")));
    EXPECT_EQ(env.printed, Lines{"on"});
}

// Rows with line 0 are given to RunLine, which reports no line; text with a syntax error runs
// none of its lines.
TEST(ScriptRunTest, ErrorsStopTheRunAtTheirLine) {
    const std::tuple<const char*, int, const char*> cases[] = {
        {"Print \"x\"\nWait \"abc\"\nPrint \"never\"", 2, "\"abc\" is not a valid number"},
        {"Print \"x\"\nWait \"-5\"\nPrint \"never\"", 2, "\"-5\""},
        {"Print \"x\"\nWait \"\"\nPrint \"never\"", 2, "Wait"},
        {"Print \"x\"\nWait \"1.5\"\nPrint \"never\"", 2, "\"1.5\""},
        {"Print \"x\"\nDelay \"99999999999\"\nPrint \"never\"", 2, "\"99999999999\""},
        {"HostMessage \"five\"\nPrint \"never\"", 1, "\"five\""},
        {"\nSetVar \"[]\" \"v\"\nPrint \"never\"", 2, "variable name"},
        {"Act\n. c\nqvNoSuch \"1\"\nPrint \"never\"", 3, "no action named qvNoSuch"},
        {"Mute\nPrint \"never\"", 1, "unknown action Mute"},
        {"Broken\nPrint \"never\"", 1, "bad handle"},
        {"Act\n\nGoSub \"s\"\nPrint \"never\"\n:s\nThrow", 6, "exception: boom"},
        {"Print \"a\"\nGoSub \"Nope\"\nPrint \"never\"\n:Sub", 2, "unknown subroutine \"Nope\""},
        {"GoSub \"Loop\"\nPrint \"never\"\n:Loop\nGoSub \"loop\"", 4, "deeper than 64"},
        {"GoSub \"Missing\"\nPrint \"never\"", 0, "unknown subroutine \"Missing\""},
        {"Print \"never\"\nSetVar \"[x]\" \"open", 0, "unterminated quoted parameter in \"SetVar"},
        {"Print \"never\"\n:Label", 0, "label cannot be run directly"},
        {"Print \"never\"\nIf \"1\" \"=\" \"1\"", 0, "If without EndIf"},
        {"Throw\nPrint \"never\"", 0, "exception: boom"},
    };
    for (const auto& [script, line, error] : cases) {
        SCOPED_TRACE(script);
        FakeEnv env;
        RunResult result;
        EXPECT_NO_THROW(result =
                            line > 0 ? RunScript(script, env) : env.runner.RunLine(script, env));
        EXPECT_FALSE(result.ok);
        EXPECT_EQ(result.errorLine, line);
        EXPECT_THAT(result.error, HasSubstr(error));
        EXPECT_THAT(env.printed, Not(Contains("never")));
        EXPECT_TRUE(env.waits.empty() && env.messages.empty());
    }
}

TEST(ScriptRunTest, GoSubDepthLimitIsSixtyFourFrames) {
    const char* script =
        "GoSub \"R\"\nExit\n:R\nInc \"[n]\"\nIf \"[n]\" \"<\" \"[limit]\"\nGoSub \"R\"\nEndIf";
    FakeEnv env;
    env.vars.Set("[limit]", "64");
    EXPECT_TRUE(RunScript(script, env).ok);
    EXPECT_EQ(env.vars.Get("[n]"), "64");

    FakeEnv deeper;
    deeper.vars.Set("[limit]", "65");
    const RunResult result = RunScript(script, deeper);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.errorLine, 6);
    EXPECT_EQ(deeper.vars.Get("[n]"), "64");
}

// ---- RunLine ---------------------------------------------------------------------------------

TEST(ScriptRunLineTest, RunsTextAgainstTheLoadedScript) {
    FakeEnv env;
    RunScript("Print \"main\"\n:OnEvent\nPrint \"event\"", env);
    for (const char* text : {"GoSub \"onevent\"", "", ". comment",
                             "SetVar \"[a]\" \"1\"\r\nIf \"[a]\" \"=\" \"1\"\r\n"
                             "Print \"[a]\"\r\nEndIf"}) {
        const RunResult result = env.runner.RunLine(text, env);
        EXPECT_TRUE(result.Passed()) << text << ": " << result.error;
    }
    EXPECT_EQ(env.printed, (Lines{"main", "event", "1"}));
}

// The plug-in calls back into the host while one of its actions runs, and events fire while
// the host pumps messages in Wait.
TEST(ScriptRunLineTest, ReentersFromActionsAndWaits) {
    ExpectPrints(
        "GoSub \"Outer\"\nExpect \"[log]\" \"a-b-c\"\nExit\n"
        ":Outer\nSetVar \"[log]\" \"a\"\nFire \"GoSub \"Middle\"\"\n"
        "SetVar \"[log]\" \"[log]-c\"\n"
        ":Middle\nFire \"GoSub \"Leaf\"\"\n"
        ":Leaf\nSetVar \"[log]\" \"[log]-b\"",
        {});
    ExpectPrints("Wait \"5\"\nWait \"5\"\nExpect \"[ticks]\" \"2\"\n:OnTimer\nInc \"[ticks]\"", {});
    ExpectPrints(
        "Fire \"GoSub \"Event\"\"\nPrint \"Exit ends only the event\"\n"
        ":Event\nExit\nPrint \"never\"",
        {"Exit ends only the event"});
}

TEST(ScriptRunLineTest, NestedFailuresReachTheEnclosingRun) {
    FakeEnv env;
    RunResult result =
        RunScript("Fire \"GoSub \"Check\"\"\nPrint \"continued\"\n:Check\nExpect \"1\" \"2\"", env);
    EXPECT_TRUE(result.ok);
    EXPECT_THAT(result.expectationFailures, ElementsAre(StartsWith("line 4:")));
    ASSERT_EQ(env.fired.size(), 1u);
    EXPECT_EQ(env.fired[0].expectationFailures, result.expectationFailures);
    EXPECT_EQ(env.printed, Lines{"continued"});

    // An error stops the enclosing Run or RunLine, and the first one is kept.
    for (const bool direct : {false, true}) {
        env.fired.clear();
        env.printed.clear();
        const char* text = "Print \"a\"\nFire \"GoSub \"Nope\"\" \"GoSub \"Other\"\"\nPrint \"b\"";
        result = direct ? env.runner.RunLine(text, env) : RunScript(text, env);
        ASSERT_EQ(env.fired.size(), 2u);
        EXPECT_FALSE(env.fired[0].ok || env.fired[1].ok);
        EXPECT_FALSE(result.ok);
        EXPECT_THAT(result.error, HasSubstr("Nope")) << "direct: " << direct;
        EXPECT_EQ(env.printed, Lines{"a"});
    }
}

TEST(ScriptRunLineTest, ReentryAndGoSubShareTheDepthLimit) {
    FakeEnv env;
    int calls = 0;
    env.handlers["Again"] = [&](const Params&) {
        ++calls;
        env.runner.RunLine("Again", env);
        return ActionOutcome::Done(true);
    };
    EXPECT_FALSE(RunScript("Print \"a\"\nAgain\nPrint \"b\"", env).ok);
    EXPECT_EQ(env.printed, Lines{"a"});
    EXPECT_EQ(calls, ScriptRunner::kMaxDepth + 1);  // from Run, then from 64 nested RunLines

    // 62 frames of R, then Fire's RunLine (63) and Leaf (64) fit; one more frame does not.
    const char* script =
        "GoSub \"R\"\nExit\n:R\nInc \"[n]\"\nIf \"[n]\" \"<\" \"[limit]\"\nGoSub \"R\"\n"
        "Else\nFire \"GoSub \"Leaf\"\"\nEndIf\n:Leaf\nSetVar \"[leaf]\" \"reached\"";
    env.vars.Set("[limit]", "62");
    const RunResult result = RunScript(script, env);
    EXPECT_TRUE(result.ok) << result.error;
    EXPECT_EQ(env.vars.Get("[leaf]"), "reached");

    env.vars.Clear();
    env.vars.Set("[limit]", "63");
    EXPECT_FALSE(env.runner.Run(env).ok);
    EXPECT_FALSE(env.vars.Has("[leaf]"));
}

TEST(ScriptRunLineTest, LoadAndRunAreRefusedWhileRunning) {
    FakeEnv env;
    std::vector<bool> refused;
    env.handlers["Reload"] = [&](const Params&) {
        std::string error;
        refused.push_back(!env.runner.Load("Print \"replaced\"", error));
        refused.push_back(!env.runner.Run(env).ok);
        return ActionOutcome::Done(true);
    };
    RunResult result = RunScript("Reload\nGoSub \"Sub\"\n:Sub\nPrint \"kept\"", env);
    EXPECT_TRUE(result.ok) << result.error;
    result = env.runner.RunLine("Reload\nGoSub \"Sub\"", env);  // and while RunLine runs
    EXPECT_TRUE(result.ok) << result.error;
    EXPECT_EQ(refused, std::vector<bool>(4, true));
    EXPECT_EQ(env.printed, (Lines{"kept", "kept"}));
}

}  // namespace
}  // namespace kvhost
