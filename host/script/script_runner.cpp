#include "script_runner.h"

#include <charconv>
#include <exception>
#include <limits>
#include <utility>

#include "script_parser.h"

namespace kvhost {

namespace detail {

struct ExecContext {
    ScriptEnvironment& env;
    RunResult& result;
    int line = 0;  // line of the statement being executed
};

}  // namespace detail

namespace {

using detail::ExecContext;
using detail::Quoted;
using detail::Statement;
using detail::StatementKind;
using detail::Trim;
constexpr std::size_t npos = std::string_view::npos;

// ---- execution helpers ---------------------------------------------------------------------

bool Fail(ExecContext& ctx, std::string message) {
    if (ctx.result.ok) {
        ctx.result.ok = false;
        ctx.result.error = std::move(message);
        ctx.result.errorLine = ctx.line;
    }
    return false;
}

std::string LineLabel(int line) {
    return line > 0 ? "line " + std::to_string(line) : "direct line";
}

std::string Expand(const ExecContext& ctx, const std::string& text) {
    return ExpandVariables(text, ctx.env.Vars());
}

bool ParseInt(std::string_view text, int& value) {
    text = Trim(text);
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
    }
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    return !text.empty() && ec == std::errc() && ptr == end;
}

bool ParseIntParam(ExecContext& ctx, const Statement& st, int minimum, int& value) {
    const std::string text = Expand(ctx, st.params[0]);
    if (!ParseInt(text, value) || value < minimum) {
        return Fail(ctx, st.word + ": " + Quoted(text) + " is not a valid number");
    }
    return true;
}

// ---- comparison ----------------------------------------------------------------------------

bool IsInteger(std::string_view s) {
    if (!s.empty() && (s.front() == '-' || s.front() == '+')) {
        s.remove_prefix(1);
    }
    return !s.empty() && s.find_first_not_of("0123456789") == npos;
}

// Compares two decimal integers of any length; returns <0, 0 or >0.
int CompareIntegers(std::string_view a, std::string_view b) {
    const auto split = [](std::string_view s) {
        const bool negative = s.front() == '-';
        if (s.front() == '-' || s.front() == '+') {
            s.remove_prefix(1);
        }
        const std::size_t first = s.find_first_not_of('0');
        s = (first == npos) ? std::string_view() : s.substr(first);
        return std::pair{negative && !s.empty(), s};
    };
    const auto [negA, magA] = split(a);
    const auto [negB, magB] = split(b);
    if (negA != negB) {
        return negA ? -1 : 1;
    }
    int order =
        (magA.size() != magB.size()) ? (magA.size() < magB.size() ? -1 : 1) : magA.compare(magB);
    order = (order > 0) - (order < 0);
    return negA ? -order : order;
}

int CompareValues(std::string_view a, std::string_view b) {
    if (IsInteger(a) && IsInteger(b)) {
        return CompareIntegers(a, b);
    }
    const int order = LowerAscii(a).compare(LowerAscii(b));
    return (order > 0) - (order < 0);
}

bool Holds(int order, std::string_view op) {
    if (op == "=") {
        return order == 0;
    }
    if (op == "<>") {
        return order != 0;
    }
    if (op == ">") {
        return order > 0;
    }
    if (op == "<") {
        return order < 0;
    }
    return op == ">=" ? order >= 0 : order <= 0;
}

// ---- built-in commands ---------------------------------------------------------------------

bool DoSetVar(ExecContext& ctx, const Statement& st) {
    if (VarStore::Key(st.params[0]).empty()) {
        return Fail(ctx, "SetVar needs a variable name");
    }
    ctx.env.Vars().Set(st.params[0], Expand(ctx, st.params[1]));
    return true;
}

bool DoWait(ExecContext& ctx, const Statement& st) {
    int ms = 0;
    if (!ParseIntParam(ctx, st, 0, ms)) {
        return false;
    }
    ctx.env.Wait(ms);
    return true;
}

bool DoHostMessage(ExecContext& ctx, const Statement& st) {
    int number = 0;
    if (!ParseIntParam(ctx, st, std::numeric_limits<int>::min(), number)) {
        return false;
    }
    ctx.env.Message(number);
    return true;
}

void DoExpect(ExecContext& ctx, const Statement& st) {
    const std::string actual = Expand(ctx, st.params[0]);
    const std::string expected = Expand(ctx, st.params[1]);
    if (actual != expected) {
        ctx.result.expectationFailures.push_back(LineLabel(st.line) + ": expected " +
                                                 Quoted(expected) + ", got " + Quoted(actual));
    }
}

bool Evaluate(const ExecContext& ctx, const Statement& st) {
    const int order = CompareValues(Expand(ctx, st.params[0]), Expand(ctx, st.params[2]));
    return Holds(order, st.params[1]);
}

bool DoAction(ExecContext& ctx, const Statement& st) {
    ActionOutcome outcome = ctx.env.RunAction(st.word, st.params);
    if (!outcome.known && outcome.error.empty()) {
        return Fail(ctx, "unknown action " + st.word);
    }
    return outcome.error.empty() || Fail(ctx, std::move(outcome.error));
}

// Records in the enclosing run what a nested RunLine found; the first error wins.
void MergeInto(RunResult& outer, const RunResult& inner) noexcept {
    try {
        outer.expectationFailures.insert(outer.expectationFailures.end(),
                                         inner.expectationFailures.begin(),
                                         inner.expectationFailures.end());
        if (outer.ok && !inner.ok) {
            outer.error = inner.error;
            outer.errorLine = inner.errorLine;
        }
    } catch (...) {
        // Out of memory: the details stay in the inner result, which its caller still gets.
    }
    outer.ok = outer.ok && inner.ok;
}

// ---- guards --------------------------------------------------------------------------------

class DepthGuard {
public:
    DepthGuard(int& depth, bool counts) : depth_(depth), counts_(counts) {
        depth_ += counts_ ? 1 : 0;
    }
    ~DepthGuard() { depth_ -= counts_ ? 1 : 0; }
    DepthGuard(const DepthGuard&) = delete;
    DepthGuard& operator=(const DepthGuard&) = delete;

private:
    int& depth_;
    bool counts_;
};

class ActiveGuard {
public:
    ActiveGuard(std::vector<RunResult*>& active, RunResult* result) : active_(active) {
        active_.push_back(result);
    }
    ~ActiveGuard() { active_.pop_back(); }
    ActiveGuard(const ActiveGuard&) = delete;
    ActiveGuard& operator=(const ActiveGuard&) = delete;

private:
    std::vector<RunResult*>& active_;
};

// Runs body and turns any exception it throws into an error of the run.
template <typename Body>
void Protect(ExecContext& ctx, Body&& body) noexcept {
    try {
        body();
    } catch (const std::exception& e) {
        Fail(ctx, std::string("exception: ") + e.what());
    } catch (...) {
        Fail(ctx, "unknown exception");
    }
}

}  // namespace

