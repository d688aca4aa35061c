// Text conversions between code pages, character codes and colour forms.
#pragma once

#include <string>

namespace kv::actions {

// Converts `text` by the named mode and stores the result in `variable`;
// an unknown mode sets nothing.
bool qvConvertString(std::string mode, std::string text, std::string variable);

}  // namespace kv::actions
