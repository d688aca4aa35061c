// Template bodies of shell_paths.h.
#pragma once

#include "unique_resource.h"

namespace kv {

inline bool IsDotEntry(const wchar_t* name) {
    return name[0] == L'.' && (name[1] == L'\0' || (name[1] == L'.' && name[2] == L'\0'));
}

template <typename Visit>
void ForEachEntry(const std::wstring& folder, Visit visit) {
    std::wstring pattern = folder;
    if (!pattern.empty() && pattern.back() != L'\\') pattern += L'\\';
    pattern += L'*';
    WIN32_FIND_DATAW data;
    win::UniqueFindHandle find(::FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &data,
                                                  FindExSearchNameMatch, nullptr, 0));
    if (!find) return;
    do {
        if (IsDotEntry(data.cFileName)) continue;
        if (!visit(data)) return;
    } while (::FindNextFileW(find.get(), &data));
}

}  // namespace kv
