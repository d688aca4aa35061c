// Real mouse input for tests and scripts, made with SendInput: the system
// routes it as it would a user's.
#pragma once

#include <windows.h>

#include <string>

namespace kvhost {

enum class MouseButton { Left, Right, Middle };

// Moves the pointer to a screen point (absolute, over the whole screen).
bool SendMouseMove(int x, int y);
bool SendMouseButton(MouseButton button, bool down);
// Positive notches turn away from the user, negative towards.
bool SendMouseWheel(int notches);
// Move, press and release.
bool SendMouseClick(int x, int y, MouseButton button = MouseButton::Left);

// Puts `text` on the clipboard as CF_TEXT, as any program copies, with
// `owner` as the clipboard's owner; waits up to a second while another
// program holds the clipboard open.
bool CopyText(const std::string& text, HWND owner = nullptr);

// Runs the thread's messages for the given time (timers, hooks, notices).
void PumpMessages(int milliseconds);

}  // namespace kvhost
