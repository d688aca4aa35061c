// Deleting a folder, and copying or moving a folder's contents, through the
// shell's own file operation: its recycle bin, confirmations and progress.
#pragma once

#include <windows.h>

#include <shellapi.h>

#include <string>

namespace kv {

// The one call into the shell's file operation. Tests replace it to see
// the request; it is SHFileOperationW otherwise.
using ShellFileOperationProc = int(WINAPI*)(SHFILEOPSTRUCTW*);
extern ShellFileOperationProc ShellFileOperation;

// Deletes the folder `path`, written exactly (a trailing delimiter, a hidden
// or a system folder finds nothing). Undo sends it to the recycle bin;
// Confirm lets the shell ask first. True only when the folder is gone.
bool DeleteFolderOp(const std::string& path, bool undo, bool confirm);

// Copies or moves (FO_COPY, FO_MOVE) the contents of `source` into
// `destination`, which is created first, parents included. Refused before
// anything is touched: paths the shell cannot take (MAX_PATH characters or
// more), a destination equal to or inside the source. Without Confirm
// colliding names are renamed and nothing is asked; without Progress the
// shell shows no progress; FilesOnly leaves the subfolders where they are.
// True only when the shell succeeded and the result checks out: a move
// emptied the source (its top level of files for FilesOnly), a copy left
// every entry of the source tree by name in the destination (every file of
// the top level for FilesOnly).
bool CopyMoveFolderOp(const std::string& source, const std::string& destination, UINT code,
                      bool filesOnly, bool confirm, bool progress);

namespace actions {

// "Undo" and "Confirm" must be the whole texts (any letter case).
bool qvDeleteFolder(std::string folder, std::string undo, std::string confirm);

// Operation word "Delete", "Copy" or "Move"; options "Undo", "Confirm",
// "Progress" and "FilesOnly" joined by "+". Runs the subroutine afterwards
// whatever the outcome; false only when the source folder does not exist.
bool qvFolderOperation(std::string source, std::string destination, std::string operation,
                       std::string options, std::string subroutine);

}  // namespace actions
}  // namespace kv
