// The system's own text for an error code, as users see it in message boxes.
#pragma once

#include <windows.h>

#include <string>

namespace kv {

// The system's text for an error code (a Win32 error or an HRESULT),
// without the line break; a generic text when the system has none.
std::string SystemReason(DWORD error);

}  // namespace kv
