// Real mouse input for tests and scripts, made with SendInput: the system
// routes it as it would a user's.
#pragma once

#include <windows.h>

namespace kvhost {

enum class MouseButton { Left, Right, Middle };

// Moves the pointer to a screen point (absolute, over the whole screen).
bool SendMouseMove(int x, int y);
bool SendMouseButton(MouseButton button, bool down);
// Positive notches turn away from the user, negative towards.
bool SendMouseWheel(int notches);
// Move, press and release.
bool SendMouseClick(int x, int y, MouseButton button = MouseButton::Left);

// Runs the thread's messages for the given time (timers, hooks, notices).
void PumpMessages(int milliseconds);

}  // namespace kvhost
