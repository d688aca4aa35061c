#include "system_error.h"

#include "param_text.h"

namespace kv {

std::string SystemReason(DWORD error) {
    char* buffer = nullptr;
    const DWORD length = ::FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, 0, reinterpret_cast<char*>(&buffer), 0, nullptr);
    std::string reason(buffer != nullptr ? buffer : "", length);
    if (buffer != nullptr) ::LocalFree(buffer);
    while (!reason.empty() &&
           (reason.back() == '\n' || reason.back() == '\r' || reason.back() == ' '))
        reason.pop_back();
    if (reason.empty()) reason = "System error.  Code: " + FormatUnsigned(error) + ".";
    return reason;
}

}  // namespace kv
