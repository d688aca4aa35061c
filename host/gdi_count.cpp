#include "gdi_count.h"

#include <windows.h>

#include <cstdint>
#include <vector>

namespace kvhost {

size_t GdiObjects() {
    size_t count = 0;
    for (uintptr_t index = 1; index < 0x10000; ++index)
        if (GetObjectType(reinterpret_cast<HGDIOBJ>(index)) != 0) ++count;
    return count;
}

void FillWindowDcCache() {
    // More windows than the cache holds, all alive while each in turn takes
    // and gives back a DC, so no cached DC is free for the next one.
    constexpr int kWindows = 72;
    std::vector<HWND> windows;
    for (int i = 0; i < kWindows; ++i) {
        const HWND window = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 8, 8, nullptr, nullptr,
                                            GetModuleHandleA(nullptr), nullptr);
        if (window == nullptr) continue;
        windows.push_back(window);
        if (HDC dc = GetDC(window)) ReleaseDC(window, dc);
    }
    for (const HWND window : windows) DestroyWindow(window);
}

}  // namespace kvhost
