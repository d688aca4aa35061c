// Path and error helpers shared by the file and folder actions. Paths arrive
// as ANSI texts; the actions work on them in UTF-16 so that every name the
// file system holds can be reached, whatever the system's code page.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace kv {

std::wstring WideFromAnsi(std::string_view text);

// The system's text for an error code (a Win32 error or an HRESULT),
// without the line break; a generic text when the system has none.
std::string SystemReason(DWORD error);

// True only for an existing folder (not a file).
bool IsExistingFolder(const std::string& path);

// The full path of `path` as GetFullPathNameW writes it; empty on failure.
std::wstring FullPath(const std::wstring& path);

// `full` in the extended form ("\\?\C:\..." or "\\?\UNC\server\share\..."),
// which lifts the MAX_PATH limit; paths already in that form stay as they are.
std::wstring ExtendedPath(const std::wstring& full);

// The folder's own entries, "." and ".." left out. Stops at the first
// entry for which `visit` returns false.
template <typename Visit>
void ForEachEntry(const std::wstring& folder, Visit visit);

// True when `inner` is `outer` or lies inside it (full paths, letter case
// ignored, trailing delimiters ignored).
bool IsSameOrInside(const std::wstring& inner, const std::wstring& outer);

}  // namespace kv

#include "shell_paths_impl.h"
