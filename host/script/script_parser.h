// Turns script text into statements for ScriptRunner: the quoting rules, the built-in commands
// and their parameter counts, If/Else/EndIf matching and the index of subroutine labels.
// Internal to the script runner.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "script_runner.h"

namespace kvhost::detail {

using Block = std::vector<Statement>;
using LabelIndex = std::unordered_map<std::string, std::size_t>;  // lower-case name -> index

struct ParseError {
    int line = 0;  // 1-based line of the text; 0 when the fault is not on one line
    std::string message;
    std::string text;  // the offending line as written, when there is one
};

// A whole script: statements numbered by line, each If linked to its Else and EndIf, and the
// labels indexed. A label inside an open If and a repeated label are errors.
bool ParseScript(std::string_view text, Block& out, LabelIndex& labels, ParseError& err);

// Text to run directly (RunLine): statements carry line 0 and labels are refused.
bool ParseDirect(std::string_view text, Block& out, ParseError& err);

std::string_view Trim(std::string_view s);  // without leading and trailing blanks and tabs
std::string Quoted(std::string_view text);  // the text in double quotes, for messages

}  // namespace kvhost::detail
