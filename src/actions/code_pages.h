// Conversions through the system's ANSI and OEM code pages.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kv {

std::u16string AnsiToUtf16(std::string_view text);
// Characters the ANSI code page lacks are replaced as the system does.
std::string Utf16ToAnsi(std::u16string_view text);
std::string OemCodePageToAnsi(std::string_view text);
std::string AnsiToOemCodePage(std::string_view text);

}  // namespace kv