// ---- ScriptRunner --------------------------------------------------------------------------

bool ScriptRunner::Load(std::string_view text, std::string& error) {
    if (!active_.empty()) {
        error = "cannot load a script while one is running";
        return false;
    }
    statements_.clear();
    labels_.clear();
    Block block;
    detail::LabelIndex labels;
    detail::ParseError err;
    if (!detail::ParseScript(text, block, labels, err)) {
        error = "line " + std::to_string(err.line) + ": " + err.message;
        return false;
    }
    statements_ = std::move(block);
    labels_ = std::move(labels);
    return true;
}

RunResult ScriptRunner::Run(ScriptEnvironment& env) {
    RunResult result;
    ExecContext ctx{env, result};
    Protect(ctx, [&] {
        if (!active_.empty()) {
            Fail(ctx, "Run called while a script is running");
            return;
        }
        ActiveGuard active(active_, &result);
        RunBlock(statements_, 0, ctx);
    });
    return result;
}

RunResult ScriptRunner::RunLine(std::string_view text, ScriptEnvironment& env) {
    RunResult result;
    ExecContext ctx{env, result};
    Protect(ctx, [&] {
        const bool nested = !active_.empty();
        if (nested && depth_ >= kMaxDepth) {
            Fail(ctx, "nesting deeper than " + std::to_string(kMaxDepth) + " levels");
        } else {
            DepthGuard depth(depth_, nested);
            ActiveGuard active(active_, &result);
            RunText(text, ctx);
        }
    });
    if (!active_.empty()) {
        MergeInto(*active_.back(), result);
    }
    return result;
}

