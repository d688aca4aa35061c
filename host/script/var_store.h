// Variables of a test-host script, and the expansion of "[name]" references in script texts.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>

namespace kvhost {

// Holds the values of script variables. A variable is written "[Name]" in a script; lookups
// ignore ASCII letter case and one enclosing pair of brackets, so "hwnd", "[hwnd]" and "[HWND]"
// all name the same variable. Values are byte strings in the ANSI code page.
class VarStore {
public:
    void Set(std::string_view name, std::string value);
    std::string Get(std::string_view name) const;  // empty when the variable is unset
    bool Has(std::string_view name) const;
    void Clear();
    std::size_t Size() const { return values_.size(); }

    // The lookup key of a name: enclosing brackets removed, ASCII letters in lower case.
    static std::string Key(std::string_view name);

private:
    std::unordered_map<std::string, std::string> values_;
};

// The text with ASCII letters in lower case; other bytes unchanged.
std::string LowerAscii(std::string_view text);

// Replaces every "[name]" in the text by the variable's value (empty when unset). A name must
// be non-empty and hold no bracket and no line break; anything else is kept as written. The
// result is not expanded again, so a value that itself contains "[x]" stays literal.
std::string ExpandVariables(std::string_view text, const VarStore& vars);

}  // namespace kvhost
