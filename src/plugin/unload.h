// What the library releases when the host frees it.
#pragma once

namespace kv {

// Removes hooks and timers, destroys the event sources' windows and
// unregisters their class. Calls nothing of the host.
void ReleaseAtUnload() noexcept;

// When the process ends with the library still loaded: takes the icon out
// of the shell and the monitor out of the clipboard's lists, which would
// otherwise outlive the process (a ghost icon, a broken viewer chain).
void ReleaseAtProcessEnd() noexcept;

}  // namespace kv
