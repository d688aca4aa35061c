// What the library releases when the host frees it.
#pragma once

namespace kv {

// Removes hooks and timers, destroys the event sources' windows and
// unregisters their class. Calls nothing of the host.
void ReleaseAtUnload() noexcept;

}  // namespace kv
