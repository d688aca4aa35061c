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

// Real input reaches the window under the pointer on the input desktop.
// Called before the thread has any window or hook, this moves the calling
// thread to a desktop of this name (made when missing) and makes it the
// input desktop until the program ends, so the input it makes reaches its
// own windows only, whatever other programs show or hold in the foreground
// on the user's desktop. Only one program at a time may do so.
bool UseDesktopOfItsOwn(const char* name);

// Runs the thread's messages for the given time (timers, hooks, notices).
void PumpMessages(int milliseconds);

}  // namespace kvhost
