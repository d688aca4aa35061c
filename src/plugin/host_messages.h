#pragma once

#include <cstdint>

namespace kv {

// Host notices: 1 start of a run, 2 end of a run, 5 main window moved or
// resized. Other numbers are ignored.
void HandleHostMessage(int32_t message);

// The low byte of the Windows major version, or 0 when the query fails.
uint8_t QueryWindowsMajorVersion();

}  // namespace kv
