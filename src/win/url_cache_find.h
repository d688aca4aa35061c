// Owning wrapper for an enumeration of the Internet URL cache.
#pragma once

#include <windows.h>

#include <wininet.h>

#include "unique_resource.h"

namespace kv::win {

namespace detail {
struct UrlCacheFindTraits {
    using Type = HANDLE;
    static Type Invalid() { return nullptr; }
    static void Close(Type h) { ::FindCloseUrlCache(h); }
};
}  // namespace detail

using UniqueUrlCacheFind = UniqueResource<detail::UrlCacheFindTraits>;

}  // namespace kv::win
