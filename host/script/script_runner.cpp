#include "script_runner.h"

#include <array>
#include <charconv>
#include <exception>
#include <limits>

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
using detail::Statement;
using detail::StatementKind;
using Block = std::vector<Statement>;
constexpr std::size_t npos = std::string_view::npos;

// ---- text helpers --------------------------------------------------------------------------

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

char LowerAscii(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string LowerAscii(std::string_view text)
{
    std::string out(text);
    for (char& c : out) {
        c = LowerAscii(c);
    }
    return out;
}

bool EqualsNoCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (LowerAscii(a[i]) != LowerAscii(b[i])) {
            return false;
        }
    }
    return true;
}

std::size_t SkipBlanks(std::string_view s, std::size_t pos)
{
    while (pos < s.size() && IsBlank(s[pos])) {
        ++pos;
    }
    return pos;
}

std::size_t WordEnd(std::string_view s, std::size_t pos)
{
    while (pos < s.size() && !IsBlank(s[pos])) {
        ++pos;
    }
    return pos;
}

std::string_view Trim(std::string_view s)
{
    const std::size_t first = SkipBlanks(s, 0);
    std::size_t last = s.size();
    while (last > first && IsBlank(s[last - 1])) {
        --last;
    }
    return s.substr(first, last - first);
}

std::string Quoted(std::string_view text)
{
    return "\"" + std::string(text) + "\"";
}

// ---- parameters ----------------------------------------------------------------------------

// A quote closes a parameter when it is followed by the end of the line, or by blanks and then
// the end of the line, another quoted parameter or a bare word. Any other quote belongs to the
// text, so "say "hi" now" is the single parameter: say "hi" now.
bool ClosesParameter(std::string_view s, std::size_t quote)
{
    std::size_t next = quote + 1;
    if (next == s.size()) {
        return true;
    }
    if (!IsBlank(s[next])) {
        return false;
    }
    next = SkipBlanks(s, next);
    if (next == s.size() || s[next] == '"') {
        return true;
    }
    return s.substr(next, WordEnd(s, next) - next).find('"') == npos;
}

std::size_t FindClosingQuote(std::string_view s, std::size_t open)
{
    for (std::size_t q = s.find('"', open + 1); q != npos; q = s.find('"', q + 1)) {
        if (ClosesParameter(s, q)) {
            return q;
        }
    }
    return npos;
}

bool SplitParams(std::string_view s, std::vector<std::string>& out, std::string& error)
{
    for (std::size_t pos = SkipBlanks(s, 0); pos < s.size(); pos = SkipBlanks(s, pos)) {
        if (s[pos] == '"') {
            const std::size_t close = FindClosingQuote(s, pos);
            if (close == npos) {
                error = "unterminated quoted parameter";
                return false;
            }
            out.emplace_back(s.substr(pos + 1, close - pos - 1));
            pos = close + 1;
            continue;
        }
        const std::size_t end = WordEnd(s, pos);
        const std::string_view word = s.substr(pos, end - pos);
        if (word.find('"') != npos) {
            error = "stray quote in unquoted parameter " + std::string(word);
            return false;
        }
        out.emplace_back(word);
        pos = end;
    }
    return true;
}

// ---- lines ---------------------------------------------------------------------------------

struct BuiltinInfo {
    std::string_view name;
    StatementKind kind;
    std::size_t paramCount;
};

constexpr std::array<BuiltinInfo, 12> kBuiltins{{
    {"SetVar", StatementKind::SetVar, 2},
    {"GoSub", StatementKind::GoSub, 1},
    {"Return", StatementKind::Return, 0},
    {"Exit", StatementKind::Exit, 0},
    {"Print", StatementKind::Print, 1},
    {"Wait", StatementKind::Wait, 1},
    {"Delay", StatementKind::Wait, 1},
    {"HostMessage", StatementKind::HostMessage, 1},
    {"If", StatementKind::If, 3},
    {"Else", StatementKind::Else, 0},
    {"EndIf", StatementKind::EndIf, 0},
    {"Expect", StatementKind::Expect, 2},
}};

const BuiltinInfo* FindBuiltin(std::string_view word)
{
    for (const BuiltinInfo& info : kBuiltins) {
        if (EqualsNoCase(info.name, word)) {
            return &info;
        }
    }
    return nullptr;
}

