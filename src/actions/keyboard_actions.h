// Keyboard layouts of the active window: 1 is Russian, 2 English (US).
#pragma once

#include <string>

namespace kv::actions {

// Asks the window (the active one when the handle is not a number) to
// switch to layout 1 or 2. Any other number sends nothing and reports
// "Mistake left.".
bool qvKBChangeLayout(std::string window, std::string layout);

// "1" or "2" into [variable] (the name is bracketed here); another layout
// reports "Неизвестно..." and sets nothing.
bool qvKBGetLayout(std::string variable);

}  // namespace kv::actions
