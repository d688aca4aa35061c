// The executable behind a window: which program owns it.
#pragma once

#include <windows.h>

#include <string>

namespace kv::actions {

// The executable of process `pid`: its full path where the system gives
// it, else the name the system's process list reports; empty when there is
// no such process.
std::string ExeNameOfProcess(DWORD pid);

bool qvGetExeNameByHandle(std::string handle, std::string variable);

}  // namespace kv::actions