bool IsComparison(std::string_view op)
{
    return op == "=" || op == "<>" || op == ">" || op == "<" || op == ">=" || op == "<=";
}

bool CheckBuiltin(const BuiltinInfo& info, const Statement& st, std::string& error)
{
    if (st.params.size() != info.paramCount) {
        error = std::string(info.name) + " takes " + std::to_string(info.paramCount) +
                " parameter(s), found " + std::to_string(st.params.size());
        return false;
    }
    if (info.kind == StatementKind::If && !IsComparison(st.params[1])) {
        error = "unknown comparison " + Quoted(st.params[1]);
        return false;
    }
    return true;
}

bool ParseCommand(std::string_view line, Statement& st, std::string& error)
{
    const std::size_t end = WordEnd(line, 0);
    st.word = std::string(line.substr(0, end));
    if (st.word.find('"') != npos) {
        error = "command name expected before the quoted text";
        return false;
    }
    if (!SplitParams(line.substr(end), st.params, error)) {
        return false;
    }
    const BuiltinInfo* info = FindBuiltin(st.word);
    if (info == nullptr) {
        st.kind = StatementKind::Action;
        return true;
    }
    st.kind = info->kind;
    return CheckBuiltin(*info, st, error);
}

enum class LineType { Skip, Statement, Error };

LineType ParseLine(std::string_view raw, Statement& st, std::string& error)
{
    const std::string_view line = Trim(raw);
    if (line.empty() || line.front() == '.') {
        return LineType::Skip;
    }
    if (line.front() == ':') {
        st.kind = StatementKind::Label;
        st.word = std::string(Trim(line.substr(1)));
        if (st.word.empty()) {
            error = "subroutine label without a name";
            return LineType::Error;
        }
        return LineType::Statement;
    }
    return ParseCommand(line, st, error) ? LineType::Statement : LineType::Error;
}

// ---- whole texts ---------------------------------------------------------------------------

struct ParseError {
    int line = 0;
    std::string message;
    std::string text;  // the offending line as written
};

bool Failed(ParseError& err, int line, std::string message)
{
    err.line = line;
    err.message = std::move(message);
    return false;
}

bool ParseText(std::string_view text, bool numbered, Block& out, ParseError& err)
{
    int number = 0;
    for (std::size_t pos = 0; pos <= text.size();) {
        std::size_t eol = text.find('\n', pos);
        eol = (eol == npos) ? text.size() : eol;
        std::string_view raw = text.substr(pos, eol - pos);
        if (!raw.empty() && raw.back() == '\r') {
            raw.remove_suffix(1);
        }
        pos = eol + 1;
        ++number;
        Statement st;
        st.line = numbered ? number : 0;
        std::string error;
        const LineType type = ParseLine(raw, st, error);
        if (type == LineType::Error) {
            err.text = std::string(Trim(raw));
            return Failed(err, number, std::move(error));
        }
        if (type == LineType::Statement) {
            out.push_back(std::move(st));
        }
    }
    return true;
}

// Matches If, Else and EndIf within each subroutine and records where each one jumps to.
bool LinkBlocks(Block& block, ParseError& err)
{
    struct OpenIf {
        std::size_t ifAt;
        std::size_t elseAt;
    };
    std::vector<OpenIf> open;
    for (std::size_t i = 0; i < block.size(); ++i) {
        Statement& st = block[i];
        if (st.kind == StatementKind::Label && !open.empty()) {
            return Failed(err, block[open.back().ifAt].line, "If without EndIf");
        }
        if (st.kind == StatementKind::If) {
            open.push_back({i, npos});
        } else if (st.kind == StatementKind::Else) {
            if (open.empty() || open.back().elseAt != npos) {
                return Failed(err, st.line, open.empty() ? "Else without If" : "second Else");
            }
            block[open.back().ifAt].jump = i;
            open.back().elseAt = i;
        } else if (st.kind == StatementKind::EndIf) {
            if (open.empty()) {
                return Failed(err, st.line, "EndIf without If");
            }
            const OpenIf done = open.back();
            open.pop_back();
            block[done.elseAt != npos ? done.elseAt : done.ifAt].jump = i;
        }
    }
    return open.empty() || Failed(err, block[open.back().ifAt].line, "If without EndIf");
}

