// The host passes paths as texts in the system's ANSI code page; the wide
// calls take them in UTF-16, so that every name the file system holds can
// be reached whatever the code page.
#pragma once

#include <string>
#include <string_view>

namespace kv {

// Empty for an empty text and for one too long for the conversion calls.
std::wstring WideFromAnsi(std::string_view text);
std::string AnsiFromWide(std::wstring_view wide);

// The full path of `path` as GetFullPathNameW writes it, against the
// process's current folder; empty on failure and for a path, given or
// full, longer than kLongestPath (path_text.h).
std::wstring FullPath(const std::wstring& path);

}  // namespace kv
