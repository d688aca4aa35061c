// Emptying the URL cache through the exports: content, cookie and history
// entries made with the real cache, then cleared by mode.
#include <windows.h>

#include <wininet.h>

#include <string>

#include "host_fixture.h"

namespace kvtest {
namespace {

constexpr int32_t kClearCache = 49;

// Makes an entry with a small local file, as the browser would.
bool MakeEntry(const std::string& url, DWORD type) {
    char file[MAX_PATH] = {};
    if (!CreateUrlCacheEntryA(url.c_str(), 4, "txt", file, 0)) return false;
    HANDLE handle = CreateFileA(file, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    WriteFile(handle, "data", 4, &written, nullptr);
    CloseHandle(handle);
    FILETIME zero{};
    return CommitUrlCacheEntryA(url.c_str(), file, zero, zero, type, nullptr, 0, nullptr,
                                nullptr) != FALSE;
}

bool InCache(const std::string& url) {
    DWORD size = 0;
    if (GetUrlCacheEntryInfoA(url.c_str(), nullptr, &size)) return true;
    return GetLastError() == ERROR_INSUFFICIENT_BUFFER;
}

class UrlCacheTest : public HostTest {
protected:
    void SetUp() override {
        HostTest::SetUp();
        Start();
        const std::string tag = std::to_string(GetTickCount());
        content_ = {"http://kelvane.test/" + tag + "/a.html",
                    "http://kelvane.test/" + tag + "/b.png"};
        cookie_ = "Cookie:user@kelvane" + tag + ".test/";
        history_ = "Visited: user@http://kelvane.test/" + tag + "/a.html";
        for (const std::string& url : content_) ASSERT_TRUE(MakeEntry(url, NORMAL_CACHE_ENTRY));
        ASSERT_TRUE(MakeEntry(cookie_, COOKIE_CACHE_ENTRY)) << GetLastError();
        ASSERT_TRUE(MakeEntry(history_, URLHISTORY_CACHE_ENTRY)) << GetLastError();
        for (const std::string& url : content_) ASSERT_TRUE(InCache(url));
        ASSERT_TRUE(InCache(cookie_));
        ASSERT_TRUE(InCache(history_));
    }
    void TearDown() override {
        DeleteUrlCacheEntryA(cookie_.c_str());
        DeleteUrlCacheEntryA(history_.c_str());
        for (const std::string& url : content_) DeleteUrlCacheEntryA(url.c_str());
        HostTest::TearDown();
    }
    std::vector<std::string> content_;
    std::string cookie_, history_;
};

// One case: the cache is shared by every process of the prefix, and each
// mode empties a whole kind.
TEST_F(UrlCacheTest, EachModeDeletesItsOwnKindOnly) {
    for (const char* mode : {"", "Cookies"}) {
        for (const std::string& url : content_) MakeEntry(url, NORMAL_CACHE_ENTRY);
        EXPECT_TRUE(host_->ExecAction(kClearCache, {mode}));
        ExpectCleanCall(__LINE__);
        for (const std::string& url : content_) EXPECT_FALSE(InCache(url)) << url << mode;
        EXPECT_TRUE(InCache(cookie_)) << mode;
        EXPECT_TRUE(InCache(history_)) << mode;
    }
    EXPECT_TRUE(host_->calls().empty());
    for (const char* mode : {"Cookie", "cookie", "COOKIE"}) {
        MakeEntry(cookie_, COOKIE_CACHE_ENTRY);
        for (const std::string& url : content_) MakeEntry(url, NORMAL_CACHE_ENTRY);
        EXPECT_TRUE(host_->ExecAction(kClearCache, {mode}));
        EXPECT_FALSE(InCache(cookie_)) << mode;
        for (const std::string& url : content_) EXPECT_TRUE(InCache(url)) << url << mode;
        EXPECT_TRUE(InCache(history_)) << mode;
    }
}

}  // namespace
}  // namespace kvtest
