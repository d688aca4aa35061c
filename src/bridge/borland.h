// The host's calling convention: Borland's register convention.
//
// The first three arguments travel in EAX, EDX and ECX; the rest are pushed
// left to right and removed by the callee; a Boolean result comes back in AL.
// GCC's regparm(3) + stdcall gives exactly that, provided the stack
// parameters are declared in reverse order, because stdcall expects them
// pushed right to left. Every declaration that crosses to the host lives in
// this header so the reversal is written down once.
#pragma once

#include <windows.h>

#include <cstdint>

#define KV_BORLAND __attribute__((regparm(3), stdcall))

namespace kv {

// A text slot: the address of a text pointer handed across the boundary.
using TextSlot = char**;
// Delphi Boolean: one byte in AL; only AL is read.
using HostBool = uint8_t;

// HostAddAction(ID, Name, Hint, Codes: array of Byte, NumParams).
// Codes is an open array: its address then its highest index, both pushed.
// Stack order as declared here: NumParams, HighIndex, Codes (reversed).
using HostAddActionProc = void(KV_BORLAND*)(int32_t id, const char* name, const char* hint,
                                            int32_t numParams, int32_t highIndex,
                                            const uint8_t* codes);
using HostAuxProcProc = void(KV_BORLAND*)();
using HostGetVarProc = void(KV_BORLAND*)(const char* name, TextSlot value);
using HostSetVarProc = void(KV_BORLAND*)(const char* name, const char* value);
using HostScriptProcessorProc = void(KV_BORLAND*)(const char* script);
using HostInterfaceAccessProc = HostBool(KV_BORLAND*)(int32_t request, TextSlot data);
using HostStreamAccessProc = HostBool(KV_BORLAND*)(const char* fileName, void** stream);

// Calls HostAddAction with the arguments in their logical order.
inline void CallHostAddAction(HostAddActionProc proc, int32_t id, const char* name,
                              const char* hint, const uint8_t* codes, int32_t highIndex,
                              int32_t numParams) {
    proc(id, name, hint, numParams, highIndex, codes);
}

}  // namespace kv

extern "C" {
// nbInitPlugIn(Wnd, var Name, var Author, var Hint): Hint is on the stack.
void KV_BORLAND nbInitPlugIn(HWND wnd, kv::TextSlot name, kv::TextSlot author, kv::TextSlot hint);
// nbRegisterPlugIn(AddAction, AuxProc, GetVar, SetVar): SetVar is on the stack.
void KV_BORLAND nbRegisterPlugIn(kv::HostAddActionProc addAction, kv::HostAuxProcProc auxProc,
                                 kv::HostGetVarProc getVar, kv::HostSetVarProc setVar);
void KV_BORLAND nbRegisterScriptProcessor(kv::HostScriptProcessorProc proc);
void KV_BORLAND nbRegisterInterfaceAccess(kv::HostInterfaceAccessProc proc);
void KV_BORLAND nbRegisterStreamAccess(kv::HostStreamAccessProc proc);
void KV_BORLAND nbMessage(int32_t message);
// nbExecAction(Action, var Params: array of PChar): address and highest index.
kv::HostBool KV_BORLAND nbExecAction(int32_t action, char** params, int32_t highIndex);
kv::HostBool KV_BORLAND nbEditAction(int32_t action, char** params, int32_t highIndex);
void KV_BORLAND nbAbout();
}
