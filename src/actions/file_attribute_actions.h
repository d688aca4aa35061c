// One attribute of a file or folder, read or changed by its word: "Hidden",
// "ReadOnly", "System", "Archive", "Directory" (read only) and "SymLink"
// (always "False"), in any letter case.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kv {

// The attribute bit a word stands for; "SymLink" and unknown words have none.
std::optional<uint32_t> AttributeBitOf(std::string_view word);

namespace actions {

// Writes "True" or "False". An unreadable path or an empty word reports
// "Failed to get attributes a file or folder!" and leaves the variable alone.
bool qvFileGetAtrribute(std::string path, std::string word, std::string variable);

// Sets or clears the word's bit and keeps every other bit. A flag that is
// not a boolean, an unreadable path, or a write that was refused or did
// not hold returns false (the last two with the reason in "[LastError]");
// an empty or unchangeable word changes nothing and returns true.
bool qvFileSetAtrribute(std::string path, std::string word, std::string flag);

}  // namespace actions
}  // namespace kv
