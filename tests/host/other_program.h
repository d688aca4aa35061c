// Runs a script in another test host process, as another program on the
// desktop, pumping this thread's messages while it runs.
#pragma once

#include <string>

namespace kvtest {

// Writes `script` to a file, runs kelvane-host.exe on it (with `dll` when
// given) and waits up to 60 s; the process's exit code, or -1.
int RunOtherProgram(const std::string& script, const std::string& dll = {});

}  // namespace kvtest
