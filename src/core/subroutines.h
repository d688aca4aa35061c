// The host reports the author's subroutines as one name per line; event
// actions turn a subroutine name into the script line that calls it.
#pragma once

#include <string>
#include <string_view>

namespace kv {

// True when one CR LF separated line of `list` equals `name`, ignoring the
// case of ASCII letters.
bool SubroutineListHas(std::string_view list, std::string_view name);

// The script line that calls a subroutine: GoSub "Name".
std::string GoSubLine(std::string_view name);

}  // namespace kv
