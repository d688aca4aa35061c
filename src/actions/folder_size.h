// The byte size of a folder tree.
#pragma once

#include <cstdint>
#include <string>

namespace kv {

// Sums the sizes of every file below `folder`, hidden and system ones
// included. The walk uses the wide API on the extended path form, so names
// outside the code page and trees deeper than MAX_PATH count too; it keeps
// its own stack, so depth costs no machine stack; and it never enters a
// reparse point (a folder link or junction adds nothing, and a link loop
// cannot trap it). A missing folder sums to 0. May throw std::bad_alloc.
uint64_t FolderTreeSize(const std::wstring& folder);

namespace actions {

// Writes the tree's size as decimal digits; nothing when a text is empty.
bool qvFolderSize(std::string folder, std::string variable);

}  // namespace actions
}  // namespace kv
