// The text conversions of the string-conversion action that need no code
// page service from the system: UTF-8 coding, the Cyrillic KOI8-R table and
// the "#" character-code rendering.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kv {

// The conversion modes, in the order the properties page lists them.
enum class ConvertMode {
    kAnsiToUtf8,
    kUtf8ToAnsi,
    kWinToKoi,
    kKoiToWin,
    kStrToAscii,
    kAsciiToStr,
    kDosToWin,
    kWinToDos,
    kColorToNeo,
    kColorToRGB,
    kColorToHTML,
};
inline constexpr size_t kConvertModeCount = 11;
const char* ConvertModeName(ConvertMode mode);
std::optional<ConvertMode> ConvertModeOfName(std::string_view name);  // any case

// Each UTF-16 unit as one to three bytes; a surrogate pair as one four-byte
// sequence.
std::string Utf16ToUtf8(std::u16string_view text);

// Sequences of one to four bytes. A lead byte below 0x80 stands for itself,
// 0xF0-0xF7 opens four bytes, others open two bytes when bit 0x20 is clear
// and three when it is set. Every continuation byte must be present and in
// 0x80-0xBF, or the whole text is refused. Code points above U+FFFF become
// surrogate pairs; those beyond U+10FFFF become U+FFFD.
std::optional<std::u16string> DecodeUtf8(std::string_view text);

// Windows-1251 <-> KOI8-R over the 66 Cyrillic letters; other bytes pass.
std::string WinToKoi(std::string_view text);
std::string KoiToWin(std::string_view text);

// "#" and the decimal code of every byte: "AB" gives "#65#66".
std::string StrToAscii(std::string_view text);
// The reverse: pieces between "#" read as integers, one byte (the low eight
// bits) each; empty and unreadable pieces add nothing.
std::string AsciiToStr(std::string_view text);

}  // namespace kv
