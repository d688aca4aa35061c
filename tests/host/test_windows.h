// Real top-level windows for the window actions' tests: known titles,
// classes, frames and client sizes.
#pragma once

#include <windows.h>

#include <string>

#include "unique_resource.h"

namespace kvtest {

inline constexpr const char* kTestWindowClass = "KelvaneTestWindow";

// A captioned, sizeable window with the given client area; shown without
// being activated unless asked.
kv::win::UniqueWindow MakeTestWindow(const std::string& title, int x, int y, int clientWidth,
                                     int clientHeight, const char* className = kTestWindowClass,
                                     DWORD style = WS_OVERLAPPEDWINDOW);

// The handle as the plug-in writes it: unsigned decimal.
std::string HandleText(HWND window);

// The handle of a window that existed and is gone.
HWND DeadWindow();

RECT WindowRect(HWND window);
SIZE ClientSize(HWND window);

// Lets posted and sent messages through.
void PumpMessages();

}  // namespace kvtest
