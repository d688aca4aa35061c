#include "shell_paths.h"

#include <vector>

#include "param_text.h"

namespace kv {

std::wstring WideFromAnsi(std::string_view text) {
    if (text.empty()) return {};
    const int size = static_cast<int>(text.size());
    const int length = ::MultiByteToWideChar(CP_ACP, 0, text.data(), size, nullptr, 0);
    std::wstring wide(static_cast<size_t>(length), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, text.data(), size, wide.data(), length);
    return wide;
}

bool IsExistingFolder(const std::string& path) {
    const std::wstring wide = WideFromAnsi(path);
    if (wide.empty() || wide.size() > kLongestPath) return false;
    const DWORD attributes = ::GetFileAttributesW(wide.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::wstring FullPath(const std::wstring& path) {
    if (path.empty() || path.size() > kLongestPath) return {};
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD length = ::GetFullPathNameW(path.c_str(), static_cast<DWORD>(buffer.size()),
                                                buffer.data(), nullptr);
        if (length == 0) return {};
        if (length < buffer.size()) {
            if (length > kLongestPath) return {};
            return std::wstring(buffer.data(), length);
        }
        if (length > kLongestPath + 1) return {};  // the size asked for counts the zero
        buffer.resize(length);
    }
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
