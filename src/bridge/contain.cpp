#include "contain.h"

#include "host_bridge.h"

namespace kv {

void ReportContainedFailure(const char* where, const char* what) noexcept {
    try {
        std::string message = where;
        message += ": ";
        message += what;
        ReportError(message);
    } catch (...) {
        // Nothing left to report with.
    }
}

}  // namespace kv