bool IndexLabels(const Block& block, std::unordered_map<std::string, std::size_t>& labels,
                 ParseError& err)
{
    for (std::size_t i = 0; i < block.size(); ++i) {
        if (block[i].kind != StatementKind::Label) {
            continue;
        }
        const auto [it, added] = labels.emplace(LowerAscii(block[i].word), i);
        if (!added) {
            return Failed(err, block[i].line,
                          "subroutine " + Quoted(block[i].word) + " already defined at line " +
                              std::to_string(block[it->second].line));
        }
    }
    return true;
}

bool RejectLabels(const Block& block, ParseError& err)
{
    for (const Statement& st : block) {
        if (st.kind == StatementKind::Label) {
            return Failed(err, 0, "a subroutine label cannot be run directly");
        }
    }
    return true;
}

// ---- execution helpers ---------------------------------------------------------------------

bool Fail(ExecContext& ctx, std::string message)
{
    if (ctx.result.ok) {
        ctx.result.ok = false;
        ctx.result.error = std::move(message);
        ctx.result.errorLine = ctx.line;
    }
    return false;
}

std::string LineLabel(int line)
{
    return line > 0 ? "line " + std::to_string(line) : "direct line";
}

std::string Expand(const ExecContext& ctx, const std::string& text)
{
    return ExpandVariables(text, ctx.env.Vars());
}

bool ParseInt(std::string_view text, int& value)
{
    text = Trim(text);
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
    }
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    return !text.empty() && ec == std::errc() && ptr == end;
}

bool ParseIntParam(ExecContext& ctx, const Statement& st, int minimum, int& value)
{
    const std::string text = Expand(ctx, st.params[0]);
    if (!ParseInt(text, value) || value < minimum) {
        return Fail(ctx, st.word + ": " + Quoted(text) + " is not a valid number");
    }
    return true;
}

// ---- comparison ----------------------------------------------------------------------------

bool IsInteger(std::string_view s)
{
    if (!s.empty() && (s.front() == '-' || s.front() == '+')) {
        s.remove_prefix(1);
    }
    return !s.empty() && s.find_first_not_of("0123456789") == npos;
}

// Compares two decimal integers of any length; returns <0, 0 or >0.
int CompareIntegers(std::string_view a, std::string_view b)
{
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
    int order = (magA.size() != magB.size()) ? (magA.size() < magB.size() ? -1 : 1)
                                              : magA.compare(magB);
    order = (order > 0) - (order < 0);
    return negA ? -order : order;
}

int CompareValues(std::string_view a, std::string_view b)
{
    if (IsInteger(a) && IsInteger(b)) {
        return CompareIntegers(a, b);
    }
    const int order = LowerAscii(a).compare(LowerAscii(b));
    return (order > 0) - (order < 0);
}

