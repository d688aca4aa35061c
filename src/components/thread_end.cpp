#include "thread_end.h"

#include <atomic>

namespace kv {
namespace {

using SetEventProc = BOOL(WINAPI*)(HANDLE);
using ExitThreadProc = void(WINAPI*)(DWORD);
using ShutdownProbe = BOOLEAN(NTAPI*)();

std::atomic<ShutdownProbe> g_shutdownProbe{nullptr};

// The stack for SetEvent: return address (ExitThread), its argument; below
// that what ExitThread sees after SetEvent's "ret 4": a return address it
// never uses and the exit code 0.
[[noreturn]] void JumpToSetEvent(HANDLE event, SetEventProc setEvent, ExitThreadProc exitThread) {
    __asm__ volatile(
        "pushl $0\n\t"
        "pushl $0\n\t"
        "pushl %0\n\t"
        "pushl %1\n\t"
        "jmp *%2"
        :
        : "r"(event), "r"(exitThread), "r"(setEvent)
        : "memory");
    __builtin_unreachable();
}

}  // namespace

void SignalAndExitThread(HANDLE done) { JumpToSetEvent(done, &::SetEvent, &::ExitThread); }

void WaitForThreadEnd(HANDLE done, HANDLE thread) {
    if (ProcessIsExiting()) return;
    const HANDLE waits[] = {done, thread};
    ::WaitForMultipleObjects(2, waits, FALSE, INFINITE);
}

void PrepareShutdownProbe() {
    if (g_shutdownProbe.load() != nullptr) return;
    if (const HMODULE ntdll = ::GetModuleHandleA("ntdll.dll"))
        g_shutdownProbe = reinterpret_cast<ShutdownProbe>(
            reinterpret_cast<void*>(::GetProcAddress(ntdll, "RtlDllShutdownInProgress")));
}

bool ProcessIsExiting() {
    const ShutdownProbe probe = g_shutdownProbe.load();
    return probe != nullptr && probe() != 0;
}

}  // namespace kv
