// Path texts composed the way the Windows file functions read them: joins,
// trailing delimiters, roots and the extended "\\?\" form, without asking
// the system. Paths are UTF-16 texts in std::wstring (wchar_t is UTF-16 on
// Windows; the native tests use the same rules on wider units).
//
// Delimiters are "\" and "/", except inside a "\\?\" path, which the system
// takes exactly as written: there only "\" separates.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace kv {

// The longest path the system's file functions take, in UTF-16 units: its
// counted strings hold 32,767 units with the terminating zero, the "\\?\"
// prefix included.
inline constexpr size_t kLongestPath = 32766;

// "\\?\" exactly: a path the system takes as written.
bool IsExtendedPath(std::wstring_view path);

// A device path: "\\.\", or "\\?" or "\\." in any other spelling of the
// delimiters ("//./", "\\?/"); the system normalises these.
bool IsDevicePath(std::wstring_view path);

// The length of the root that starts `path`, its delimiter included when
// it has one: "C:\" 3, "C:" 2 (drive-relative), "\" 1 (the current
// drive's root), "\\server\share\", "\\?\C:\", "\\?\UNC\server\share\",
// "\\?\Volume{...}\", "\\.\COM1". 0 for a relative name.
size_t RootLength(std::wstring_view path);

// True when `path` is the root folder of a drive, share or volume, with or
// without further delimiters: "C:\", "\", "\\server\share",
// "\\server\share\", "\\?\C:\", "\\?\UNC\server\share". Not "C:" (the
// current folder of drive C), nor "\\?\C:" and "\\.\C:" (the volume itself).
bool IsRootPath(std::wstring_view path);

// True when `path` does not depend on a current folder: a drive root
// ("C:\..."), a UNC, extended or device path.
bool IsFullPath(std::wstring_view path);

// `path` ending with exactly one delimiter, unless it is empty. A root
// keeps its own; "C:" becomes "C:\", the root (the actions treat a folder
// text as a folder, never as a drive's current folder).
std::wstring WithTrailingDelimiter(std::wstring_view path);

// `path` without its trailing delimiters, but never without the one of a
// root: "C:\", "\\server\share\", "\\?\C:\" and "\\?\UNC\server\share\"
// stay as they are.
std::wstring WithoutTrailingDelimiter(std::wstring_view path);

// `name` below `folder` with exactly one "\" between them, whatever
// delimiters `folder` ends with or `name` starts with. `name` is taken as
// relative; an empty `folder` gives `name` itself. "C:" + "a" gives "C:\a"
// (see WithTrailingDelimiter).
std::wstring JoinPath(std::wstring_view folder, std::wstring_view name);

// The extended form of a full path: "C:\a" gives "\\?\C:\a" and
// "\\server\share\a" gives "\\?\UNC\server\share\a". The system does not
// normalise that form, so "/" becomes "\" and doubled delimiters one; "."
// and ".." must already be resolved (as GetFullPathNameW does). Extended
// and device paths, and paths that are not full, stay as they are. Empty
// when the result would be longer than kLongestPath.
std::wstring ExtendedPath(std::wstring_view full);

}  // namespace kv
