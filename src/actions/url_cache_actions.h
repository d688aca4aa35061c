// Emptying the Internet URL cache of the current user.
#pragma once

#include <string>

namespace kv::actions {

// Mode "Cookie" (any letter case) deletes the cookies; any other mode the
// content entries (the temporary Internet files), leaving cookies and the
// history alone. Failures are not reported.
bool qvClearIECache(std::string mode);

}  // namespace kv::actions
