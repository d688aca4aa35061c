// The screen saver: its state, switching it, starting it.
#pragma once

#include <string>

namespace kv::actions {

bool qvScreenSaverStatus(std::string variable);  // "True" / "False"
// For the session only: the user's saved setting is left alone.
bool qvScreenSaverOn(std::string enable);
// False when the screen saver is disabled (nothing is started then).
bool qvScreenSaverRun();

}  // namespace kv::actions
