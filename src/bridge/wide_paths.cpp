#include "wide_paths.h"

#include <windows.h>

#include <climits>
#include <vector>

#include "path_text.h"

namespace kv {

std::wstring WideFromAnsi(std::string_view text) {
    if (text.empty() || text.size() > INT_MAX / 2) return {};
    const int size = static_cast<int>(text.size());
    const int length = ::MultiByteToWideChar(CP_ACP, 0, text.data(), size, nullptr, 0);
    if (length <= 0) return {};
    std::wstring wide(static_cast<size_t>(length), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, text.data(), size, wide.data(), length);
    return wide;
}

std::string AnsiFromWide(std::wstring_view wide) {
    if (wide.empty() || wide.size() > INT_MAX / 4) return {};
    const int size = static_cast<int>(wide.size());
    const int length =
        ::WideCharToMultiByte(CP_ACP, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
    if (length <= 0) return {};
    std::string text(static_cast<size_t>(length), '\0');
    ::WideCharToMultiByte(CP_ACP, 0, wide.data(), size, text.data(), length, nullptr, nullptr);
    return text;
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

}  // namespace kv
