// The system's side of the search criteria: folder texts made absolute,
// folders compared, and the lead bytes of the ANSI code page.
#pragma once

#include <string>
#include <string_view>

#include "search/file_mask.h"
#include "search/search_criteria.h"

namespace kv {

// Absolute against the current folder, "." and ".." resolved; a folder on a
// mapped network drive in its network form. "" when nothing is left.
std::string ExpandSearchFolder(const std::string& folder);

// The same folder: equal, letters in either case by the user's locale.
bool SameSearchFolder(std::string_view a, std::string_view b);

FolderRules SystemFolderRules();
LeadByteSet SystemLeadBytes();

}  // namespace kv
