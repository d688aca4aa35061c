// A small runner for NeoBook-style action scripts, used by the test host to drive the plug-in.
//
// A script has one command per line: a word followed by its parameters, each normally in double
// quotes, e.g. qvFindWindow "Untitled" "" "[hwnd]". Lines starting with "." are comments and
// ":Name" starts a subroutine. The runner handles the flow-control commands itself (SetVar,
// GoSub, Return, Exit, If/Else/EndIf, Print, Wait/Delay, HostMessage, Expect) and hands every
// other command to its ScriptEnvironment as an action.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "var_store.h"

namespace kvhost {

// What the environment reports back for an action line.
struct ActionOutcome {
    bool known = false;   // false: there is no such action; the run stops with an error
    bool result = false;  // the action's own Boolean; false is a normal answer, not an error
    std::string error;    // not empty: the run stops with this text as its error message

    static ActionOutcome Done(bool actionResult) { return {true, actionResult, {}}; }
    static ActionOutcome Unknown(std::string why) { return {false, false, std::move(why)}; }
    static ActionOutcome Fault(std::string why) { return {true, false, std::move(why)}; }
};

struct RunResult {
    bool ok = true;
    std::string error;
    int errorLine = 0;  // 1-based line of the loaded script; 0 for text given to RunLine
    std::vector<std::string> expectationFailures;  // "line N: expected "b", got "a""

    bool Passed() const { return ok && expectationFailures.empty(); }
};

class ScriptEnvironment {
public:
    virtual ~ScriptEnvironment() = default;
    virtual VarStore& Vars() = 0;
    // rawParams are the parameter texts as written; the environment expands the ones that are
    // not variable names (see ExpandVariables).
    virtual ActionOutcome RunAction(const std::string& name,
                                    const std::vector<std::string>& rawParams) = 0;
    virtual void Print(const std::string& text) = 0;
    virtual void Wait(int milliseconds) = 0;
    virtual void Message(int number) = 0;
};

namespace detail {

enum class StatementKind {
    Action,
    Label,
    SetVar,
    GoSub,
    Return,
    Exit,
    Print,
    Wait,
    HostMessage,
    If,
    Else,
    EndIf,
    Expect
};

struct Statement {
    int line = 0;  // 1-based line in the loaded script; 0 for text given to RunLine
    StatementKind kind = StatementKind::Action;
    std::string word;  // the command word as written, or the label name
    std::vector<std::string> params;
    std::size_t jump = 0;  // If: index of its Else or EndIf; Else: index of its EndIf
};

struct ExecContext;

}  // namespace detail

class ScriptRunner {
public:
    static constexpr int kMaxDepth = 64;  // GoSub frames plus nested RunLine calls

    // Replaces the loaded script. On failure no script stays loaded and error reads
    // "line N: reason". Refused while the script is running.
    bool Load(std::string_view text, std::string& error);

    // Runs the main body: from the first line to the first label, Exit, Return or the end.
    RunResult Run(ScriptEnvironment& env);

    // Runs a script text (normally one line such as GoSub "Name") against the loaded script.
    // May be called from inside the environment while Run or another RunLine is active; errors
    // and expectation failures are then also recorded in the enclosing run, which stops on error.
    RunResult RunLine(std::string_view text, ScriptEnvironment& env);

    // Label names in file order, spelled as in the script.
    std::vector<std::string> SubroutineNames() const;
    bool HasSubroutine(std::string_view name) const;

private:
    enum class Flow { Next, Return, Exit, Error };
    using Block = std::vector<detail::Statement>;

    void RunText(std::string_view text, detail::ExecContext& ctx);
    Flow RunBlock(const Block& block, std::size_t pc, detail::ExecContext& ctx);
    Flow Execute(const detail::Statement& st, std::size_t& next, detail::ExecContext& ctx);
    Flow CallSubroutine(const std::string& name, detail::ExecContext& ctx);

    Block statements_;
    std::unordered_map<std::string, std::size_t> labels_;  // lower-case name -> label index
    std::vector<RunResult*> active_;                       // results of the runs in progress
    int depth_ = 0;
};

}  // namespace kvhost
