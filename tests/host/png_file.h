// Writes 24-bit pictures as PNG files (stored, uncompressed deflate), for
// screenshots a person looks at.
#pragma once

#include <windows.h>

#include <string>

namespace kvtest {

// Saves what the screen shows of `window` (frame included), raised above
// other windows for the moment.
bool SaveWindowPng(HWND window, const std::string& path);

}  // namespace kvtest
