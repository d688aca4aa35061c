// Window handles as scripts write them: unsigned decimal texts (a handle
// with its top bit set is a large positive number), or any integer text the
// parameter reader accepts ("$"-hex included).
#pragma once

#include <cstdint>
#include <string_view>

namespace kv {

// Reads a 32-bit handle value: an integer text (negative values keep their
// bits) or an unsigned decimal up to 4294967295.
bool ParseHandleText(std::string_view text, uint32_t& handle);

// Reads a signed 64-bit decimal integer (blanks around it allowed); the
// host answers some requests with such numbers.
bool ParseInt64Text(std::string_view text, int64_t& value);

}  // namespace kv
