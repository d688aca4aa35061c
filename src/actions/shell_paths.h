// Path and error helpers shared by the file and folder actions. Paths arrive
// as ANSI texts; the actions work on them in UTF-16 so that every name the
// file system holds can be reached, whatever the system's code page.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "system_error.h"
#include "unique_resource.h"

namespace kv {

std::wstring WideFromAnsi(std::string_view text);

// True only for an existing folder (not a file).
bool IsExistingFolder(const std::string& path);

// The full path of `path` as GetFullPathNameW writes it; empty on failure.
std::wstring FullPath(const std::wstring& path);

// `full` in the extended form ("\\?\C:\..." or "\\?\UNC\server\share\..."),
// which lifts the MAX_PATH limit; paths already in that form stay as they are.
std::wstring ExtendedPath(const std::wstring& full);

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
    std::wstring pattern = folder;
    if (!pattern.empty() && pattern.back() != L'\\') pattern += L'\\';
    pattern += L'*';
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
