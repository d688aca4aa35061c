// The Wine route a test run asked for is the one it got: Wine 8 plays a
// 32-bit Windows, the WoW64 route a 64-bit Windows running our 32-bit code.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace {

TEST(Route, SystemMatchesTheRouteAsked) {
    static_assert(sizeof(void*) == 4, "the plug-in and its tests are 32-bit code");
    const char* asked = std::getenv("KELVANE_ROUTE");
    if (asked == nullptr) {
        // Started by hand, outside scripts/wine-run: nothing to compare.
        SUCCEED();
        return;
    }
    BOOL wow64 = FALSE;
    ASSERT_TRUE(IsWow64Process(GetCurrentProcess(), &wow64));
    char folder[MAX_PATH] = "poison";
    SetLastError(0xdeadbeef);
    const UINT length = GetSystemWow64DirectoryA(folder, MAX_PATH);
    if (std::string(asked) == "wow64") {
        EXPECT_TRUE(wow64);
        EXPECT_GT(length, 0u);
        EXPECT_NE(std::string(folder).find("syswow64"), std::string::npos) << folder;
    } else {
        ASSERT_EQ(std::string(asked), "wine32");
        EXPECT_FALSE(wow64);
        EXPECT_EQ(length, 0u);
        EXPECT_EQ(GetLastError(), DWORD(ERROR_CALL_NOT_IMPLEMENTED));
    }
}

}  // namespace
