#include "folder_chooser.h"

#include <shlobj.h>

#include "unique_resource.h"

namespace kv::editor {
namespace {

int CALLBACK SelectInitialFolder(HWND chooser, UINT message, LPARAM, LPARAM folder) {
    if (message == BFFM_INITIALIZED && folder != 0)
        ::SendMessageA(chooser, BFFM_SETSELECTIONA, TRUE, folder);
    return 0;
}

bool IsDirectory(const std::string& path) {
    const DWORD attributes = ::GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

}  // namespace

bool BrowseForFolder(HWND owner, const std::string& title, const std::string& root,
                     std::string& folder, bool allowNewFolders, bool includeFiles, bool editBox) {
    if (!IsDirectory(folder)) folder.clear();
    const HRESULT ole = ::OleInitialize(nullptr);
    win::ScopeExit uninitialize([ole] {
        if (SUCCEEDED(ole)) ::OleUninitialize();
    });

    win::UniqueCoTaskMem rootList;
    if (!root.empty()) {
        wchar_t wide[MAX_PATH] = {};
        if (::MultiByteToWideChar(CP_ACP, 0, root.c_str(), -1, wide, MAX_PATH) > 0) {
            PIDLIST_ABSOLUTE list = nullptr;
            if (SUCCEEDED(::SHParseDisplayName(wide, nullptr, &list, 0, nullptr)))
                rootList.reset(list);
        }
    }
    char display[MAX_PATH] = {};
    BROWSEINFOA info{};
    info.hwndOwner = owner;
    info.pidlRoot = static_cast<PCIDLIST_ABSOLUTE>(rootList.get());
    info.pszDisplayName = display;
    info.lpszTitle = title.c_str();
    info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
    if (!allowNewFolders) info.ulFlags |= BIF_NONEWFOLDERBUTTON;
    if (editBox) info.ulFlags |= BIF_EDITBOX;
    if (includeFiles) info.ulFlags |= BIF_BROWSEINCLUDEFILES;
    info.lpfn = &SelectInitialFolder;
    info.lParam = folder.empty() ? 0 : reinterpret_cast<LPARAM>(folder.c_str());
    const win::UniqueCoTaskMem chosen(::SHBrowseForFolderA(&info));
    if (!chosen) return false;
    char path[MAX_PATH] = {};
    if (!::SHGetPathFromIDListA(static_cast<PCIDLIST_ABSOLUTE>(chosen.get()), path)) return false;
    folder = path;
    return true;
}

}  // namespace kv::editor