void ScriptRunner::RunText(std::string_view text, ExecContext& ctx) {
    Block block;
    detail::ParseError err;
    if (!detail::ParseDirect(text, block, err)) {
        const std::string where = err.text.empty() ? "" : " in " + Quoted(err.text);
        Fail(ctx, err.message + where);
        return;
    }
    RunBlock(block, 0, ctx);
}

ScriptRunner::Flow ScriptRunner::RunBlock(const Block& block, std::size_t pc, ExecContext& ctx) {
    while (pc < block.size()) {
        const Statement& st = block[pc];
        if (st.kind == StatementKind::Label) {
            return Flow::Return;  // falling into the next subroutine ends this one
        }
        ctx.line = st.line;
        std::size_t next = pc + 1;
        const Flow flow = Execute(st, next, ctx);
        if (!ctx.result.ok) {
            return Flow::Error;
        }
        if (flow != Flow::Next) {
            return flow;
        }
        pc = next;
    }
    return Flow::Return;
}

ScriptRunner::Flow ScriptRunner::Execute(const Statement& st, std::size_t& next, ExecContext& ctx) {
    bool ok = true;
    switch (st.kind) {
    case StatementKind::GoSub:
        return CallSubroutine(Expand(ctx, st.params[0]), ctx);
    case StatementKind::Return:
        return Flow::Return;
    case StatementKind::Exit:
        return Flow::Exit;
    case StatementKind::If:
        next = Evaluate(ctx, st) ? next : st.jump + 1;
        break;
    case StatementKind::Else:
        next = st.jump + 1;
        break;
    case StatementKind::EndIf:
    case StatementKind::Label:
        break;
    case StatementKind::SetVar:
        ok = DoSetVar(ctx, st);
        break;
    case StatementKind::Print:
        ctx.env.Print(Expand(ctx, st.params[0]));
        break;
    case StatementKind::Wait:
        ok = DoWait(ctx, st);
        break;
    case StatementKind::HostMessage:
        ok = DoHostMessage(ctx, st);
        break;
    case StatementKind::Expect:
        DoExpect(ctx, st);
        break;
    case StatementKind::Action:
        ok = DoAction(ctx, st);
        break;
    }
    return ok ? Flow::Next : Flow::Error;
}

ScriptRunner::Flow ScriptRunner::CallSubroutine(const std::string& name, ExecContext& ctx) {
    const auto it = labels_.find(LowerAscii(name));
    if (it == labels_.end()) {
        Fail(ctx, "unknown subroutine " + Quoted(name));
        return Flow::Error;
    }
    if (depth_ >= kMaxDepth) {
        Fail(ctx, "GoSub nesting deeper than " + std::to_string(kMaxDepth) + " levels");
        return Flow::Error;
    }
    DepthGuard depth(depth_, true);
    const Flow flow = RunBlock(statements_, it->second + 1, ctx);
    return flow == Flow::Return ? Flow::Next : flow;
}

std::vector<std::string> ScriptRunner::SubroutineNames() const {
    std::vector<std::string> names;
    for (const Statement& st : statements_) {
        if (st.kind == StatementKind::Label) {
            names.push_back(st.word);
        }
    }
    return names;
}

bool ScriptRunner::HasSubroutine(std::string_view name) const {
    return labels_.find(LowerAscii(name)) != labels_.end();
}

}  // namespace kvhost
