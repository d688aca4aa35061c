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
    if (path.empty()) return false;
    const DWORD attributes = ::GetFileAttributesW(WideFromAnsi(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::wstring FullPath(const std::wstring& path) {
    if (path.empty()) return {};
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD length = ::GetFullPathNameW(path.c_str(), static_cast<DWORD>(buffer.size()),
                                                buffer.data(), nullptr);
        if (length == 0) return {};
        if (length < buffer.size()) return std::wstring(buffer.data(), length);
        buffer.resize(length + 1);
    }
}

std::wstring ExtendedPath(const std::wstring& full) {
    if (full.rfind(L"\\\\?\\", 0) == 0) return full;
    if (full.rfind(L"\\\\", 0) == 0) return L"\\\\?\\UNC\\" + full.substr(2);
    return L"\\\\?\\" + full;
}

bool IsSameOrInside(const std::wstring& inner, const std::wstring& outer) {
    const auto trimmed = [](std::wstring path) {
        while (path.size() > 3 && path.back() == L'\\') path.pop_back();
        return path;
    };
    const std::wstring in = trimmed(inner);
    std::wstring out = trimmed(outer);
    if (in.size() < out.size()) return false;
    const auto equal = [](const wchar_t* a, const wchar_t* b, size_t n) {
        return ::CompareStringOrdinal(a, static_cast<int>(n), b, static_cast<int>(n), TRUE) ==
               CSTR_EQUAL;
    };
    if (!equal(in.c_str(), out.c_str(), out.size())) return false;
    return in.size() == out.size() || out.back() == L'\\' || in[out.size()] == L'\\';
}

}  // namespace kv
