// Nothing thrown inside the plug-in may reach the host, which is not C++
// and cannot unwind our frames. Every export, window procedure, hook and
// thread entry runs its body through Contain().
#pragma once

#include <exception>
#include <new>
#include <string>

namespace kv {

// Reports a failure that escaped a handler in "[LastError]". Never throws.
void ReportContainedFailure(const char* where, const char* what) noexcept;

template <typename F, typename R>
R Contain(const char* where, F&& body, R fallback) noexcept {
    try {
        return body();
    } catch (const std::bad_alloc&) {
        ReportContainedFailure(where, "Out of memory");
    } catch (const std::exception& e) {
        ReportContainedFailure(where, e.what());
    } catch (...) {
        ReportContainedFailure(where, "Unexpected error");
    }
    return fallback;
}

template <typename F>
void ContainVoid(const char* where, F&& body) noexcept {
    Contain(
        where,
        [&] {
            body();
            return 0;
        },
        0);
}

}  // namespace kv
