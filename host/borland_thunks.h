// C view of the hand-written thunks in borland_thunks.S.
#pragma once

#include <cstdint>

extern "C" {

// Calls `fn` with Borland's register convention. `args` holds at least
// three values; status[0] is the byte count the callee left on the stack,
// status[1] is 1 when a callee-saved register did not survive. The stack
// is aligned to 16 bytes and lowered by `skew` (0, 4, 8 or 12) first.
uint32_t kvh_borland_call(const void* fn, const uint32_t* args, uint32_t count, int32_t* status,
                          uint32_t skew);

// Entry points handed to the plug-in as its seven host callbacks.
void kvh_cb_add_action();
void kvh_cb_aux_proc();
void kvh_cb_get_var();
void kvh_cb_set_var();
void kvh_cb_script_processor();
void kvh_cb_interface_access();
void kvh_cb_stream_access();

// Implemented by the host: `args` are the callback's arguments in order.
uint32_t kvh_callback(uint32_t which, const uint32_t* args);
}

namespace kvhost {

enum class Callback : uint32_t {
    AddAction = 0,
    AuxProc = 1,
    GetVar = 2,
    SetVar = 3,
    ScriptProcessor = 4,
    InterfaceAccess = 5,
    StreamAccess = 6,
};

}  // namespace kvhost
