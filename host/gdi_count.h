// Counting a process's GDI objects, for the tests that open a dialog many
// times and check that nothing was left behind.
#pragma once

#include <cstddef>
#include <cstdint>

namespace kvhost {

// Every GDI object of this process. GetGuiResources answers 0 under Wine,
// and Wine takes a handle's index alone (a zero high word), so every index
// is probed.
size_t GdiObjects();

// Wine keeps a cache of up to 64 device contexts for windows and makes a new
// one (a DC and its region) whenever a window asks for one while every
// cached one belongs to another live window. Until the cache is full, the
// count grows with the number of windows alive at once, leak or not: call
// this before the first count.
void FillWindowDcCache();

// The lowest count after each of the last ten of `openings` calls of `open`.
// Right after a dialog closes, Wine's count is now and then two to six
// objects higher, and back down after the next opening; what leaks raises
// the lowest count.
template <class Open>
size_t LowestGdiObjectsOver(int openings, Open&& open) {
    size_t lowest = SIZE_MAX;
    for (int i = 0; i < openings; ++i) {
        open();
        if (i >= openings - 10) {
            const size_t count = GdiObjects();
            if (count < lowest) lowest = count;
        }
    }
    return lowest;
}

}  // namespace kvhost
