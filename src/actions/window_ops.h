// Operations on a window that the window actions and the host-window
// actions share: handle texts, window words, transparency, state tests.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>

namespace kv::actions {

inline HWND WindowOf(uint32_t handle) { return reinterpret_cast<HWND>(uintptr_t{handle}); }

// A handle text as scripts write it: unsigned decimal, any integer text the
// parameter reader takes ("$"-hex, negative numbers keep their bits).
bool ReadWindowHandle(std::string_view text, HWND& window);

// The ShowWindow command of a window word: unknown words hide.
int ShowCommandOfWord(std::string_view word);

// "Close" sends the close command; every other word goes to ShowWindow.
// An empty word does nothing.
void ShowWindowByWord(HWND window, std::string_view word);

// Asks a window to close as its system menu would.
void SendCloseCommand(HWND window);

// The transparency of a window in percent of opacity (0 to 100, more is
// 100). An empty text makes the window opaque again and repaints the
// screen; a negative number or window 0 does nothing. False only when the
// text is no number.
bool SetWindowOpacity(HWND window, std::string_view opacityText);

// Sets `variable` to "True" when the window passes the test the state word
// names (Maximized, Minimized, Present, Visible, Enabled), else "False".
void TestWindowState(HWND window, std::string_view word, const std::string& variable);

// Asks every window to repaint, erasing its background.
void RepaintAllWindows();

// The window's outer size minus its client size.
SIZE FrameSize(HWND window);

}  // namespace kv::actions
