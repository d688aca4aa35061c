#include "script_parser.h"

#include <array>
#include <utility>

namespace kvhost::detail {

namespace {

constexpr std::size_t npos = std::string_view::npos;

// ---- text helpers --------------------------------------------------------------------------

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

bool EqualsNoCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && LowerAscii(a) == LowerAscii(b);
}

std::size_t SkipBlanks(std::string_view s, std::size_t pos) {
    while (pos < s.size() && IsBlank(s[pos])) {
        ++pos;
    }
    return pos;
}

std::size_t WordEnd(std::string_view s, std::size_t pos) {
    while (pos < s.size() && !IsBlank(s[pos])) {
        ++pos;
    }
    return pos;
}

}  // namespace

std::string_view Trim(std::string_view s) {
    const std::size_t first = SkipBlanks(s, 0);
    std::size_t last = s.size();
    while (last > first && IsBlank(s[last - 1])) {
        --last;
    }
    return s.substr(first, last - first);
}

std::string Quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

namespace {

// ---- parameters ----------------------------------------------------------------------------

// A quote closes a parameter when it is followed by the end of the line, or by blanks and then
// the end of the line, another quoted parameter or a bare word. Any other quote belongs to the
// text, so "say "hi" now" is the single parameter: say "hi" now.
bool ClosesParameter(std::string_view s, std::size_t quote) {
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

std::size_t FindClosingQuote(std::string_view s, std::size_t open) {
    for (std::size_t q = s.find('"', open + 1); q != npos; q = s.find('"', q + 1)) {
        if (ClosesParameter(s, q)) {
            return q;
        }
    }
    return npos;
}

bool SplitParams(std::string_view s, std::vector<std::string>& out, std::string& error) {
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

const BuiltinInfo* FindBuiltin(std::string_view word) {
    for (const BuiltinInfo& info : kBuiltins) {
        if (EqualsNoCase(info.name, word)) {
            return &info;
        }
    }
    return nullptr;
}

bool IsComparison(std::string_view op) {
    return op == "=" || op == "<>" || op == ">" || op == "<" || op == ">=" || op == "<=";
}

bool CheckBuiltin(const BuiltinInfo& info, const Statement& st, std::string& error) {
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

bool ParseCommand(std::string_view line, Statement& st, std::string& error) {
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

LineType ParseLine(std::string_view raw, Statement& st, std::string& error) {
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

bool Failed(ParseError& err, int line, std::string message) {
    err.line = line;
    err.message = std::move(message);
    return false;
}

bool ParseText(std::string_view text, bool numbered, Block& out, ParseError& err) {
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
bool LinkBlocks(Block& block, ParseError& err) {
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

bool IndexLabels(const Block& block, LabelIndex& labels, ParseError& err) {
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

bool RejectLabels(const Block& block, ParseError& err) {
    for (const Statement& st : block) {
        if (st.kind == StatementKind::Label) {
            return Failed(err, 0, "a subroutine label cannot be run directly");
        }
    }
    return true;
}

}  // namespace

bool ParseScript(std::string_view text, Block& out, LabelIndex& labels, ParseError& err) {
    return ParseText(text, true, out, err) && LinkBlocks(out, err) && IndexLabels(out, labels, err);
}

bool ParseDirect(std::string_view text, Block& out, ParseError& err) {
    return ParseText(text, false, out, err) && LinkBlocks(out, err) && RejectLabels(out, err);
}

}  // namespace kvhost::detail