bool Holds(int order, std::string_view op)
{
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

bool DoSetVar(ExecContext& ctx, const Statement& st)
{
    if (VarStore::Key(st.params[0]).empty()) {
        return Fail(ctx, "SetVar needs a variable name");
    }
    ctx.env.Vars().Set(st.params[0], Expand(ctx, st.params[1]));
    return true;
}

bool DoWait(ExecContext& ctx, const Statement& st)
{
    int ms = 0;
    if (!ParseIntParam(ctx, st, 0, ms)) {
        return false;
    }
    ctx.env.Wait(ms);
    return true;
}

bool DoHostMessage(ExecContext& ctx, const Statement& st)
{
    int number = 0;
    if (!ParseIntParam(ctx, st, std::numeric_limits<int>::min(), number)) {
        return false;
    }
    ctx.env.Message(number);
    return true;
}

void DoExpect(ExecContext& ctx, const Statement& st)
{
    const std::string actual = Expand(ctx, st.params[0]);
    const std::string expected = Expand(ctx, st.params[1]);
    if (actual != expected) {
        ctx.result.expectationFailures.push_back(LineLabel(st.line) + ": expected " +
                                                 Quoted(expected) + ", got " + Quoted(actual));
    }
}

bool Evaluate(const ExecContext& ctx, const Statement& st)
{
    const int order = CompareValues(Expand(ctx, st.params[0]), Expand(ctx, st.params[2]));
    return Holds(order, st.params[1]);
}

bool DoAction(ExecContext& ctx, const Statement& st)
{
    const ActionOutcome outcome = ctx.env.RunAction(st.word, st.params);
    if (!outcome.known) {
        std::string why = outcome.error.empty() ? std::string() : ": " + outcome.error;
        return Fail(ctx, "unknown action " + st.word + why);
    }
    return outcome.error.empty() || Fail(ctx, st.word + ": " + outcome.error);
}

void AppendFailures(RunResult& outer, const RunResult& inner)
{
    outer.expectationFailures.insert(outer.expectationFailures.end(),
                                     inner.expectationFailures.begin(),
                                     inner.expectationFailures.end());
}

// Records in the enclosing run what a nested RunLine found; the first error wins.
void MergeInto(RunResult& outer, const RunResult& inner) noexcept
{
    try {
        AppendFailures(outer, inner);
    } catch (...) {
        // Out of memory: the failures stay in the inner result, which the caller still gets.
    }
    if (outer.ok && !inner.ok) {
        outer.ok = false;
        outer.error.swap(const_cast<std::string&>(inner.error));
        outer.errorLine = inner.errorLine;
    }
}

// ---- guards --------------------------------------------------------------------------------

class DepthGuard {
public:
    DepthGuard(int& depth, bool counts) : depth_(depth), counts_(counts)
    {
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
    ActiveGuard(std::vector<RunResult*>& active, RunResult* result) : active_(active)
    {
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
void Protect(ExecContext& ctx, Body&& body) noexcept
{
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

bool ScriptRunner::Load(std::string_view text, std::string& error)
{
    if (!active_.empty()) {
        error = "cannot load a script while one is running";
        return false;
    }
    statements_.clear();
    labels_.clear();
    Block block;
    std::unordered_map<std::string, std::size_t> labels;
    ParseError err;
    if (!ParseText(text, true, block, err) || !LinkBlocks(block, err) ||
        !IndexLabels(block, labels, err)) {
        error = "line " + std::to_string(err.line) + ": " + err.message;
        return false;
    }
    statements_ = std::move(block);
    labels_ = std::move(labels);
    return true;
}

RunResult ScriptRunner::Run(ScriptEnvironment& env)
{
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

RunResult ScriptRunner::RunLine(std::string_view text, ScriptEnvironment& env)
{
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

void ScriptRunner::RunText(std::string_view text, ExecContext& ctx)
{
    Block block;
    ParseError err;
    if (!ParseText(text, false, block, err) || !LinkBlocks(block, err) ||
        !RejectLabels(block, err)) {
        const std::string where = err.text.empty() ? "" : " in " + Quoted(err.text);
        Fail(ctx, err.message + where);
        return;
    }
    RunBlock(block, 0, ctx);
}

ScriptRunner::Flow ScriptRunner::RunBlock(const Block& block, std::size_t pc, ExecContext& ctx)
{
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

ScriptRunner::Flow ScriptRunner::Execute(const Statement& st, std::size_t& next,
                                         ExecContext& ctx)
{
    bool ok = true;
    switch (st.kind) {
    case StatementKind::GoSub: return CallSubroutine(Expand(ctx, st.params[0]), ctx);
    case StatementKind::Return: return Flow::Return;
    case StatementKind::Exit: return Flow::Exit;
    case StatementKind::If: next = Evaluate(ctx, st) ? next : st.jump + 1; break;
    case StatementKind::Else: next = st.jump + 1; break;
    case StatementKind::EndIf:
    case StatementKind::Label: break;
    case StatementKind::SetVar: ok = DoSetVar(ctx, st); break;
    case StatementKind::Print: ctx.env.Print(Expand(ctx, st.params[0])); break;
    case StatementKind::Wait: ok = DoWait(ctx, st); break;
    case StatementKind::HostMessage: ok = DoHostMessage(ctx, st); break;
    case StatementKind::Expect: DoExpect(ctx, st); break;
    case StatementKind::Action: ok = DoAction(ctx, st); break;
    }
    return ok ? Flow::Next : Flow::Error;
}

ScriptRunner::Flow ScriptRunner::CallSubroutine(const std::string& name, ExecContext& ctx)
{
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

std::vector<std::string> ScriptRunner::SubroutineNames() const
{
    std::vector<std::string> names;
    for (const Statement& st : statements_) {
        if (st.kind == StatementKind::Label) {
            names.push_back(st.word);
        }
    }
    return names;
}

bool ScriptRunner::HasSubroutine(std::string_view name) const
{
    return labels_.find(LowerAscii(name)) != labels_.end();
}

}  // namespace kvhost
