// The plug-in's one record of host-wide state. It is touched only on the
// host's user-interface thread, so it needs no lock.
#pragma once

#include <cstdint>
#include <string>

#include "borland.h"

namespace kv {

struct PluginState {
    HWND HostWindow = nullptr;
    HostAddActionProc HostAddAction = nullptr;
    HostAuxProcProc HostAuxProc = nullptr;
    HostGetVarProc HostGetVar = nullptr;
    HostSetVarProc HostSetVar = nullptr;
    HostScriptProcessorProc HostScriptProcessor = nullptr;
    HostInterfaceAccessProc HostInterfaceAccess = nullptr;
    HostStreamAccessProc HostStreamAccess = nullptr;
    uint8_t WindowsMajorVersion = 0;
    std::string SubroutineList;  // CR LF separated, fetched on first use
    std::string MoveSizeScript;
    bool MoveSizeActive = false;
};

PluginState& State();

// Puts the state back as it is when the library loads (used at unload and
// by tests that drive the plug-in from a clean start).
void ResetState();

}  // namespace kv
