// Actions on the publication's own windows: the windows of its objects
// (named by object name), its main window and the desktop.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

namespace kv::actions {

// The window of a publication object, from the host variable
// "[Name.WinHandle]"; empty when the value is no number (an unknown object).
// 0 is a valid answer: the object has no window.
std::optional<HWND> ObjectWindow(std::string_view object);

bool qvSetCustomWindowPos(std::string object, std::string left, std::string top,
                          std::string clientWidth, std::string clientHeight, std::string frame,
                          std::string title);
bool qvShowCustomWindow(std::string object, std::string word);
bool qvIsCustomWindow(std::string object, std::string word, std::string variable);
bool qvEnableCustomWindow(std::string object);
bool qvDisableCustomWindow(std::string object);
bool qvSetCustomWindowTransparent(std::string object, std::string opacity);
bool qvAnimateCustomWindow(std::string object, std::string effect, std::string duration,
                           std::string show, std::string redraw);
bool qvRefreshWindows();
bool qvShowInRectangle(std::string object, std::string target, std::string left, std::string top);

}  // namespace kv::actions
