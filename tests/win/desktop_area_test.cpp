// The desktop area a taskbar leaves free, for taskbars on every edge, in
// the middle, and none at all.
#include <windows.h>

#include <gtest/gtest.h>

#include "unique_resource.h"
#include "window_actions.h"

namespace kv::actions {
namespace {

win::UniqueWindow Bar(const RECT& r) {
    return win::UniqueWindow(CreateWindowExA(0, "STATIC", "", WS_POPUP, r.left, r.top,
                                             r.right - r.left, r.bottom - r.top, nullptr, nullptr,
                                             GetModuleHandleA(nullptr), nullptr));
}

bool Same(const RECT& a, const RECT& b) { return EqualRect(&a, &b) != 0; }

TEST(FreeDesktopArea, TaskbarOnAnEdgeNarrowsTheAreaElsewhereNot) {
    RECT d{};
    GetWindowRect(GetDesktopWindow(), &d);
    EXPECT_TRUE(Same(FreeDesktopArea(nullptr), d));  // no taskbar: the whole desktop

    const struct {
        RECT bar;
        RECT expected;
    } cases[] = {
        {{d.left, d.bottom - 30, d.right, d.bottom}, {d.left, d.top, d.right, d.bottom - 30}},
        {{d.left, d.top, d.right, d.top + 30}, {d.left, d.top + 30, d.right, d.bottom}},
        {{d.left, d.top, d.left + 60, d.bottom}, {d.left + 60, d.top, d.right, d.bottom}},
        {{d.right - 60, d.top, d.right, d.bottom}, {d.left, d.top, d.right - 60, d.bottom}},
        // In the middle or only part of an edge: the box is the whole desktop.
        {{d.left + 100, d.top + 100, d.left + 300, d.top + 130}, d},
        {{d.left, d.bottom - 30, d.left + 200, d.bottom}, d},
    };
    for (const auto& c : cases) {
        const auto bar = Bar(c.bar);
        ASSERT_TRUE(bar);
        const RECT free = FreeDesktopArea(bar.get());
        EXPECT_TRUE(Same(free, c.expected))
            << c.bar.left << "," << c.bar.top << " gives " << free.left << "," << free.top << ","
            << free.right << "," << free.bottom;
    }
}

}  // namespace
}  // namespace kv::actions
