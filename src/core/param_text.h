// Readers for the texts that arrive as action parameters: integers, booleans,
// option words; and the small text helpers every action shares.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace kv {

// Reads a 32-bit integer: leading blanks, an optional sign, then decimal
// digits or hexadecimal digits after "$", "0x", "x" or "X". Anything after
// the digits (a blank included) makes the text unreadable. Decimal values
// must fit a signed 32-bit integer; hexadecimal ones may use all 32 bits and
// wrap to negative ("$FFFFFFFF" is -1), so handles can be written in hex.
bool ParseIntParam(std::string_view text, int32_t& value);
bool IsIntegerText(std::string_view text);

// The sum of two script numbers in 32-bit arithmetic: past the limits it
// wraps, as the host's own sums do, instead of being undefined.
constexpr int32_t WrappingSum(int32_t a, int32_t b) {
    return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
}

// Reads a floating-point number the way the user's regional settings write
// it: blanks around it, an optional sign, digits with `decimalSeparator`, an
// optional exponent. Infinite and unreadable values are refused.
bool ParseFloatText(std::string_view text, char decimalSeparator, double& value);

// The boolean reader behind ParseBoolParam: integer texts are refused, other
// numbers are true when not zero, "True"/"False" in any case are words.
bool ParseBoolText(std::string_view text, char decimalSeparator, bool& value);

// True when one of the pieces of `text` cut at `separator` equals `word`
// (ASCII case-insensitive). An empty text holds no word.
bool HasOptionWord(std::string_view text, std::string_view separator, std::string_view word);

// Removes every blank; option texts are read this way before HasOptionWord.
std::string RemoveBlanks(std::string_view text);

bool EqualsNoCase(std::string_view a, std::string_view b);
char AsciiLower(char c);

std::string FormatUnsigned(uint32_t value);
std::string FormatSigned(int32_t value);
const char* BoolText(bool value);

}  // namespace kv
