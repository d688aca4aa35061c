#include "folder_operations.h"

#include <shlobj.h>

#include <vector>

#include "ansi_text.h"
#include "host_bridge.h"
#include "param_text.h"
#include "shell_paths.h"
#include "unique_resource.h"

namespace kv {

ShellFileOperationProc ShellFileOperation = &::SHFileOperationW;

namespace {

constexpr AnsiText kDeleteFailed{"Ошибка удаления папки"};
constexpr AnsiText kCopyFailed{"Ошибка копирования папки"};

// The shell's double-zero-ended list of paths, as long as it needs to be.
std::wstring PathList(const std::vector<std::wstring>& paths) {
    std::wstring list;
    for (const std::wstring& path : paths) list.append(path).append(1, L'\0');
    list.append(1, L'\0');
    return list;
}

bool RunShell(UINT code, const std::wstring& from, const std::wstring* to, FILEOP_FLAGS flags) {
    SHFILEOPSTRUCTW op{};
    op.wFunc = code;
    op.pFrom = from.c_str();
    op.pTo = to != nullptr ? to->c_str() : nullptr;
    op.fFlags = flags;
    // A "No" or a cancel in the shell's dialogs returns 0 with the abort
    // flag set: that is no success.
    return ShellFileOperation(&op) == 0 && !op.fAnyOperationsAborted;
}

// The shell would expand these to every match.
bool HasWildcard(const std::wstring& path) {
    return path.find_first_of(L"*?") != std::wstring::npos;
}

bool Exists(const std::wstring& path) {
    return !path.empty() && ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool IsExistingDirectory(const std::wstring& path) {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool IsFolder(const WIN32_FIND_DATAW& entry) {
    return (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// The top-level names of `folder` that the operation takes.
std::vector<std::wstring> EntriesTaken(const std::wstring& folder, bool filesOnly) {
    std::vector<std::wstring> names;
    ForEachEntry(ExtendedPath(folder), [&](const WIN32_FIND_DATAW& entry) {
        if (!filesOnly || !IsFolder(entry)) names.emplace_back(entry.cFileName);
        return true;
    });
    return names;
}

// True when every entry below `from` has its namesake below `to` (full
// paths). Names only: reading the files again would cost as much as the
// copy. Reparse points are not entered, as the shell copies the link itself.
bool IsCopiedByName(const std::wstring& from, const std::wstring& to) {
    std::vector<std::wstring> pending{std::wstring()};
    while (!pending.empty()) {
        const std::wstring relative = std::move(pending.back());
        pending.pop_back();
        bool complete = true;
        ForEachEntry(ExtendedPath(JoinPath(from, relative)), [&](const WIN32_FIND_DATAW& entry) {
            const std::wstring name = JoinPath(relative, entry.cFileName);
            if (!Exists(ExtendedPath(JoinPath(to, name)))) return complete = false;
            if (IsFolder(entry) && (entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0)
                pending.push_back(name);
            return true;
        });
        if (!complete) return false;
    }
    return true;
}

// Makes `folder` and its parents. A folder that is there already counts as
// made, whatever the shell says: it may refuse a drive's root with an error.
bool CreateFolderTree(const std::wstring& folder) {
    if (IsExistingDirectory(folder)) return true;
    ::SHCreateDirectoryExW(nullptr, folder.c_str(), nullptr);
    return IsExistingDirectory(folder);
}

}  // namespace

bool DeleteFolderOp(const std::string& path, bool undo, bool confirm) {
    const std::wstring wide = WideFromAnsi(path);
    if (wide.empty() || wide.size() >= MAX_PATH || HasWildcard(wide)) return false;
    WIN32_FIND_DATAW entry;
    {
        win::UniqueFindHandle find(::FindFirstFileW(wide.c_str(), &entry));
        if (!find) return false;
    }
    if (!IsFolder(entry) ||
        (entry.dwFileAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) != 0)
        return false;
    const std::wstring full = FullPath(wide);
    if (full.empty() || full.size() >= MAX_PATH) return false;
    FILEOP_FLAGS flags = confirm ? FOF_CONFIRMMOUSE : FOF_NOCONFIRMATION;
    if (undo) flags |= FOF_ALLOWUNDO;
    return RunShell(FO_DELETE, PathList({full}), nullptr, flags) && !Exists(full);
}

bool CopyMoveFolderOp(const std::string& source, const std::string& destination, UINT code,
                      bool filesOnly, bool confirm, bool progress) {
    if (code != FO_COPY && code != FO_MOVE) return false;
    // A drive's root keeps its delimiter: "E:\", never "E:".
    const std::wstring from = WithoutTrailingDelimiter(FullPath(WideFromAnsi(source)));
    const std::wstring to = WithoutTrailingDelimiter(FullPath(WideFromAnsi(destination)));
    if (from.empty() || to.empty() || HasWildcard(from) || HasWildcard(to)) return false;
    const std::wstring everything = JoinPath(from, L"*.*");
    // The shell cannot take longer paths (Wine's crashes the process).
    if (everything.size() >= MAX_PATH || to.size() >= MAX_PATH) return false;
    // Copying a folder into itself never ends well.
    if (IsSameOrInside(to, from)) return false;
    if (!CreateFolderTree(to)) return false;

    FILEOP_FLAGS flags = 0;
    if (!confirm) flags |= FOF_NOCONFIRMATION | FOF_RENAMEONCOLLISION;
    if (!progress) flags |= FOF_SILENT;
    if (filesOnly) flags |= FOF_FILESONLY;

    const std::vector<std::wstring> taken = EntriesTaken(from, filesOnly);
    if (taken.empty()) return true;  // nothing to copy or move
    bool done = false;
    if (code == FO_MOVE && filesOnly) {
        // One destination per file: the shell moves every entry of a
        // wildcard, folders too, and will not move several files into one.
        std::vector<std::wstring> sources, targets;
        for (const std::wstring& name : taken) {
            sources.push_back(JoinPath(from, name));
            targets.push_back(JoinPath(to, name));
            if (sources.back().size() >= MAX_PATH || targets.back().size() >= MAX_PATH)
                return false;
        }
        const std::wstring targetList = PathList(targets);
        done = RunShell(code, PathList(sources), &targetList, flags | FOF_MULTIDESTFILES);
    } else {
        const std::wstring targetList = PathList({to});
        done = RunShell(code, PathList({everything}), &targetList, flags);
    }
    if (!done) return false;

    // The shell reports success for work it skipped: check what it did.
    if (code == FO_MOVE) return EntriesTaken(from, filesOnly).empty();
    if (filesOnly) {
        for (const std::wstring& name : taken) {
            if (!Exists(ExtendedPath(JoinPath(to, name)))) return false;
        }
        return true;
    }
    return IsCopiedByName(from, to);
}

namespace actions {

bool qvDeleteFolder(std::string folder, std::string undo, std::string confirm) {
    if (IsExistingFolder(folder) &&
        DeleteFolderOp(folder, EqualsNoCase(undo, "Undo"), EqualsNoCase(confirm, "Confirm")))
        return true;
    ReportError(kDeleteFailed.c_str());
    return false;
}

bool qvFolderOperation(std::string source, std::string destination, std::string operation,
                       std::string options, std::string subroutine) {
    const bool remove = EqualsNoCase(operation, "Delete");
    const UINT code = EqualsNoCase(operation, "Copy")   ? FO_COPY
                      : EqualsNoCase(operation, "Move") ? FO_MOVE
                                                        : 0;
    if (!IsExistingFolder(source)) {
        if (remove) ReportError(kDeleteFailed.c_str());
        if (code != 0) ReportError(kCopyFailed.c_str());
        return false;
    }
    options = RemoveBlanks(options);
    const auto has = [&options](const char* word) { return HasOptionWord(options, "+", word); };
    if (remove && !DeleteFolderOp(source, has("Undo"), has("Confirm")))
        ReportError(kDeleteFailed.c_str());
    if (code != 0 && !destination.empty() &&
        !CopyMoveFolderOp(source, destination, code, has("FilesOnly"), has("Confirm"),
                          has("Progress")))
        ReportError(kCopyFailed.c_str());
    if (const std::string script = MakeGoSubText(subroutine); !script.empty())
        RunHostScript(script);
    return true;
}

}  // namespace actions
}  // namespace kv
