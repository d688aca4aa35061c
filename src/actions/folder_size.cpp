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

// The folders on the stack are extended paths, not bounded by MAX_PATH; a
// folder whose listing would be longer than the system takes is left out.
void SumOneFolder(const std::wstring& folder, std::vector<std::wstring>& pending, uint64_t& total) {
    const std::wstring pattern = JoinPath(folder, L"*");
    if (pattern.size() > kLongestPath) return;
    WIN32_FIND_DATAW data;
    win::UniqueFindHandle find(::FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &data,
                                                  FindExSearchNameMatch, nullptr,
                                                  FIND_FIRST_EX_LARGE_FETCH));
    if (!find) return;
    do {
        if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
            total += (uint64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow;
        } else if ((data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0 &&
                   !IsDotEntry(data.cFileName)) {
            pending.push_back(JoinPath(folder, data.cFileName));
        }
    } while (::FindNextFileW(find.get(), &data));
}

}  // namespace

uint64_t FolderTreeSize(const std::wstring& folder) {
    // Taken as a folder, with a delimiter appended before it is made full:
    // "C:" is the root of drive C, not its current folder.
    const std::wstring root = SystemPath(WithTrailingDelimiter(folder));
    if (root.empty()) return 0;
    std::vector<std::wstring> pending{root};
    uint64_t total = 0;
    while (!pending.empty()) {
        const std::wstring next = std::move(pending.back());
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
