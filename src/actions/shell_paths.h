// Path and error helpers shared by the file and folder actions. Paths arrive
// as ANSI texts; the actions work on them in UTF-16 so that every name the
// file system holds can be reached, whatever the system's code page. Paths
// are composed by the portable rules of path_text.h; the system is asked
// here only what depends on it (the current folder, the file system).
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "path_text.h"
#include "system_error.h"
#include "unique_resource.h"
#include "wide_paths.h"

namespace kv {

// True only for an existing folder (not a file). A path longer than the
// system takes is no folder, and is never handed to it.
bool IsExistingFolder(const std::string& path);

// `path` made full and then extended (path_text.h), which lifts the
// MAX_PATH limit; empty when the system could not take it.
std::wstring SystemPath(const std::wstring& path);

// True when `inner` is `outer` or lies inside it (full paths, letter case
// ignored, trailing delimiters ignored).
bool IsSameOrInside(const std::wstring& inner, const std::wstring& outer);

// True for the names "." and "..".
inline bool IsDotEntry(const wchar_t* name) {
    return name[0] == L'.' && (name[1] == L'\0' || (name[1] == L'.' && name[2] == L'\0'));
}

// The folder's own entries, "." and ".." left out. Stops at the first
// entry for which `visit` returns false.
template <typename Visit>
void ForEachEntry(const std::wstring& folder, Visit visit) {
    if (folder.empty()) return;  // never the current folder
    const std::wstring pattern = JoinPath(folder, L"*");
    if (pattern.size() > kLongestPath) return;
    WIN32_FIND_DATAW data;
    win::UniqueFindHandle find(::FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &data,
                                                  FindExSearchNameMatch, nullptr, 0));
    if (!find) return;
    do {
        if (IsDotEntry(data.cFileName)) continue;
        if (!visit(data)) return;
    } while (::FindNextFileW(find.get(), &data));
}

}  // namespace kv
