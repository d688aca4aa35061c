#include "folder_size.h"

#include <windows.h>

#include <exception>
#include <vector>

#include "host_bridge.h"
#include "param_text.h"
#include "shell_paths.h"
#include "unique_resource.h"

namespace kv {
namespace {

// The size of the folders on the stack is not bounded by MAX_PATH: the
// extended form reaches 32,767 characters.
void SumOneFolder(std::wstring& folder, std::vector<std::wstring>& pending, uint64_t& total) {
    const size_t base = folder.size();
    folder += L"\\*";
    WIN32_FIND_DATAW data;
    win::UniqueFindHandle find(::FindFirstFileExW(folder.c_str(), FindExInfoBasic, &data,
                                                  FindExSearchNameMatch, nullptr,
                                                  FIND_FIRST_EX_LARGE_FETCH));
    folder.resize(base);
    if (!find) return;
    do {
        if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
            total += (uint64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow;
        } else if ((data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0 &&
                   !IsDotEntry(data.cFileName)) {
            std::wstring& child = pending.emplace_back();
            child.reserve(base + 1 + wcslen(data.cFileName));
            child.append(folder).append(1, L'\\').append(data.cFileName);
        }
    } while (::FindNextFileW(find.get(), &data));
}

}  // namespace

uint64_t FolderTreeSize(const std::wstring& folder) {
    std::wstring root = FullPath(folder);
    if (root.empty()) return 0;
    while (root.size() > 3 && root.back() == L'\\') root.pop_back();
    if (root.size() == 3 && root.back() == L'\\') root.pop_back();  // "C:\" walks as "C:"
    std::vector<std::wstring> pending{ExtendedPath(root)};
    uint64_t total = 0;
    while (!pending.empty()) {
        std::wstring next = std::move(pending.back());
        pending.pop_back();
        SumOneFolder(next, pending, total);
    }
    return total;
}

namespace actions {

bool qvFolderSize(std::string folder, std::string variable) {
    if (folder.empty() || variable.empty()) return true;
    try {
        const uint64_t total = FolderTreeSize(WideFromAnsi(folder));
        SetVar(variable, std::to_string(total));
    } catch (const std::exception&) {
        // Out of memory in a huge tree: the variable keeps its value.
    }
    return true;
}

}  // namespace actions
}  // namespace kv
