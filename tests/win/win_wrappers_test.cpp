// The owning wrappers release exactly once, on time, and move cleanly.
#include <windows.h>

#include <gtest/gtest.h>

#include "unique_resource.h"

namespace kv::win {
namespace {

bool IsOpen(HANDLE h) {
    DWORD flags = 0;
    return GetHandleInformation(h, &flags) != 0;
}

TEST(UniqueHandle, ClosesOnResetAndDestruction) {
    HANDLE raw = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    ASSERT_NE(raw, nullptr);
    {
        UniqueHandle event(raw);
        EXPECT_TRUE(event.valid());
        EXPECT_TRUE(IsOpen(raw));
    }
    EXPECT_FALSE(IsOpen(raw));

    UniqueHandle a(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    const HANDLE held = a.get();
    UniqueHandle b(std::move(a));
    EXPECT_FALSE(a.valid());
    EXPECT_EQ(b.get(), held);
    b = UniqueHandle();
    EXPECT_FALSE(IsOpen(held));
}

TEST(UniqueHandle, ReleaseGivesUpOwnership) {
    UniqueHandle event(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    const HANDLE raw = event.release();
    EXPECT_FALSE(event.valid());
    EXPECT_TRUE(IsOpen(raw));
    CloseHandle(raw);
}

TEST(UniqueFindHandle, InvalidValueIsNotClosed) {
    WIN32_FIND_DATAA data;
    UniqueFindHandle none(FindFirstFileA("C:\\no\\such\\folder\\*", &data));
    EXPECT_FALSE(none.valid());
    UniqueFindHandle some(FindFirstFileA("C:\\windows\\*", &data));
    EXPECT_TRUE(some.valid());
}

TEST(UniqueFileHandle, PutFillsAndReplaces) {
    char path[MAX_PATH];
    char folder[MAX_PATH];
    ASSERT_NE(GetTempPathA(MAX_PATH, folder), 0u);
    ASSERT_NE(GetTempFileNameA(folder, "kv", 0, path), 0u);
    UniqueFileHandle file;
    *file.put() = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_TRUE(file.valid());
    EXPECT_FALSE(DeleteFileA(path));  // still open without sharing
    file.reset();
    EXPECT_TRUE(DeleteFileA(path));
}

TEST(ScopeExit, RunsUnlessDismissed) {
    int runs = 0;
    {
        ScopeExit guard([&] { ++runs; });
    }
    {
        ScopeExit guard([&] { ++runs; });
        guard.dismiss();
    }
    EXPECT_EQ(runs, 1);
}

}  // namespace
}  // namespace kv::win
