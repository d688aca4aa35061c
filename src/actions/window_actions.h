// Actions on any top-level window, named by its handle: find, title,
// show, place, transparency, state, enabling, foreground, the desktop's
// free area.
#pragma once

#include <windows.h>

#include <string>

namespace kv::actions {

bool qvFindWindow(std::string title, std::string className, std::string variable);
bool qvGetWindowHandle(std::string titlePart, std::string variable);
bool qvGetWindowTitle(std::string handle, std::string classVariable, std::string titleVariable);
bool qvSetWindowTitle(std::string handle, std::string title);
bool qvShowWindow(std::string handle, std::string word);
bool qvSetWindowPos(std::string handle, std::string left, std::string top, std::string width,
                    std::string height, std::string zOrder, std::string sizeMode);
bool qvSetWindowTransparent(std::string handle, std::string opacity);
bool qvIsWindow(std::string handle, std::string word, std::string variable);
bool qvEnableWindow(std::string handle);
bool qvDisableWindow(std::string handle);
bool qvGetWindowRectangle(std::string handle, std::string leftVariable, std::string topVariable,
                          std::string widthVariable, std::string heightVariable,
                          std::string sizeMode);
bool qvGetForegroundWindow(std::string variable);
bool qvSetForegroundWindow(std::string handle);
// The bounding box of the desktop without the taskbar window's rectangle;
// the whole desktop when there is no taskbar (null).
RECT FreeDesktopArea(HWND taskbar);

bool qvGetDesktopRectangle(std::string leftVariable, std::string topVariable,
                           std::string widthVariable, std::string heightVariable);

}  // namespace kv::actions
