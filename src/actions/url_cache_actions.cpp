#include "url_cache_actions.h"

#include <windows.h>

#include <wininet.h>

#include <vector>

#include "param_text.h"
#include "url_cache_find.h"

namespace kv {
namespace {

// Enumerates the entries matching `pattern` (all containers when null) and
// returns the names of those `keep` accepts. Deleting happens afterwards,
// so the enumeration never walks a changing cache.
template <typename Keep>
std::vector<std::string> CollectEntries(const char* pattern, Keep keep) {
    std::vector<DWORD> buffer(1024);  // DWORD-aligned for the entry record
    const auto entry = [&buffer] {
        return reinterpret_cast<INTERNET_CACHE_ENTRY_INFOA*>(buffer.data());
    };
    const auto bytes = [&buffer] { return static_cast<DWORD>(buffer.size() * sizeof(DWORD)); };
    const auto grow = [&buffer](DWORD needed) { buffer.resize(needed / sizeof(DWORD) + 1); };

    std::vector<std::string> names;
    DWORD size = bytes();
    win::UniqueUrlCacheFind find(::FindFirstUrlCacheEntryA(pattern, entry(), &size));
    if (!find && ::GetLastError() == ERROR_INSUFFICIENT_BUFFER) {
        grow(size);
        find.reset(::FindFirstUrlCacheEntryA(pattern, entry(), &size));
    }
    if (!find) return names;
    const auto next = [&] {
        DWORD needed = bytes();
        if (::FindNextUrlCacheEntryA(find.get(), entry(), &needed)) return true;
        if (::GetLastError() != ERROR_INSUFFICIENT_BUFFER) return false;
        grow(needed);
        return ::FindNextUrlCacheEntryA(find.get(), entry(), &needed) != FALSE;
    };
    do {
        if (entry()->lpszSourceUrlName != nullptr && keep(*entry()))
            names.emplace_back(entry()->lpszSourceUrlName);
    } while (next());
    return names;
}

void DeleteEntries(const std::vector<std::string>& names) {
    for (const std::string& name : names) ::DeleteUrlCacheEntryA(name.c_str());
}

}  // namespace

namespace actions {

bool qvClearIECache(std::string mode) {
    if (EqualsNoCase(mode, "Cookie")) {
        // Windows matches the container prefix in any case, Wine only as
        // "Cookie:".
        const auto any = [](const INTERNET_CACHE_ENTRY_INFOA&) { return true; };
        DeleteEntries(CollectEntries("cookie:", any));
        DeleteEntries(CollectEntries("Cookie:", any));
        return true;
    }
    // Without a pattern some systems list every container: keep to content.
    DeleteEntries(CollectEntries(nullptr, [](const INTERNET_CACHE_ENTRY_INFOA& e) {
        return (e.CacheEntryType & (COOKIE_CACHE_ENTRY | URLHISTORY_CACHE_ENTRY)) == 0;
    }));
    return true;
}

}  // namespace actions
}  // namespace kv
