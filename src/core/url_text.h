// Percent-encoding of texts and of web addresses handed to the shell.
#pragma once

#include <string>
#include <string_view>

namespace kv {

// Every character but an ASCII letter or digit becomes "%" and its code as
// two upper-case hexadecimal digits.
std::string PercentEncode(std::string_view text);

// An address the shell can open: the scheme, the host and the separators
// of the path and query stay as they are; any other character that is
// not safe in an address is percent-encoded.
std::string EncodeWebAddress(std::string_view address);

}  // namespace kv
