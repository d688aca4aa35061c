#include "shell_paths.h"

#include "param_text.h"

namespace kv {

bool IsExistingFolder(const std::string& path) {
    const std::wstring wide = WideFromAnsi(path);
    if (wide.empty() || wide.size() > kLongestPath) return false;
    const DWORD attributes = ::GetFileAttributesW(wide.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::wstring SystemPath(const std::wstring& path) { return ExtendedPath(FullPath(path)); }

bool IsSameOrInside(const std::wstring& inner, const std::wstring& outer) {
    const std::wstring in = WithoutTrailingDelimiter(inner);
    const std::wstring out = WithoutTrailingDelimiter(outer);
    if (in.size() < out.size()) return false;
    const auto equal = [](const wchar_t* a, const wchar_t* b, size_t n) {
        return ::CompareStringOrdinal(a, static_cast<int>(n), b, static_cast<int>(n), TRUE) ==
               CSTR_EQUAL;
    };
    if (!equal(in.c_str(), out.c_str(), out.size())) return false;
    return in.size() == out.size() || out.back() == L'\\' || in[out.size()] == L'\\';
}

}  // namespace kv
