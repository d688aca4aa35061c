// The shell's services for single files: opening with the associated
// program, shortcut files and the special folders' paths.
#pragma once

#include <string>
#include <string_view>

namespace kv {

// The shortcut file name the link action writes: ".lnk" is appended unless
// the name already ends with it (any letter case).
std::string ShortcutFileName(std::string name);

// The show command a shortcut stores for a window word: "Maximized" gives
// SW_SHOWMAXIMIZED, "Minimized" SW_SHOWMINNOACTIVE, anything else
// SW_SHOWNORMAL.
int ShortcutShowCommand(std::string_view word);

// The shell folder number of a special folder's name (any letter case), or
// -1 when the name is not one of them.
int SpecialFolderNumber(std::string_view name);

namespace actions {

// "File not found!" for a missing file (or a folder); the shell's error
// number in "[LastError]" when it cannot open the file. Verb word "Edit"
// runs the "edit" verb, anything else the file type's default action.
bool qvOpenWithDefault(std::string file, std::string verb);

// Writes a shortcut; on any failure reports "Cannot create shortcut "<name>".
// <reason>" and returns false.
bool qvCreateLink(std::string target, std::string shortcut, std::string description,
                  std::string arguments, std::string workingFolder, std::string windowState);

// Writes the special folder's path, or the empty text when the name is
// unknown or the folder has no path in the file system.
bool qvGetFolderPath(std::string name, std::string variable);

}  // namespace actions
}  // namespace kv
