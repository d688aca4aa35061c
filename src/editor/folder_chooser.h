// The shell's folder chooser, starting at a folder.
#pragma once

#include <windows.h>

#include <string>

namespace kv::editor {

// Shows the chooser owned by `owner`, with `folder` selected when it is an
// existing directory (else nothing is). On OK `folder` becomes the chosen
// path and the result is true. `root` empty: the desktop.
bool BrowseForFolder(HWND owner, const std::string& title, const std::string& root,
                     std::string& folder, bool allowNewFolders, bool includeFiles, bool editBox);

}  // namespace kv::editor
