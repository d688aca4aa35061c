#include "code_pages.h"

#include <windows.h>

#include <climits>
#include <stdexcept>

namespace kv {
namespace {

int CheckedLength(size_t size) {
    if (size > INT_MAX / 4) throw std::length_error("Text too long");
    return static_cast<int>(size);
}

}  // namespace

std::u16string AnsiToUtf16(std::string_view text) {
    if (text.empty()) return {};
    const int length = CheckedLength(text.size());
    // Single- and double-byte code pages give at most one unit per byte.
    std::u16string wide(text.size(), u'\0');
    const int written = ::MultiByteToWideChar(CP_ACP, 0, text.data(), length,
                                              reinterpret_cast<wchar_t*>(wide.data()), length);
    wide.resize(static_cast<size_t>(written > 0 ? written : 0));
    return wide;
}

std::string Utf16ToAnsi(std::u16string_view text) {
    if (text.empty()) return {};
    const int length = CheckedLength(text.size());
    const auto* wide = reinterpret_cast<const wchar_t*>(text.data());
    const int needed = ::WideCharToMultiByte(CP_ACP, 0, wide, length, nullptr, 0, nullptr, nullptr);
    if (needed <= 0) return {};
    std::string out(static_cast<size_t>(needed), '\0');
    const int written =
        ::WideCharToMultiByte(CP_ACP, 0, wide, length, out.data(), needed, nullptr, nullptr);
    out.resize(static_cast<size_t>(written > 0 ? written : 0));
    return out;
}

std::string OemCodePageToAnsi(std::string_view text) {
    std::string out(text.size() + 1, '\0');
    ::OemToCharBuffA(text.data(), out.data(), static_cast<DWORD>(text.size()));
    out.resize(text.size());
    return out;
}

std::string AnsiToOemCodePage(std::string_view text) {
    std::string out(text.size() + 1, '\0');
    ::CharToOemBuffA(text.data(), out.data(), static_cast<DWORD>(text.size()));
    out.resize(text.size());
    return out;
}

}  // namespace kv
